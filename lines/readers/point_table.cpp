// The plain point table simulation codes and plotting scripts write: x y z a
// line (blanks, tabs or commas between), a blank line between polylines, '#'
// starting a comment.
#include "line_readers.h"
#include "text_scan.h"

namespace {

constexpr std::string_view NumberStops = " \t,#";

// The separator before the next number: blanks, with one comma among them at most.
const char* SkipSeparator(const char* at, const char* end) {
    at = SkipBlanks(at, end);
    return at < end && *at == ',' ? SkipBlanks(at + 1, end) : at;
}

bool ReadPoint(const char* at, const char* end, Vec3& point, std::string& problem) {
    float xyz[3];
    for (int k = 0; k < 3; ++k) {
        if (k > 0) at = SkipSeparator(at, end);
        if (at == end || *at == '#') return Refuse(problem, "expected three numbers x y z, found " + std::to_string(k));
        if (!TakeNumber(at, end, NumberStops, xyz[k]))
            return Refuse(problem, NumberProblem(WordAt(at, end, NumberStops)));
    }
    at = SkipBlanks(at, end);
    if (at != end && *at != '#') return Refuse(problem, "expected three numbers x y z, found more");
    point = Vec3{xyz[0], xyz[1], xyz[2]};
    return true;
}

}  // namespace

bool ReadPointTable(std::string_view text, LineData& data, LineFault& fault) {
    TextLines lines = StartLines(text);
    data.points.reserve(LinesLeft(lines));
    std::string_view line;
    std::string problem;
    while (NextLine(lines, line)) {
        const char* end = line.data() + line.size();
        const char* at = SkipBlanks(line.data(), end);
        if (at == end) EndPolyline(data);
        if (at == end || *at == '#') continue;
        Vec3 point;
        if (!ReadPoint(at, end, point, problem)) return Fail(fault, lines.number, problem);
        AddPoint(data, point);
    }
    EndPolyline(data);
    if (SegmentCount(data) == 0)
        return NoSegment(fault, lines, "a polyline needs two points, one line after the other");
    return true;
}
