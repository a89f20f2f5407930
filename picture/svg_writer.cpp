#include "svg_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "canvas.h"

namespace {

struct PixelLine {
    double u1, v1, u2, v2;  // pixel units: 0..Width across, 0..Height down
};

// Cuts the line to the raster in double precision (Liang-Barsky); false when
// nothing of it is inside.
bool ClipToRaster(PixelLine& line) {
    const double du = line.u2 - line.u1, dv = line.v2 - line.v1;
    double enter = 0, leave = 1;
    const double p[4] = {-du, du, -dv, dv};
    const double q[4] = {line.u1, Canvas::Width - line.u1, line.v1, Canvas::Height - line.v1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave) return false;
    const double u1 = line.u1, v1 = line.v1;
    line = {u1 + enter * du, v1 + enter * dv, u1 + leave * du, v1 + leave * dv};
    return true;
}

// The centre of the pixel a position falls in; the far edges belong to the last pixel.
int Pixel(double at, int size) { return std::clamp(int(std::floor(at)), 0, size - 1); }

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

void AppendSegment(std::string& out, const SegmentRecord& s) {
    const auto across = [](float x) { return (double(x) + 1.0) * Canvas::ColumnsPerUnit; };
    const auto down = [](float y) { return (double(y) + 1.0) * Canvas::RowsPerUnit; };
    PixelLine line{across(s.x1), down(s.y1), across(s.x2), down(s.y2)};
    if (!std::isfinite(line.u1 + line.v1 + line.u2 + line.v2) || !ClipToRaster(line)) return;
    out += "<path d=\"M";
    AppendCentre(out, Pixel(line.u1, Canvas::Width));
    out += ' ';
    AppendCentre(out, Pixel(line.v1, Canvas::Height));
    out += 'L';
    AppendCentre(out, Pixel(line.u2, Canvas::Width));
    out += ' ';
    AppendCentre(out, Pixel(line.v2, Canvas::Height));
    out += "\" stroke=\"";
    AppendColour(out, s.colour);
    out += "\"/>\n";
}

}  // namespace

std::string SvgText(const SegmentLog& log) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"565px\" height=\"517px\" viewBox=\"0 0 565 517\">\n"
        "<rect width=\"565\" height=\"517\" fill=\"#000000\"/>\n"
        // Square caps cover both end pixels as the raster sets them, and keep
        // a segment of zero length visible as one pixel.
        "<g fill=\"none\" stroke-width=\"1\" stroke-linecap=\"square\">\n";
    out.reserve(out.size() + log.size() * 48 + 16);
    for (const SegmentRecord& s : log) AppendSegment(out, s);
    out += "</g>\n</svg>\n";
    return out;
}
