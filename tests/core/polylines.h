#pragma once

// Test support: cut a segment log back into the polylines that drew it. A
// segment continues the current polyline when its older point is, bit for
// bit, the newer point of the segment before.
#include <vector>

#include "segment_log.h"

using Polyline = std::vector<Vec3>;  // points in drawing order

inline std::vector<Polyline> SplitPolylines(const SegmentLog& log) {
    std::vector<Polyline> lines;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (i == 0 || !SameBits(log[i].q, log[i - 1].p)) lines.push_back({log[i].q});
        lines.back().push_back(log[i].p);
    }
    return lines;
}

// Points per polyline, e.g. {9, 9, 75}.
inline std::vector<int> PointCounts(const std::vector<Polyline>& lines) {
    std::vector<int> counts;
    for (const Polyline& line : lines) counts.push_back(int(line.size()));
    return counts;
}

// `polylines` curves of `points` points each, appended to `counts`.
inline std::vector<int> Repeat(std::vector<int> counts, int polylines, int points) {
    counts.insert(counts.end(), polylines, points);
    return counts;
}

// Segments per polyline within log[first, last), e.g. {13, 13, 13}.
inline std::vector<int> ChainLengths(const SegmentLog& log, std::size_t first, std::size_t last) {
    std::vector<int> lengths;
    for (const Polyline& line : SplitPolylines(SegmentLog(log.begin() + first, log.begin() + last)))
        lengths.push_back(int(line.size()) - 1);
    return lengths;
}

inline std::vector<int> Runs(int count, int length) { return Repeat({}, count, length); }
