#include "obj_writer.h"

#include <cstring>

#include "float_text.h"

namespace {

bool SamePoint(const Vec3& a, const Vec3& b) { return std::memcmp(&a, &b, sizeof(Vec3)) == 0; }

void AppendVertex(std::string& out, const Vec3& v, Rgb colour) {
    out += "v ";
    for (float f : {v.x, v.y, v.z}) out += FloatText(f) + ' ';
    out += FloatText(colour.red / 255.0f) + ' ' + FloatText(colour.green / 255.0f) + ' ' +
           FloatText(colour.blue / 255.0f) + '\n';
}

}  // namespace

std::string ObjText(const SegmentLog& log) {
    std::string out = "# orbiza: " + std::to_string(log.size()) + " segments\n";
    std::string element;
    std::size_t vertices = 0;
    for (std::size_t i = 0; i < log.size(); ++i) {
        const SegmentRecord& s = log[i];
        if (i == 0 || !SamePoint(s.q, log[i - 1].p)) {  // a new polyline starts at this segment's second point
            if (!element.empty()) out += element + '\n';
            AppendVertex(out, s.q, s.colour);
            element = "l " + std::to_string(++vertices);
        }
        AppendVertex(out, s.p, s.colour);
        element += ' ' + std::to_string(++vertices);
    }
    if (!element.empty()) out += element + '\n';
    return out;
}
