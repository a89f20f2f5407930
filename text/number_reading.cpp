#include "number_reading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr long long LongestPower = 999999999;  // a longer power of ten is beyond every float either way

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view DigitsFrom(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return text.substr(start, at - start);
}

// A decimal's parts as the grammar finds them.
struct DecimalParts {
    bool negative = false;
    std::string_view whole, fraction;
    long long power = 0;
    std::size_t signLength = 0;  // a leading '+' or '-'
};

long long Power(std::string_view digits, bool negative) {
    while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
    long long power = LongestPower;
    if (digits.size() < 10) std::from_chars(digits.data(), digits.data() + digits.size(), power);
    return negative ? -power : power;
}

// The longest decimal at the start of [first, last): where it ends, `first`
// where there is none. An 'e' without digits after it is not part of it.
const char* ScanPrefix(const char* first, const char* last, DecimalParts& parts) {
    const std::string_view text(first, std::size_t(last - first));
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) parts.negative = text[0] == '-', parts.signLength = 1;
    std::size_t at = parts.signLength;
    parts.whole = DigitsFrom(text, at);
    if (at < text.size() && text[at] == '.') parts.fraction = DigitsFrom(text, ++at);
    if (parts.whole.empty() && parts.fraction.empty()) return first;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        const bool down = exponent < text.size() && text[exponent] == '-';
        if (exponent < text.size() && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
        const std::string_view digits = DigitsFrom(text, exponent);
        if (!digits.empty()) parts.power = Power(digits, down), at = exponent;
    }
    return first + at;
}

// strtof is exactly rounded; it never sees a decimal point, so no locale
// can change what it reads. Only the significant digits are handed over.
float ExactlyRounded(const char* text, float) { return std::strtof(text, nullptr); }
double ExactlyRounded(const char* text, double) { return std::strtod(text, nullptr); }

template <typename Number>
NumberFault ConvertPortably(const DecimalParts& parts, Number& value) {
    std::string digits(parts.whole);
    digits += parts.fraction;
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        value = parts.negative ? -Number(0) : Number(0);
        return NumberFault::None;
    }
    const long long power = parts.power - (long long)parts.fraction.size();
    const std::string text = (parts.negative ? "-" : "") + digits.substr(first) + "e" +
                             std::to_string(std::clamp(power, -2 * LongestPower, 2 * LongestPower));
    value = ExactlyRounded(text.c_str(), Number());
    return std::isinf(value) ? NumberFault::OutOfRange : NumberFault::None;
}

std::string Outside(std::string_view text, int low, int high) {
    return Quoted(text) + " is outside " + std::to_string(low) + ".." + std::to_string(high);
}

template <typename Number>
DecimalRead ReadPortablyAt(const char* first, const char* last, Number& value) {
    DecimalParts parts;
    const char* end = ScanPrefix(first, last, parts);
    if (end == first) return {first, NumberFault::NotANumber};
    return {end, ConvertPortably(parts, value)};
}

// from_chars reads the same grammar where the text starts with a digit or a
// point after its sign (it would take "inf" and "nan" too, and no '+'); what
// it cannot read, or reads beyond the float range either way (too large, or so
// small it rounds to a subnormal or zero), goes the portable route.
template <typename Number>
DecimalRead ReadAt(const char* first, const char* last, Number& value) {
#if defined(__cpp_lib_to_chars) && !defined(__EMSCRIPTEN__)
    const char* start = first < last && *first == '+' ? first + 1 : first;
    const char* digits = start < last && *start == '-' && start == first ? start + 1 : start;
    if (digits < last && (IsDigit(*digits) || *digits == '.')) {
        const auto [end, ec] = std::from_chars(start, last, value, std::chars_format::general);
        if (ec == std::errc()) return {end, NumberFault::None};
    }
#endif
    return ReadPortablyAt(first, last, value);
}

template <typename Number>
NumberFault ReadWholeText(std::string_view text, Number& value, bool portably) {
    const char* last = text.data() + text.size();
    const DecimalRead read = portably ? ReadPortablyAt(text.data(), last, value) : ReadAt(text.data(), last, value);
    return read.end == last ? read.fault : NumberFault::NotANumber;
}

}  // namespace

NumberFault ReadDecimalPortable(std::string_view text, float& value) { return ReadWholeText(text, value, true); }
NumberFault ReadDecimal(std::string_view text, float& value) { return ReadWholeText(text, value, false); }
NumberFault ReadDecimal(std::string_view text, double& value) { return ReadWholeText(text, value, false); }
DecimalRead ReadDecimalAt(const char* first, const char* last, float& value) { return ReadAt(first, last, value); }
DecimalRead ReadDecimalAtPortably(const char* first, const char* last, float& value) {
    return ReadPortablyAt(first, last, value);
}

NumberFault ReadWhole(std::string_view text, long long& value) {
    if (text.size() > 1 && text[0] == '+' && IsDigit(text[1])) text.remove_prefix(1);
    const char* end = text.data() + text.size();
    const auto [last, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec == std::errc::invalid_argument || last != end) return NumberFault::NotANumber;
    return ec == std::errc::result_out_of_range ? NumberFault::OutOfRange : NumberFault::None;
}

std::optional<float> ReadFloat(std::string_view text, std::string* problem) {
    float value = 0;
    const NumberFault fault = ReadDecimal(text, value);
    if (fault == NumberFault::None) return value;
    if (problem)
        *problem = Quoted(text) +
                   (fault == NumberFault::OutOfRange ? " is out of range for a 32-bit float" : " is not a number");
    return std::nullopt;
}

std::optional<int> ReadWholeNumber(std::string_view text, int low, int high, std::string* problem) {
    long long value = 0;
    const NumberFault fault = ReadWhole(text, value);
    if (fault == NumberFault::None && value >= low && value <= high) return int(value);
    if (problem)
        *problem =
            fault == NumberFault::NotANumber ? Quoted(text) + " is not a whole number" : Outside(text, low, high);
    return std::nullopt;
}

std::vector<std::string_view> SplitText(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::string Quoted(std::string_view text) {
    constexpr char Hex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        const unsigned byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f)
            quoted += c;
        else
            quoted += c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string{'\\', 'x', Hex[byte >> 4], Hex[byte & 15]};
    }
    return quoted + "\"";
}

std::string ChoiceText(const std::vector<std::string_view>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + std::string(names[i]);
    return text;
}
