#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "line_input.h"
#include "number_reading.h"

// The text's lines one by one, counted from 1, each without its "\n" or "\r\n".
struct TextLines {
    const char* at;
    const char* end;
    std::size_t number = 0;
};

inline TextLines StartLines(std::string_view text) { return {text.data(), text.data() + text.size()}; }
bool NextLine(TextLines& lines, std::string_view& line);
// The lines left, at most: the readers reserve room for their points by it.
std::size_t LinesLeft(const TextLines& lines);

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline const char* SkipBlanks(const char* at, const char* end) {
    while (at < end && IsBlank(*at)) ++at;
    return at;
}
// The text from `at` up to the first of `stops` or the end: the word a message quotes.
std::string_view WordAt(const char* at, const char* end, std::string_view stops);

// A number at `at` that ends at the line's end or at one of `stops`: `at`
// moved past it, or false.
bool TakeNumber(const char*& at, const char* end, std::string_view stops, float& value);
// Why a word is not a number the data can hold: "\"x\" is not a number",
// "\"nan\" is not a finite number", "\"1e39\" is out of range for a 32-bit float".
std::string NumberProblem(std::string_view word);

// False, with what is wrong: for a line's reader, and for the fault it makes of it.
bool Refuse(std::string& problem, std::string why);
bool Fail(LineFault& fault, std::size_t line, std::string what);
// The fault where a text gave no segment.
bool NoSegment(LineFault& fault, const TextLines& lines, std::string_view why);
