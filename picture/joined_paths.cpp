#include "joined_paths.h"

namespace {

bool SamePixel(PathPixel a, PathPixel b) { return a.column == b.column && a.row == b.row; }
bool SameColour(Rgb a, Rgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

// A line from `from` to `to`: the open path goes on where it ends at either of
// them in the same colour; otherwise a new path starts.
void AddLine(JoinedPaths& joined, Rgb colour, PathPixel from, PathPixel to) {
    const bool open = !joined.paths.empty() && SameColour(joined.paths.back().colour, colour);
    const PathPixel last = open ? joined.pixels.back() : PathPixel{};
    if (open && SamePixel(last, from)) {
        if (!SamePixel(from, to)) joined.pixels.push_back(to);
    } else if (open && SamePixel(last, to)) {
        if (!SamePixel(from, to)) joined.pixels.push_back(from);
    } else {
        joined.pixels.push_back(from);
        if (!SamePixel(from, to)) joined.pixels.push_back(to);
        joined.paths.push_back({colour, 0});
    }
    joined.paths.back().end = joined.pixels.size();
}

}  // namespace

JoinedPaths JoinPaths(const SegmentLog& log) {
    JoinedPaths joined;
    joined.pixels.reserve(log.size() + 1);
    std::vector<PixelRun> runs;
    for (const SegmentRecord& s : log) {
        LinePixelRuns(s.x1, s.y1, s.x2, s.y2, runs);
        // From the second end: a polyline's next segment starts at this one's first.
        for (const PixelRun& run : runs) AddLine(joined, s.colour, {run.c2, run.r2}, {run.c1, run.r1});
    }
    return joined;
}
