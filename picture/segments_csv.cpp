#include "segments_csv.h"

#include <sstream>

#include "float_text.h"

void WriteSegmentsCsv(std::ostream& out, const SegmentLog& log) {
    out << SegmentsCsvHeader << '\n';
    for (const SegmentRecord& s : log) {
        for (float v : {s.p.x, s.p.y, s.p.z, s.q.x, s.q.y, s.q.z, s.x1, s.y1, s.x2, s.y2}) out << FloatText(v) << ',';
        out << int(s.colour.red) << ',' << int(s.colour.green) << ',' << int(s.colour.blue) << '\n';
    }
}

std::string SegmentsCsvText(const SegmentLog& log) {
    std::ostringstream text;
    WriteSegmentsCsv(text, log);
    return std::move(text).str();
}
