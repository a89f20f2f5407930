#pragma once

// The last step of a segment: its line on each canvas attached, by the kernel
// chosen for that canvas, and its record in the log.
#include "batch.h"
#include "tools3d.h"

// Draws the segments, in order, and leaves Brightness at the last one's.
void DrawColoured(Tools3D& tools, const ColouredSegments& segments);
