#pragma once

#include <cstddef>
#include <vector>

#include "canvas.h"
#include "segment_log.h"

// The segment log as vector files draw it: each line between the centres of
// its end pixels on the picture, and consecutive lines of one colour that meet
// at a pixel (a polyline's segments, each starting where the one before
// ended) as one path through them, which keeps a file of many short segments
// small. The paths come in drawing order. A path of one point is a line of
// zero length: a single pixel.
struct PathPixel {
    int column = 0, row = 0;
};

struct JoinedPath {
    Rgb colour;
    std::size_t end = 0;  // its pixels are [the end of the path before, end)
};

struct JoinedPaths {
    std::vector<PathPixel> pixels;
    std::vector<JoinedPath> paths;
};

JoinedPaths JoinPaths(const SegmentLog& log);

// The first pixel of path `index`.
inline std::size_t PathStart(const JoinedPaths& joined, std::size_t index) {
    return index == 0 ? 0 : joined.paths[index - 1].end;
}

// A path joins at its corners without a point longer than a square cap's
// corner reaches (the miter limit √2, a right angle), so a joined path covers
// no pixel that its lines drawn one by one would not reach.
inline constexpr double PathMiterLimit = 1.415;
