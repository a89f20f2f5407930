#include "canvas.h"

#include <algorithm>

#include "run_time_error.h"

void Clear(Canvas& surface) { std::fill(surface.pixels.begin(), surface.pixels.end(), Canvas::Background); }

std::uint32_t PixelAt(const Canvas& surface, int column, int row) {
    if (column < 0 || column >= Canvas::Width || row < 0 || row >= Canvas::Height) RaiseIndexOutOfRange();
    return surface.pixels[row * Canvas::Width + column];
}
