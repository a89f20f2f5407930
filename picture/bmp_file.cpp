#include "bmp_file.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int FileHeaderSize = 14, InfoHeaderSize = 40;
constexpr std::uint32_t DotsPerMeter = 3937;  // 100 dots per inch, what every Orbiza picture file states

void Put16(char*& out, std::uint32_t value) {
    for (int i = 0; i < 2; ++i) *out++ = char(value >> (8 * i));
}

void Put32(char*& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) *out++ = char(value >> (8 * i));
}

}  // namespace

void EncodeBmp(const Canvas& surface, std::string& bytes) {
    const std::size_t rowBytes = (std::size_t(surface.width) * 3 + 3) / 4 * 4;
    const auto imageSize = std::uint32_t(rowBytes * std::size_t(surface.height));
    constexpr std::uint32_t offset = FileHeaderSize + InfoHeaderSize;
    bytes.assign(offset + imageSize, '\0');
    char* out = bytes.data();
    *out++ = 'B', *out++ = 'M';
    Put32(out, offset + imageSize);
    Put32(out, 0);  // two reserved words
    Put32(out, offset);
    Put32(out, InfoHeaderSize);
    Put32(out, std::uint32_t(surface.width));
    Put32(out, std::uint32_t(surface.height));  // positive: the bottom row comes first
    Put16(out, 1);                              // planes
    Put16(out, 24);                             // bits per pixel
    Put32(out, 0);                              // no compression
    Put32(out, imageSize);
    Put32(out, DotsPerMeter);
    Put32(out, DotsPerMeter);
    Put32(out, 0);  // no colour table
    Put32(out, 0);
    for (int row = surface.height - 1; row >= 0; --row) {
        char* line = out;
        for (int column = 0; column < surface.width; ++column) {
            const Rgb c = UnpackRgb(PixelAt(surface, column, row));
            *line++ = char(c.blue), *line++ = char(c.green), *line++ = char(c.red);
        }
        out += rowBytes;  // the padding stays zero
    }
}
