#include "raster.h"

void LongBresenham(std::uint32_t* at, int dc, int dr, int columnStep, int rowStep, std::uint32_t pixel) {
    int error = dc - dr;
    for (int left = std::max(dc, dr);; --left) {
        *at = pixel;
        if (left == 0) return;
        const int twice = 2 * error;
        const bool alongColumns = twice >= -dr, alongRows = twice <= dc;
        error += (alongColumns ? -dr : 0) + (alongRows ? dc : 0);
        at += (alongColumns ? columnStep : 0) + (alongRows ? rowStep : 0);
    }
}

void LineBetweenPixels(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    FastBresenham(surface, c1, r1, c2, r2, pixel);
}

void PlainBresenham(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    const int dc = std::abs(c2 - c1), dr = -std::abs(r2 - r1);
    const int sc = c1 < c2 ? 1 : -1, sr = r1 < r2 ? 1 : -1;
    int error = dc + dr;
    std::uint32_t* const data = surface.pixels.data();
    for (;;) {
        data[r1 * PictureWidth + c1] = pixel;
        if (c1 == c2 && r1 == r2) return;
        const int twice = 2 * error;
        if (twice >= dr) error += dr, c1 += sc;
        if (twice <= dc) error += dc, r1 += sr;
    }
}
