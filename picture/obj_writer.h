#pragma once

#include <string>

#include "segment_log.h"

// The segments of the log as OBJ lines through the model points as drawn
// (before rotation). A run of segments where each one's second point is the
// previous one's first (a polyline handing over its points) becomes one `l`
// element through its shared vertices. Every vertex carries a colour,
// `v x y z r g b` with r, g, b from 0 to 1: a segment's colour is the colour
// of its first point, which comes later in the element; the element's first
// vertex repeats the colour of the segment after it.
std::string ObjText(const SegmentLog& log);
