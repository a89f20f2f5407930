#pragma once

// The lines of a batch on a canvas at the picture's size, by the kernels of
// each level: every end's pixel found once, though two lines share it, the
// short lines planned ahead in registers of integers, then each line drawn
// in order (a line with an end outside the raster cut first).
#include "batch.h"
#include "canvas.h"
#include "double_lanes.h"

void PictureLinesScalar(Canvas& surface, const ColouredSegments& segments);
#if ORBIZA_DOUBLE_PAIRS
void PictureLinesPairs(Canvas& surface, const ColouredSegments& segments);
#endif
#if defined(__x86_64__)
[[gnu::target("avx2")]] void PictureLinesFour(Canvas& surface, const ColouredSegments& segments);
#endif
