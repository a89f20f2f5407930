#include "progress.h"

#include <cstdio>

void ShowProgress(ProgressLine& line, int framesDone) {
    if (!line.out) return;
    const auto now = std::chrono::steady_clock::now();
    if (line.anyShown && framesDone < line.total && now - line.shown < std::chrono::milliseconds(100)) return;
    const double seconds = std::chrono::duration<double>(now - line.start).count();
    const double rate = seconds > 0 ? framesDone / seconds : 0;
    const int left = rate > 0 ? int((line.total - framesDone) / rate + 0.5) : 0;
    char text[96];
    std::snprintf(text, sizeof text, "\rframe %d of %d, %.1f frames/s, %d:%02d left\x1b[K", framesDone, line.total,
                  rate, left / 60, left % 60);
    *line.out << text << std::flush;
    line.shown = now;
    line.anyShown = true;
}

void EndProgress(ProgressLine& line) {
    if (line.out && line.anyShown) *line.out << '\n' << std::flush;
    line.anyShown = false;
}
