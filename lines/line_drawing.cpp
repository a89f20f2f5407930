#include "line_drawing.h"

#include <algorithm>
#include <climits>

void DrawLines(Tools3D& tools, const LineData& data, Vec3 angles) {
    for (std::size_t line = 0; line < data.polylineEnds.size(); ++line) {
        const PolylineSpan span = PolylineAt(data, line);
        // A chain takes an int count: a longer polyline goes in pieces that share their end points.
        for (std::size_t first = span.first; first + 1 < span.first + span.count; first += INT_MAX - 1) {
            const std::size_t count = std::min<std::size_t>(INT_MAX, span.first + span.count - first);
            DrawSegmentChainInColours(tools, &data.points[first], data.colours.empty() ? nullptr : &data.colours[first],
                                      int(count), angles);
        }
    }
}
