#pragma once

#include <cstddef>
#include <vector>

#include "tools3d.h"
#include "vec3.h"

// Line data as read from a file: polylines of points, kept as polylines so
// each can be handed to the drawing core whole. Segment k of a polyline joins
// its point k - 1 to its point k and is drawn with the new point first,
// DrawSegment(point k, point k - 1), as DrawSegmentChain draws it; its colour
// is that of point k (a polyline's first point has no segment of its own).
// 16 bytes a point and 8 a polyline: 40 bytes a segment at most, where every
// segment stands alone.
struct LineData {
    std::vector<Vec3> points;
    std::vector<PointColour> colours;       // one a point, or none at all where the file gives no colour
    std::vector<std::size_t> polylineEnds;  // polyline i is points [polylineEnds[i - 1], polylineEnds[i])
};

// What a segment may take at the most, so 10 million fit in memory.
inline constexpr std::size_t MostBytesPerSegment = 48;

struct PolylineSpan {
    std::size_t first = 0, count = 0;  // into LineData::points
};

std::size_t SegmentCount(const LineData& data);
PolylineSpan PolylineAt(const LineData& data, std::size_t index);
// What the data holds in memory, the vectors' reserve included.
std::size_t HeldBytes(const LineData& data);
// The reserve given back where it takes more than MostBytesPerSegment.
void KeepCompact(LineData& data);

// Building: points join the open polyline until it is ended; a polyline of
// one point has no segment and is dropped. Every point of one LineData comes
// with a colour, or none does.
void AddPoint(LineData& data, Vec3 point);
void AddPoint(LineData& data, Vec3 point, PointColour colour);
void EndPolyline(LineData& data);
// The points of the open polyline so far.
std::size_t OpenPolylineSize(const LineData& data);
