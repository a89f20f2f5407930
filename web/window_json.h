#pragma once

#include <string>

// The window's control table, list texts and texts as one JSON object, from
// which the page builds itself and its test reads what to check.
std::string WindowJson();
