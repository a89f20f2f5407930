#pragma once

#include <string>

#include "canvas.h"
#include "segment_log.h"

// The picture as an SVG document: a black 565 x 517 background and every
// segment of the log, in drawing order, as a 1-pixel line in exactly its
// colour from its first to its second end pixel centre, consecutive lines
// that meet in one colour as one path (joined_paths.h). Parts outside the
// picture are cut off as the raster cuts them. The document is `width` x
// `height` pixels, the size of the canvas drawn at a scale, with the same view
// box and lines, so its strokes grow with it.
std::string SvgText(const SegmentLog& log, int width = PictureWidth, int height = PictureHeight);
