#include "svg_writer.h"

#include <charconv>

namespace {

void AppendCentre(std::string& out, int pixel) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, pixel).ptr;
    out.append(digits, end);
    out += ".5";
}

void AppendColour(std::string& out, Rgb colour) {
    static constexpr char Hex[] = "0123456789abcdef";
    out += '#';
    for (int c : {colour.red, colour.green, colour.blue}) {
        out += Hex[c >> 4];
        out += Hex[c & 15];
    }
}

// Each piece of the line from the centre of its first pixel to the centre of
// its last, exactly the pixels the raster set.
void AppendSegment(std::string& out, const SegmentRecord& s, std::vector<PixelRun>& runs) {
    LinePixelRuns(s.x1, s.y1, s.x2, s.y2, runs);
    for (const PixelRun& run : runs) {
        out += "<path d=\"M";
        AppendCentre(out, run.c1);
        out += ' ';
        AppendCentre(out, run.r1);
        out += 'L';
        AppendCentre(out, run.c2);
        out += ' ';
        AppendCentre(out, run.r2);
        out += "\" stroke=\"";
        AppendColour(out, s.colour);
        out += "\"/>\n";
    }
}

}  // namespace

std::string SvgText(const SegmentLog& log, int width, int height) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      std::to_string(width) + "px\" height=\"" + std::to_string(height) +
                      "px\" viewBox=\"0 0 565 517\">\n"
                      "<rect width=\"565\" height=\"517\" fill=\"#000000\"/>\n";
    // Square caps cover both end pixels as the raster sets them, and keep
    // a segment of zero length visible as one pixel.
    out += "<g fill=\"none\" stroke-width=\"1\" stroke-linecap=\"square\">\n";
    out.reserve(out.size() + log.size() * 48 + 16);
    std::vector<PixelRun> runs;
    for (const SegmentRecord& s : log) AppendSegment(out, s, runs);
    out += "</g>\n</svg>\n";
    return out;
}
