#pragma once

#include <chrono>
#include <ostream>

// The one line a long run keeps up to date on a terminal: frame i of N,
// frames per second and the time left.
struct ProgressLine {
    std::ostream* out = nullptr;  // null: show nothing
    int total = 0;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point shown;
    bool anyShown = false;
};

// Redraws the line at most ten times a second, and always for the last frame.
void ShowProgress(ProgressLine& line, int framesDone);
// Ends the line so that what follows starts on its own.
void EndProgress(ProgressLine& line);
