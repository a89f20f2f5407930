#include "portable_float.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "quoted_text.h"

namespace {

constexpr int MostDigits = 9;                // nine significant digits bring every float back
constexpr int PlainLow = -5, PlainHigh = 8;  // powers of ten of the first digit written without 'e'
constexpr long long LongestPower = 999999999;

// A decimal without sign: the integer `digits` times ten to `power`.
struct Decimal {
    std::string digits;
    long long power = 0;
};

// strtof never sees a decimal point, so the locale cannot change the reading.
float NearestFloat(const Decimal& decimal, bool negative) {
    const std::string text = (negative ? "-" : "") + decimal.digits + "e" + std::to_string(decimal.power);
    return std::strtof(text.c_str(), nullptr);
}

// `size` (finite, not negative) correctly rounded to `count` significant
// digits; `point` is the power of ten of the first one.
Decimal Rounded(float size, int count, int& point) {
    char buffer[40];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", count - 1, double(size));
    Decimal decimal;
    int at = 0;
    for (; at < length && buffer[at] != 'e'; ++at)
        if (buffer[at] >= '0' && buffer[at] <= '9') decimal.digits += buffer[at];  // whatever the point is
    at += at + 1 < length && buffer[at + 1] == '+' ? 2 : 1;
    std::from_chars(buffer + at, buffer + length, point);
    decimal.power = point - (count - 1);
    return decimal;
}

std::string Layout(const std::string& digits, int point) {
    const int count = int(digits.size());
    if (point < PlainLow || point > PlainHigh)
        return digits.substr(0, 1) + (count > 1 ? "." + digits.substr(1) : "") + "e" + std::to_string(point);
    if (point < 0) return "0." + std::string(std::size_t(-point - 1), '0') + digits;
    if (point + 1 >= count) return digits + std::string(std::size_t(point + 1 - count), '0');
    return digits.substr(0, std::size_t(point + 1)) + "." + digits.substr(std::size_t(point + 1));
}

std::string_view DigitsFrom(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    return text.substr(start, at - start);
}

// The power after 'e'; one too long for the float range saturates, which reads the same.
long long Power(std::string_view digits, bool negative) {
    while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
    long long power = LongestPower;
    if (digits.size() < 10) std::from_chars(digits.data(), digits.data() + digits.size(), power);
    return negative ? -power : power;
}

}  // namespace

std::string PortableFloatText(float value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    const bool negative = std::signbit(value);
    const float size = std::fabs(value);
    for (int count = 1;; ++count) {
        int point = 0;
        const Decimal decimal = Rounded(size, count, point);
        const bool back = NearestFloat(decimal, false) == size;  // both not negative, so no sign of zero to tell apart
        if (back || count == MostDigits) return (negative ? "-" : "") + Layout(decimal.digits, point);
    }
}

std::optional<float> ReadPortableFloat(std::string_view text, std::string* problem) {
    const auto fail = [&](const char* why) -> std::optional<float> {
        if (problem) *problem = Quoted(text) + " " + why;
        return std::nullopt;
    };
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    at += negative;
    const std::string_view whole = DigitsFrom(text, at);
    std::string_view fraction;
    if (at < text.size() && text[at] == '.') fraction = DigitsFrom(text, ++at);
    if (whole.empty() && fraction.empty()) return fail("is not a number");
    long long power = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        const bool down = ++at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
        const std::string_view digits = DigitsFrom(text, at);
        if (digits.empty()) return fail("is not a number");
        power = Power(digits, down);
    }
    if (at != text.size()) return fail("is not a number");
    const Decimal decimal{std::string(whole) + std::string(fraction), power - (long long)fraction.size()};
    const float value = NearestFloat(decimal, negative);
    if (std::isinf(value)) return fail("is out of range for a 32-bit float");
    return value;
}
