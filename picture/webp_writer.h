#pragma once

#include "encoder.h"

// An animated, lossless WebP built frame by frame, looping, as large as the
// canvas it began with, written to the encoder's file when finished.
bool BeginWebP(Encoder& encoder, const Canvas& surface);
bool AddWebPFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
bool FinishWebP(Encoder& encoder);
