// OBJ line elements: `v x y z [r g b]` vertices (colours 0..1), `l` polylines
// through them and `f` faces drawn as their closed outlines; indices from 1,
// or negative from the last vertex so far. Every other statement is passed over.
#include <cmath>

#include "float_text.h"
#include "line_readers.h"
#include "text_scan.h"

namespace {

constexpr std::string_view WordStops = " \t#";

struct Vertices {
    std::vector<Vec3> points;
    std::vector<PointColour> colours;
    bool anyColour = false;
};

// A colour from 0 to 1 as the byte it was written from: c * 255 rounded.
bool ColourByte(float value, std::uint8_t& byte, std::string& problem) {
    if (!(value >= 0 && value <= 1)) return Refuse(problem, "colour " + FloatText(value) + " is outside 0..1");
    byte = std::uint8_t(std::lround(double(value) * 255.0));
    return true;
}

bool ReadVertex(const char* at, const char* end, Vertices& vertices, std::string& problem) {
    float numbers[6];
    int count = 0;
    for (;; ++count) {
        at = SkipBlanks(at, end);
        if (at == end || *at == '#') break;
        if (count == 6) return Refuse(problem, "a vertex is x y z or x y z r g b, found more numbers");
        if (!TakeNumber(at, end, WordStops, numbers[count]))
            return Refuse(problem, NumberProblem(WordAt(at, end, WordStops)));
    }
    if (count != 3 && count != 6)
        return Refuse(problem, "a vertex is x y z or x y z r g b, found " + std::to_string(count) + " numbers");
    PointColour colour{{}, count == 6};
    if (colour.given &&
        !(ColourByte(numbers[3], colour.rgb.red, problem) && ColourByte(numbers[4], colour.rgb.green, problem) &&
          ColourByte(numbers[5], colour.rgb.blue, problem)))
        return false;
    vertices.points.push_back(Vec3{numbers[0], numbers[1], numbers[2]});
    vertices.colours.push_back(colour);
    vertices.anyColour = vertices.anyColour || colour.given;
    return true;
}

// The vertex an index names ("7", "-1", "7/2/3"): its place in the list so far.
bool FindVertex(std::string_view word, std::size_t vertexCount, std::size_t& place, std::string& problem) {
    long long index = 0;
    if (ReadWhole(word.substr(0, word.find('/')), index) != NumberFault::None)
        return Refuse(problem, Quoted(word) + " is not a vertex index");
    const long long count = (long long)vertexCount;
    if (index == 0 || index > count || index < -count)
        return Refuse(problem, "vertex " + Quoted(word) + " does not exist: " + std::to_string(count) +
                                   " vertices so far, counted from 1 (or from -1 back)");
    place = std::size_t(index > 0 ? index - 1 : count + index);
    return true;
}

// An `l` element as a polyline, an `f` element as its closed outline.
bool ReadElement(const char* at, const char* end, bool face, const Vertices& vertices, LineData& data,
                 std::string& problem) {
    std::size_t first = 0, count = 0;
    for (;; ++count) {
        at = SkipBlanks(at, end);
        if (at == end || *at == '#') break;
        const std::string_view word = WordAt(at, end, WordStops);
        std::size_t place = 0;
        if (!FindVertex(word, vertices.points.size(), place, problem)) return false;
        AddPoint(data, vertices.points[place], vertices.colours[place]);
        if (count == 0) first = place;
        at += word.size();
    }
    if (count < (face ? 3u : 2u))
        return Refuse(problem, face ? "a face needs three vertices at least" : "a line needs two vertices at least");
    if (face) AddPoint(data, vertices.points[first], vertices.colours[first]);
    EndPolyline(data);
    return true;
}

}  // namespace

bool ReadObjLines(std::string_view text, LineData& data, LineFault& fault) {
    TextLines lines = StartLines(text);
    std::string_view line;
    std::string problem;
    Vertices vertices;
    while (NextLine(lines, line)) {
        const char* end = line.data() + line.size();
        const char* at = SkipBlanks(line.data(), end);
        const std::string_view statement = WordAt(at, end, WordStops);
        at += statement.size();
        const bool read = statement == "v"   ? ReadVertex(at, end, vertices, problem)
                          : statement == "l" ? ReadElement(at, end, false, vertices, data, problem)
                          : statement == "f" ? ReadElement(at, end, true, vertices, data, problem)
                                             : true;
        if (!read) return Fail(fault, lines.number, problem);
    }
    if (!vertices.anyColour) data.colours = {};
    if (SegmentCount(data) == 0) return NoSegment(fault, lines, "no l or f element joins two vertices");
    return true;
}
