#pragma once

#include <string>

#include "segment_log.h"

// The picture as a PDF or EPS page for a document: a black page of `width` x
// `height` points, the size of the canvas drawn at a scale, holding every
// segment of the log as the SVG holds it (joined_paths.h): lines between the
// centres of their end pixels on the 565 x 517 picture, stretched to the
// page, in exactly their colours and in drawing order, with square caps.
// The same log gives the same bytes, run after run: no creation date.
enum class PageKind { Pdf, Eps };

// False, with `bytes` left as it was, when cairo fails.
bool PageBytes(PageKind kind, const SegmentLog& log, int width, int height, std::string& bytes);
