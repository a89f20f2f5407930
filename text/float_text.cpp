#include "float_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int MostDigits = 9;                // nine significant digits bring every float back
constexpr int PlainLow = -5, PlainHigh = 8;  // powers of ten of the first digit written without 'e'

// Significant digits without trailing zeros, the first one standing for ten to `point`.
struct Digits {
    char text[MostDigits + 1];
    int count = 0, point = 0;
};

void AppendNumber(std::string& out, int number) {
    char buffer[16];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, number).ptr);
}

void AppendLaidOut(std::string& out, bool negative, const Digits& d) {
    if (negative) out += '-';
    const char* digits = d.text;
    if (d.point < PlainLow || d.point > PlainHigh) {
        out += digits[0];
        if (d.count > 1) out += '.', out.append(digits + 1, std::size_t(d.count - 1));
        out += 'e';
        return AppendNumber(out, d.point);
    }
    if (d.point < 0) {
        out += "0.";
        out.append(std::size_t(-d.point - 1), '0');
        out.append(digits, std::size_t(d.count));
    } else if (d.point + 1 >= d.count) {
        out.append(digits, std::size_t(d.count));
        out.append(std::size_t(d.point + 1 - d.count), '0');
    } else {
        out.append(digits, std::size_t(d.point + 1));
        out += '.';
        out.append(digits + d.point + 1, std::size_t(d.count - d.point - 1));
    }
}

bool AppendNotFinite(std::string& out, float value) {
    if (std::isfinite(value)) return false;
    out += std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    return true;
}

// "d.ddde[+-]xx" (any sign of the exponent, any count of digits) into Digits.
Digits FromScientific(const char* at, const char* end) {
    Digits d;
    for (; at < end && *at != 'e'; ++at)
        if (*at >= '0' && *at <= '9' && d.count < MostDigits + 1) d.text[d.count++] = *at;
    if (at < end) ++at;
    if (at < end && *at == '+') ++at;
    std::from_chars(at, end, d.point);
    while (d.count > 1 && d.text[d.count - 1] == '0') --d.count;
    return d;
}

// What strtof reads back from the digits, as an integer times ten to a power.
float NearestFloat(const Digits& d) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*se%d", d.count, d.text, d.point - (d.count - 1));
    return std::strtof(text, nullptr);
}

// `size` (finite, not negative) correctly rounded to `count` digits.
Digits Rounded(float size, int count) {
    char buffer[48];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", count - 1, double(size));
    return FromScientific(buffer, buffer + length);
}

// The decimal of `count` digits one unit in its last place above `d`.
Digits UnitAbove(Digits d, int count) {
    while (d.count < count) d.text[d.count++] = '0';
    int last = count - 1;
    while (last >= 0 && d.text[last] == '9') d.text[last--] = '0';
    if (last < 0) return Digits{{'1'}, 1, d.point + 1};  // 99.9 up to 100
    ++d.text[last];
    while (d.count > 1 && d.text[d.count - 1] == '0') --d.count;
    return d;
}

}  // namespace

#ifdef ORBIZA_NATIVE_FLOAT_TEXT
void AppendFloatTextNative(std::string& out, float value) {
    if (AppendNotFinite(out, value)) return;
    char buffer[32];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific).ptr;
    AppendLaidOut(out, std::signbit(value), FromScientific(buffer, end));
}
#endif

void AppendFloatTextPortable(std::string& out, float value) {
    if (AppendNotFinite(out, value)) return;
    const float size = std::fabs(value);
    // The nearest decimal of each length in turn, until one reads back. A
    // float's neighbours lie equally far on both sides, except at a power of
    // two, where the one below lies half as far: there a decimal too far below
    // to read back can have one a unit above it that does.
    for (int count = 1;; ++count) {
        const Digits nearest = Rounded(size, count);
        if (NearestFloat(nearest) == size || count == MostDigits)
            return AppendLaidOut(out, std::signbit(value), nearest);
        const Digits above = UnitAbove(nearest, count);
        if (NearestFloat(above) == size) return AppendLaidOut(out, std::signbit(value), above);
    }
}

void AppendFloatText(std::string& out, float value) {
#ifdef ORBIZA_NATIVE_FLOAT_TEXT
    AppendFloatTextNative(out, value);
#else
    AppendFloatTextPortable(out, value);
#endif
}

std::string FloatText(float value) {
    std::string text;
    AppendFloatText(text, value);
    return text;
}
