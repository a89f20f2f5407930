#include "text_scan.h"

#include <algorithm>
#include <cstring>

bool NextLine(TextLines& lines, std::string_view& line) {
    if (lines.at == lines.end) return false;
    const void* newline = std::memchr(lines.at, '\n', std::size_t(lines.end - lines.at));
    const char* stop = newline ? static_cast<const char*>(newline) : lines.end;
    const char* next = newline ? stop + 1 : stop;
    if (stop > lines.at && stop[-1] == '\r') --stop;
    line = std::string_view(lines.at, std::size_t(stop - lines.at));
    lines.at = next;
    ++lines.number;
    return true;
}

std::size_t LinesLeft(const TextLines& lines) {
    std::size_t count = 1;
    for (const char* at = lines.at; (at = static_cast<const char*>(std::memchr(at, '\n', std::size_t(lines.end - at))));
         ++at)
        ++count;
    return count;
}

std::string_view WordAt(const char* at, const char* end, std::string_view stops) {
    const char* stop = at;
    while (stop < end && stops.find(*stop) == std::string_view::npos) ++stop;
    return std::string_view(at, std::size_t(stop - at));
}

bool TakeNumber(const char*& at, const char* end, std::string_view stops, float& value) {
    const DecimalRead read = ReadDecimalAt(at, end, value);
    if (read.fault != NumberFault::None || read.end == at) return false;
    if (read.end < end && stops.find(*read.end) == std::string_view::npos) return false;
    at = read.end;
    return true;
}

std::string NumberProblem(std::string_view word) {
    std::string_view bare = word;
    if (!bare.empty() && (bare[0] == '-' || bare[0] == '+')) bare.remove_prefix(1);
    std::string lower(bare);
    for (char& c : lower) c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    if (lower == "nan" || lower == "inf" || lower == "infinity") return Quoted(word) + " is not a finite number";
    std::string problem;
    if (!ReadFloat(word, &problem)) return problem;
    return Quoted(word) + " is not a number";
}

bool Refuse(std::string& problem, std::string why) {
    problem = std::move(why);
    return false;
}

bool Fail(LineFault& fault, std::size_t line, std::string what) {
    fault = {line, std::move(what)};
    return false;
}

bool NoSegment(LineFault& fault, const TextLines& lines, std::string_view why) {
    return Fail(fault, std::max<std::size_t>(lines.number, 1), "no segment to draw: " + std::string(why));
}
