#pragma once

// The plain route: every end rotated and projected one value at a time,
// every line clipped and stepped with a branch per pixel (Line, the
// surface's own line operation). It is the reference
// the fast route is checked against, and the place where errors are raised:
// a segment the fast route is unsure of is replayed here.
#include <cstdint>

#include "tools3d.h"

void DrawSegmentStraightforward(Tools3D& tools, Vec3 p, Vec3 q, Vec3 angles);

void LogSegment(Tools3D& tools, Vec3 p, Vec3 q, ScreenPoint s1, ScreenPoint s2, std::uint32_t pixel);
