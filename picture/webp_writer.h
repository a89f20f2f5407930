#pragma once

#include <string>

#include "canvas.h"

struct WebPAnimEncoder;

// An animated, lossless WebP built frame by frame: 100 ms a frame, looping,
// as large as its first frame.
struct WebPAnimation {
    WebPAnimEncoder* encoder = nullptr;  // made with the first frame
    int width = 0, height = 0;
    int frames = 0;
    std::string error;

    WebPAnimation();
    WebPAnimation(const WebPAnimation&) = delete;
    WebPAnimation& operator=(const WebPAnimation&) = delete;
    ~WebPAnimation();
};

inline constexpr int FrameMilliseconds = 100;  // the window's timer interval

bool AddWebPFrame(WebPAnimation& animation, const Canvas& surface);
// The whole file; empty (and `error`) on failure.
std::string FinishWebP(WebPAnimation& animation);
