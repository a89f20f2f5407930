#pragma once

#include <cstdint>
#include <vector>

// An RGB colour, each component 0..255.
struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
};

// The raster every picture lands on: 565 x 517 pixels, user coordinates from
// -1 to 1 across and -1 (top) to 1 (bottom) down. Pixels are 0xFFRRGGBB so a
// toolkit image can wrap the buffer without a copy.
struct Canvas {
    static constexpr int Width = 565;
    static constexpr int Height = 517;
    static constexpr std::uint32_t Background = 0xFF000000u;
    static constexpr double ColumnsPerUnit = Width / 2.0;  // 282.5
    static constexpr double RowsPerUnit = Height / 2.0;    // 258.5
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(Width * Height, Background);
};

void Clear(Canvas& surface);

// A straight line between two points in user coordinates, cut at the edges of
// the raster. Both end pixels are set.
void Line(Canvas& surface, float x1, float y1, float x2, float y2, Rgb colour);

// The pixels Line sets for a line, as runs from a first to a last pixel, in
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
