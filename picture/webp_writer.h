#pragma once

#include <string>

#include "canvas.h"

struct WebPAnimEncoder;

// An animated, lossless WebP built frame by frame: 100 ms a frame, looping.
struct WebPAnimation {
    WebPAnimEncoder* encoder = nullptr;
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
