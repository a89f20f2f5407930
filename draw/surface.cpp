#include "surface.h"

#include <algorithm>

#include "clip.h"
#include "run_time_error.h"
#include "simd_level.h"

void Clear(Surface& surface) { std::fill(surface.pixels.begin(), surface.pixels.end(), Surface::Background); }

void Line(Surface& surface, float x1, float y1, float x2, float y2, Rgb colour) {
    LinePixel(surface, x1, y1, x2, y2, PackRgb(colour), ActiveSimdLevel());
}

std::uint32_t PixelAt(const Surface& surface, int column, int row) {
    if (column < 0 || column >= Surface::Width || row < 0 || row >= Surface::Height) RaiseIndexOutOfRange();
    return surface.pixels[row * Surface::Width + column];
}
