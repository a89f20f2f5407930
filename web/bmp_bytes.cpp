#include "bmp_bytes.h"

namespace {

constexpr int FileHeaderSize = 14, InfoHeaderSize = 40;
constexpr int RowBytes = (Canvas::Width * 3 + 3) / 4 * 4;
constexpr std::uint32_t DotsPerMeter = 3937;  // 100 dots per inch, what every Orbiza picture file states

void Put16(std::uint8_t*& out, std::uint32_t value) {
    for (int i = 0; i < 2; ++i) *out++ = std::uint8_t(value >> (8 * i));
}

void Put32(std::uint8_t*& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) *out++ = std::uint8_t(value >> (8 * i));
}

}  // namespace

void WriteBmp(const Canvas& surface, std::vector<std::uint8_t>& bytes) {
    constexpr std::uint32_t imageSize = RowBytes * Canvas::Height;
    constexpr std::uint32_t offset = FileHeaderSize + InfoHeaderSize;
    bytes.assign(offset + imageSize, 0);
    std::uint8_t* out = bytes.data();
    *out++ = 'B', *out++ = 'M';
    Put32(out, offset + imageSize);
    Put32(out, 0);  // two reserved words
    Put32(out, offset);
    Put32(out, InfoHeaderSize);
    Put32(out, Canvas::Width);
    Put32(out, Canvas::Height);  // positive: the bottom row comes first
    Put16(out, 1);               // planes
    Put16(out, 24);              // bits per pixel
    Put32(out, 0);               // no compression
    Put32(out, imageSize);
    Put32(out, DotsPerMeter);
    Put32(out, DotsPerMeter);
    Put32(out, 0);  // no colour table
    Put32(out, 0);
    for (int row = Canvas::Height - 1; row >= 0; --row) {
        std::uint8_t* line = out;
        for (int column = 0; column < Canvas::Width; ++column) {
            const Rgb c = UnpackRgb(PixelAt(surface, column, row));
            *line++ = c.blue, *line++ = c.green, *line++ = c.red;
        }
        out += RowBytes;  // the padding stays zero
    }
}
