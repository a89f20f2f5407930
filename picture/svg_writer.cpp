#include "svg_writer.h"

#include <charconv>

#include "float_text.h"
#include "joined_paths.h"

namespace {

void AppendCentre(std::string& out, int pixel) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, pixel).ptr;
    out.append(digits, end);
    out += ".5";
}

void AppendPixel(std::string& out, PathPixel pixel) {
    AppendCentre(out, pixel.column);
    out += ' ';
    AppendCentre(out, pixel.row);
}

void AppendColour(std::string& out, Rgb colour) {
    static constexpr char Hex[] = "0123456789abcdef";
    out += '#';
    for (int c : {colour.red, colour.green, colour.blue}) {
        out += Hex[c >> 4];
        out += Hex[c & 15];
    }
}

// One path through the centres of its pixels; a path of one pixel as that
// pixel's square, which not every renderer draws for a line of zero length.
void AppendPath(std::string& out, const JoinedPaths& joined, std::size_t index) {
    const std::size_t first = PathStart(joined, index), end = joined.paths[index].end;
    const PathPixel start = joined.pixels[first];
    if (end - first == 1) {
        out += "<rect x=\"" + std::to_string(start.column) + "\" y=\"" + std::to_string(start.row) +
               "\" width=\"1\" height=\"1\" fill=\"";
        AppendColour(out, joined.paths[index].colour);
        out += "\"/>\n";
        return;
    }
    out += "<path d=\"M";
    AppendPixel(out, start);
    out += 'L';
    for (std::size_t i = first + 1; i < end; ++i) {
        if (i > first + 1) out += ' ';
        AppendPixel(out, joined.pixels[i]);
    }
    out += "\" stroke=\"";
    AppendColour(out, joined.paths[index].colour);
    out += "\"/>\n";
}

}  // namespace

std::string SvgText(const SegmentLog& log, int width, int height) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      std::to_string(width) + "px\" height=\"" + std::to_string(height) +
                      "px\" viewBox=\"0 0 565 517\">\n"
                      "<rect width=\"565\" height=\"517\" fill=\"#000000\"/>\n";
    // Square caps cover both end pixels as the raster sets them.
    out +=
        "<g fill=\"none\" stroke-width=\"1\" stroke-linecap=\"square\" stroke-linejoin=\"miter\" "
        "stroke-miterlimit=\"" +
        FloatText(float(PathMiterLimit)) + "\">\n";
    const JoinedPaths joined = JoinPaths(log);
    out.reserve(out.size() + joined.paths.size() * 40 + joined.pixels.size() * 12 + 16);
    for (std::size_t i = 0; i < joined.paths.size(); ++i) AppendPath(out, joined, i);
    out += "</g>\n</svg>\n";
    return out;
}
