#include "canvas.h"

#include <algorithm>

#include "clip.h"
#include "run_time_error.h"
#include "simd_level.h"

void Clear(Canvas& surface) { std::fill(surface.pixels.begin(), surface.pixels.end(), Canvas::Background); }

void Line(Canvas& surface, float x1, float y1, float x2, float y2, Rgb colour) {
    LinePixel(surface, x1, y1, x2, y2, PackRgb(colour), SimdLevel::Scalar);  // every level sets the same pixels
}

std::uint32_t PixelAt(const Canvas& surface, int column, int row) {
    if (column < 0 || column >= Canvas::Width || row < 0 || row >= Canvas::Height) RaiseIndexOutOfRange();
    return surface.pixels[row * Canvas::Width + column];
}
