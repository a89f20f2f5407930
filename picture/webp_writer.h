#pragma once

#include <string>

#include "canvas.h"
#include "file_format.h"

struct WebPAnimEncoder;

// An animated, lossless WebP built frame by frame, looping, as large as its
// first frame.
struct WebPAnimation {
    WebPAnimEncoder* encoder = nullptr;      // made with the first frame
    int delayMs = DefaultFrameMilliseconds;  // each frame's time
    int width = 0, height = 0;
    int frames = 0;
    std::string error;

    WebPAnimation();
    WebPAnimation(const WebPAnimation&) = delete;
    WebPAnimation& operator=(const WebPAnimation&) = delete;
    ~WebPAnimation();
};

bool AddWebPFrame(WebPAnimation& animation, const Canvas& surface);
// The whole file; empty (and `error`) on failure.
std::string FinishWebP(WebPAnimation& animation);
