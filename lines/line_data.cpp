#include "line_data.h"

namespace {

std::size_t OpenPolylineStart(const LineData& data) { return data.polylineEnds.empty() ? 0 : data.polylineEnds.back(); }

}  // namespace

std::size_t SegmentCount(const LineData& data) { return data.points.size() - data.polylineEnds.size(); }

PolylineSpan PolylineAt(const LineData& data, std::size_t index) {
    const std::size_t first = index == 0 ? 0 : data.polylineEnds[index - 1];
    return {first, data.polylineEnds[index] - first};
}

std::size_t HeldBytes(const LineData& data) {
    return data.points.capacity() * sizeof(Vec3) + data.colours.capacity() * sizeof(PointColour) +
           data.polylineEnds.capacity() * sizeof(std::size_t);
}

void KeepCompact(LineData& data) {
    if (HeldBytes(data) <= MostBytesPerSegment * SegmentCount(data)) return;
    data.points.shrink_to_fit();
    data.colours.shrink_to_fit();
    data.polylineEnds.shrink_to_fit();
}

void AddPoint(LineData& data, Vec3 point) { data.points.push_back(point); }

void AddPoint(LineData& data, Vec3 point, PointColour colour) {
    data.points.push_back(point);
    data.colours.push_back(colour);
}

void EndPolyline(LineData& data) {
    const std::size_t size = OpenPolylineSize(data);
    if (size >= 2) return data.polylineEnds.push_back(data.points.size());
    if (size == 0) return;
    data.points.pop_back();
    if (!data.colours.empty()) data.colours.pop_back();
}

std::size_t OpenPolylineSize(const LineData& data) { return data.points.size() - OpenPolylineStart(data); }
