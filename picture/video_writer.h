#pragma once

#include "encoder.h"

// A video built frame by frame into the encoder's file: H.264 in MP4 or VP9
// in WebM, yuv420p, each frame lasting the encoder's frame time, as large as
// the canvas it began with. H.264 needs even sizes, so an odd width or height
// gets one black column or row on the right or at the bottom. Into a file of
// our own the MP4 gets its index at the front; into a pipe, a device or a
// stream, which cannot be gone back over, it is written as fragments that play
// as they arrive.
bool BeginVideo(Encoder& encoder, const Canvas& surface);
bool AddVideoFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
// Drains the encoder and completes the file.
bool FinishVideo(Encoder& encoder);

// The video libraries report on standard error by themselves; the renderer
// reports their failures in its own words instead. Call once at start-up.
void SilenceVideoLibraries();
