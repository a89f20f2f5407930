#include "canvas.h"

#include <algorithm>
#include <cmath>

#include "fast/pen_lines.h"
#include "run_time_error.h"

namespace {

double ScaleOrRaise(double scale) {
    if (!(scale >= Canvas::MinScale && scale <= Canvas::MaxScale))
        RaiseOperationFailed("Canvas: a scale must lie from 0.25 to 8");
    return scale;
}

int Scaled(int size, double scale) { return int(std::lround(size * scale)); }

}  // namespace

Canvas::Canvas(double atScale)
    : scale(ScaleOrRaise(atScale)),
      width(Scaled(PictureWidth, scale)),
      height(Scaled(PictureHeight, scale)),
      pen(std::max(1, int(std::lround(scale)))),
      pixels(std::size_t(width) * std::size_t(height), Background) {
    if (!AtPictureSize(*this)) penLines = std::make_shared<const PenLines>(MakePenLines(pen, width));
}

void Clear(Canvas& surface) { std::fill(surface.pixels.begin(), surface.pixels.end(), Canvas::Background); }

std::uint32_t PixelAt(const Canvas& surface, int column, int row) {
    if (column < 0 || column >= surface.width || row < 0 || row >= surface.height) RaiseIndexOutOfRange();
    return surface.pixels[std::size_t(row) * std::size_t(surface.width) + std::size_t(column)];
}
