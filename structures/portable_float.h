#pragma once

#include <optional>
#include <string>
#include <string_view>

// Floats as decimal text that reads back bit for bit. Written with the C
// library's exact printf and strtof and never a decimal point handed to
// either, so the text is the same in every locale and in every build, the
// page's included, whose <charconv> has no floating-point conversions.

// The fewest significant digits (up to nine) whose nearest float is `value`,
// correctly rounded: "0.4", "-0", "1e-45", "3.4028235e38". Finite values only.
std::string PortableFloatText(float value);

// [-]digits[.digits][e[+|-]digits] (a point may have digits on one side only)
// as the nearest float. Underflow gives a subnormal or a signed zero; a value
// beyond the float range, or any other text, gives nothing and the reason.
std::optional<float> ReadPortableFloat(std::string_view text, std::string* problem = nullptr);
