#pragma once

// Segments as texts to compare, "px,py,pz>qx,qy,qz #rrggbb", each float written so it reads back bit for bit.
#include <cstdio>
#include <string>
#include <vector>

#include "float_text.h"
#include "line_data.h"

inline std::string PointText(Vec3 v) { return FloatText(v.x) + ',' + FloatText(v.y) + ',' + FloatText(v.z); }

inline std::string SegmentText(Vec3 p, Vec3 q, const PointColour& colour) {
    char hex[16] = "";
    if (colour.given)
        std::snprintf(hex, sizeof hex, " #%02x%02x%02x", colour.rgb.red, colour.rgb.green, colour.rgb.blue);
    return PointText(p) + '>' + PointText(q) + hex;
}

// In drawing order: segment k of a polyline from its point k (first) to its point k - 1.
inline std::vector<std::string> SegmentTexts(const LineData& data) {
    std::vector<std::string> texts;
    for (std::size_t line = 0; line < data.polylineEnds.size(); ++line) {
        const PolylineSpan span = PolylineAt(data, line);
        for (std::size_t k = span.first + 1; k < span.first + span.count; ++k)
            texts.push_back(SegmentText(data.points[k], data.points[k - 1],
                                        data.colours.empty() ? PointColour{} : data.colours[k]));
    }
    return texts;
}
