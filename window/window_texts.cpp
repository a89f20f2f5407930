#include "window_texts.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// n / 100 for a whole n, with the decimals it needs and no more.
std::string Hundredths(long long n) {
    std::string text = n < 0 ? "-" : "";
    const unsigned long long magnitude = std::llabs(n);
    text += std::to_string(magnitude / 100);
    const unsigned long long cents = magnitude % 100;
    if (cents != 0) {
        text += '.';
        text += char('0' + cents / 10);
        if (cents % 10 != 0) text += char('0' + cents % 10);
    }
    return text;
}

}  // namespace

std::string OverwriteQuestion(std::string_view fileName) {
    return "The" + std::string(fileName) + "file already exists. Do you want to over write it?";
}

std::string SaveFailedMessage(std::string_view fileName, std::string_view reason) {
    return "The picture could not be saved to \"" + std::string(fileName) + "\": " + std::string(reason);
}

std::string RunTimeErrorMessage(std::string_view what) {
    return "Run-time error: " + std::string(what.empty() ? "unknown" : what);
}

// The bar's value is a 16-bit integer, so value / 100 has at most five
// significant digits and its shortest form is exact in hundredths.
std::string SpeedText(int scrollValue) {
    const std::int16_t value = std::int16_t(scrollValue);
    return (value < 0 ? "" : " ") + Hundredths(value);
}

std::string DecimalText(double value) {
    if (std::isnan(value)) return "not a number";
    if (std::isinf(value)) return value < 0 ? "minus infinity" : "infinity";
    if (std::fabs(value) >= 1e15)
        return std::string(value < 0 ? "-" : "") + "10^" + std::to_string(int(std::log10(std::fabs(value))));
    return Hundredths(std::llround(value * 100));
}
