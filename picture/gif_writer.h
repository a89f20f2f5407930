#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "file_format.h"
#include "output_file.h"

struct GifFileType;

// A GIF counts a frame's time in hundredths of a second.
inline constexpr int GifDelayStep = 10;  // ms

// An animated GIF written frame by frame into `file`, looping, as large as its first frame, each frame a full picture
// with its own colour table holding exactly its colours. A frame with more than 256 colours is reduced: every channel
// drops its lowest bit, then the next, until at most 256 remain.
struct GifAnimation {
    GifFileType* gif = nullptr;
    OutputFile* file = nullptr;
    std::string pending;                     // encoded bytes not yet handed to the file
    std::vector<std::uint8_t> indices;       // the frame as colour-table indices
    std::vector<std::uint32_t> colours;      // the frame's colour table
    int delayMs = DefaultFrameMilliseconds;  // each frame's time, a whole number of GifDelayStep
    int width = 0, height = 0;               // the first frame's, which every frame has
    int frames = 0;
    std::string error;

    GifAnimation() = default;
    GifAnimation(const GifAnimation&) = delete;
    GifAnimation& operator=(const GifAnimation&) = delete;
    ~GifAnimation();
};

bool StartGif(GifAnimation& animation, OutputFile& file);
// `droppedBits` is set to how many low bits each channel lost (0: exact colours).
bool AddGifFrame(GifAnimation& animation, const Canvas& surface, int* droppedBits);
bool FinishGif(GifAnimation& animation);

// The distinct colours of the pixels (at most `limit`) and each pixel's index
// among them; false when there are more than `limit`.
bool IndexColours(const std::uint32_t* pixels, int count, std::uint32_t mask, int limit,
                  std::vector<std::uint32_t>& colours, std::vector<std::uint8_t>& indices);
