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
struct Surface {
    static constexpr int Width = 565;
    static constexpr int Height = 517;
    static constexpr std::uint32_t Background = 0xFF000000u;
    static constexpr double ColumnsPerUnit = Width / 2.0;  // 282.5
    static constexpr double RowsPerUnit = Height / 2.0;    // 258.5
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(Width * Height, Background);
};

void Clear(Surface& surface);

// A straight line between two points in user coordinates, cut at the edges of
// the raster. Both end pixels are set.
void Line(Surface& surface, float x1, float y1, float x2, float y2, Rgb colour);

// Line with the colour already packed as a pixel.
void LinePixel(Surface& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel);

// The pixel a user point lands on when it lies inside the raster, its edges
// included; false for a point outside, where Line clips. The far edges
// belong to the last column and row.
inline bool PixelInside(float x, float y, int& column, int& row) {
    const double u = (double(x) + 1.0) * Surface::ColumnsPerUnit, v = (double(y) + 1.0) * Surface::RowsPerUnit;
    if (!(u >= 0.0 && u <= Surface::Width && v >= 0.0 && v <= Surface::Height)) return false;
    column = static_cast<int>(u) - (u == Surface::Width);  // truncation is floor here
    row = static_cast<int>(v) - (v == Surface::Height);
    return true;
}

// Line between two points whose pixels PixelInside gave.
void LineBetweenPixels(Surface& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// The lines of a polyline's points, in order: line j from point j + 1 to
// point j (j < count), as LinePixel draws it. Bit i of `inside` tells that
// point i lies inside the raster, and then column[i] and row[i] are its pixel.
struct PixelChain {
    static constexpr int MaxCount = 63;  // lines, as many as `inside` has bits for their ends

    const float* x;
    const float* y;
    const std::int32_t* column;
    const std::int32_t* row;
    std::uint64_t inside;
    const std::uint32_t* pixel;
    int count;
};
void DrawPixelChain(Surface& surface, const PixelChain& chain);

// The same pixels by the plain route: every line clipped, one branch per
// step. Kept as the reference the fast Line is checked against.
void LineStraightforward(Surface& surface, float x1, float y1, float x2, float y2, Rgb colour);

std::uint32_t PixelAt(const Surface& surface, int column, int row);

inline std::uint32_t PackRgb(Rgb c) {
    return 0xFF000000u | (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
}

inline Rgb UnpackRgb(std::uint32_t pixel) {
    return {std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel)};
}
