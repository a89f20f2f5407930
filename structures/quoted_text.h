#pragma once

#include <string>
#include <string_view>

// A user's text in double quotes for a message, its control characters
// written as escapes (\n, \t, \x1b), so that the message stays one line.
std::string Quoted(std::string_view text);
