#pragma once

#include <vector>

#include "canvas.h"
#include "vec3.h"

// One DrawSegment call as it was drawn: the model points as handed over, their
// screen points and the colour. Filled only when a log is attached.
struct SegmentRecord {
    Vec3 p, q;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour;
};

using SegmentLog = std::vector<SegmentRecord>;
