#pragma once

// The plain route: each segment on its own, its values worked out one at a
// time in the order DrawSegment describes, each checked as it is stored, and
// its lines drawn by Line when the plain route's kernels are the ones chosen.
// It is the reference the kernels of every level are checked against, and
// where a batch they are unsure of is drawn, so that an error is raised at
// the segment where it arises, the segments before it drawn.
#include "batch.h"
#include "tools3d.h"

// DrawSegment(points[i], points[i - 1]) for i = 1 .. count - 1, under the
// tools' view, in colours[i] where it is given; the second leaves out a
// segment that raises a run-time error.
void DrawChainPlainly(Tools3D& tools, const Vec3* points, const PointColour* colours, int count);
void DrawChainPlainlySkippingErrors(Tools3D& tools, const Vec3* points, const PointColour* colours, int count);

// The plain route's chain kernel: the whole chain by `replay`.
void DrawChainByPlainRoute(Tools3D& tools, const Vec3* points, const PointColour* colours, int count,
                           PlainChain replay);

// Each line by Line: the plain route's kernel for every canvas.
void LinesPlainly(Canvas& surface, const ColouredSegments& segments);
