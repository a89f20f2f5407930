#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct PenLines;

// An RGB colour, each component 0..255.
struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
};

// The picture's own size, at scale 1. A canvas's size is its `width` and
// `height`; these name only the 1x picture, so the one is not mistaken for
// the other.
inline constexpr int PictureWidth = 565;
inline constexpr int PictureHeight = 517;
inline constexpr double PictureColumnsPerUnit = PictureWidth / 2.0;  // 282.5
inline constexpr double PictureRowsPerUnit = PictureHeight / 2.0;    // 258.5

// The raster every picture lands on, user coordinates from -1 to 1 across and
// -1 (top) to 1 (bottom) down. Pixels are 0xFFRRGGBB so a toolkit image can
// wrap the buffer without a copy.
//
// The picture is 565 x 517 pixels. A canvas at scale s has round(565 s) x
// round(517 s) pixels (halves away from zero) and user coordinates map onto
// them as onto the picture: column floor((x + 1) width / 2), row
// floor((y + 1) height / 2), the right and bottom edges into the last column
// and row. Each line goes along the same path of pixels as at scale 1, each
// pixel of it drawn as a square pen of max(1, round(s)) pixels, so the picture
// keeps its weight. The square covers the pixel and pen / 2 more up and to
// the left (integer halves): an odd pen is centred on the pixel; an even one
// on its top-left corner, so at scale 2 a line through the middle of a
// picture pixel covers exactly that pixel's 2 x 2 square.
struct Canvas {
    static constexpr std::uint32_t Background = 0xFF000000u;
    static constexpr double MinScale = 0.25, MaxScale = 8;
    static constexpr int MaxPen = 8;  // the pen at MaxScale

    double scale = 1;
    int width = PictureWidth, height = PictureHeight;  // this canvas's own size
    int pen = 1;                                       // the side of the pen's square, in pixels
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(PictureWidth * PictureHeight, Background);
    std::shared_ptr<const PenLines> penLines;  // short lines with the pen, for a canvas not at the picture's size

    Canvas() = default;
    // At a scale from MinScale to MaxScale; raises for any other.
    explicit Canvas(double atScale);
};

// Whether a canvas draws exactly as the picture does: its size and a pen of one pixel.
inline bool AtPictureSize(const Canvas& surface) {
    return surface.width == PictureWidth && surface.height == PictureHeight && surface.pen == 1;
}

void Clear(Canvas& surface);

// A straight line between two points in user coordinates, cut at the edges of
// the raster. Both end pixels are set. On a canvas at another scale it is
// drawn with that canvas's pen.
void Line(Canvas& surface, float x1, float y1, float x2, float y2, Rgb colour);

// The pixels Line sets for a line on the picture, as runs from a first to a last pixel, in
// order from (x1, y1): none when the line misses the raster, one in general,
// more only when both ends lie far outside. For writers that redraw the
// picture elsewhere and must put each line exactly where the raster did.
// Raises as Line does for an end that is not finite.
struct PixelRun {
    int c1, r1, c2, r2;
};
void LinePixelRuns(float x1, float y1, float x2, float y2, std::vector<PixelRun>& runs);  // replaces `runs`

std::uint32_t PixelAt(const Canvas& surface, int column, int row);

inline std::uint32_t PackRgb(Rgb c) {
    return 0xFF000000u | (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
}

inline Rgb UnpackRgb(std::uint32_t pixel) {
    return {std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel)};
}
