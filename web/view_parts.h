#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "view_address.h"

// A view given in parts, as an element's attributes give it: each text as
// the renderer's option of the same name takes it, empty where not given.
struct ViewParts {
    std::string_view structure;  // a list text (any case) or a row, 1..23
    std::string_view angles;     // AngleX,AngleY,AngleZ
    std::string_view time;
    std::string_view speeds;  // the four bars, whole numbers -50..50
    std::string_view seed;    // 1..32768: the random source reseeded from its negative
    bool showAxis = false;
};

// The view the parts make, the rest at start-up's values; nothing when a part
// is malformed or out of range, and then `problem` names the part and says why.
std::optional<ViewAddress> ViewFromParts(const ViewParts& parts, std::string* problem);
