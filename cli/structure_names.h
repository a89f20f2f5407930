#pragma once

#include <string>
#include <string_view>
#include <vector>

// The list texts nearest to a mistyped name, best first: those that contain
// it, then those a few letters away. Case and accents are ignored, so
// "rössler" finds "Rossler Chaos".
std::vector<std::string_view> NearestStructures(std::string_view name);

// The name in lower case with accented Latin letters as their plain ones.
std::string FoldedName(std::string_view name);
