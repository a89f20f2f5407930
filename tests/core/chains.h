#pragma once

// Test support: how a log of segments splits into polylines.
#include <cstddef>
#include <vector>

#include "segment_log.h"
#include "vec3.h"

// Lengths of the runs of log[first, last) in which every segment's older point
// (q) is the newer point (p) of the segment before it: one run per polyline
// when the new point is handed first and no segment joins two curves.
inline std::vector<int> ChainLengths(const SegmentLog& log, std::size_t first, std::size_t last) {
    std::vector<int> lengths;
    for (std::size_t i = first; i < last; ++i) {
        const bool continues = i > first && SameBits(log[i].q, log[i - 1].p);
        if (continues)
            ++lengths.back();
        else
            lengths.push_back(1);
    }
    return lengths;
}

inline std::vector<int> Runs(int count, int length) { return std::vector<int>(count, length); }
