#pragma once

#include <cstdint>
#include <vector>

#include "encoder.h"

// A GIF counts a frame's time in hundredths of a second.
inline constexpr int GifDelayStep = 10;  // ms

// An animated GIF written frame by frame into the encoder's file, looping, as large as the canvas it began with, each
// frame a full picture with its own colour table holding exactly its colours. A frame with more than 256 colours is
// reduced: every channel drops its lowest bit, then the next, until at most 256 remain (the encoder's droppedBits).
// The frame time must be a whole number of GifDelayStep.
bool BeginGif(Encoder& encoder, const Canvas& surface);
bool AddGifFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
bool FinishGif(Encoder& encoder);

// The distinct colours of the pixels (at most `limit`) and each pixel's index
// among them; false when there are more than `limit`.
bool IndexColours(const std::uint32_t* pixels, int count, std::uint32_t mask, int limit,
                  std::vector<std::uint32_t>& colours, std::vector<std::uint8_t>& indices);
