#include "canvas.h"

#include <algorithm>
#include <cmath>

#include "fast/clip.h"
#include "fast/pen.h"
#include "fast/pen_lines.h"
#include "fast/raster.h"
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

void Line(Canvas& surface, float x1, float y1, float x2, float y2, Rgb colour) {
    DrawClippedLine(surface, x1, y1, x2, y2, PackRgb(colour), AtPictureSize(surface) ? PlainBresenham : PenLine);
}

void LinePixelRuns(float x1, float y1, float x2, float y2, std::vector<PixelRun>& runs) {
    runs.clear();
    ClipToRuns(x1, y1, x2, y2, PictureWidth, PictureHeight, runs);
}

std::uint32_t PixelAt(const Canvas& surface, int column, int row) {
    if (column < 0 || column >= surface.width || row < 0 || row >= surface.height) RaiseIndexOutOfRange();
    return surface.pixels[std::size_t(row) * std::size_t(surface.width) + std::size_t(column)];
}
