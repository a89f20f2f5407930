// The segment table: a header naming the columns, then one segment a row.
// px..qz are required, r, g and b (0..255) all three or none; other columns
// are passed over. Rows where one segment's second point is the one before's
// first point continue its polyline, as the renderer drew them.
#include <cstring>

#include "line_readers.h"
#include "text_scan.h"

namespace {

enum Column : signed char { Px, Py, Pz, Qx, Qy, Qz, Red, Green, Blue, Other };
constexpr std::string_view ColumnNames[] = {"px", "py", "pz", "qx", "qy", "qz", "r", "g", "b"};

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] >= 'A' && a[i] <= 'Z' ? a[i] - 'A' + 'a' : a[i]) != b[i]) return false;
    return true;
}

// The closing quote of a quoted field, a doubled quote standing for one; none where it is not closed.
const char* ClosingQuote(const char* at, const char* end) {
    for (;;) {
        const char* quote = static_cast<const char*>(std::memchr(at, '"', std::size_t(end - at)));
        if (!quote || quote + 1 == end || quote[1] != '"') return quote;
        at = quote + 2;
    }
}

// One field from `at`, without the blanks around it or its quotes; `at` is
// left on the comma after it or the line's end.
std::string_view TakeField(const char*& at, const char* end) {
    at = SkipBlanks(at, end);
    const char* start = at;
    const char* stop = at < end && *at == '"' ? ClosingQuote(at + 1, end) : nullptr;
    if (stop) start = at + 1, at = stop + 1;
    const void* comma = std::memchr(at, ',', std::size_t(end - at));
    const char* next = comma ? static_cast<const char*>(comma) : end;
    if (!stop)
        for (stop = next; stop > start && IsBlank(stop[-1]);) --stop;
    at = next;
    return std::string_view(start, std::size_t(stop - start));
}

// The header's columns, each one's meaning; whether it names r, g and b.
bool ReadHeader(std::string_view line, std::vector<Column>& columns, bool& coloured, std::string& problem) {
    const char* at = line.data();
    const char* end = at + line.size();
    int seen[Other] = {};
    for (;; ++at) {
        const std::string_view name = TakeField(at, end);
        Column column = Other;
        for (int c = Px; c < Other; ++c)
            if (SameName(name, ColumnNames[c])) column = Column(c);
        if (column != Other && seen[column]++) return Refuse(problem, "column " + Quoted(name) + " is named twice");
        columns.push_back(column);
        if (at == end) break;
    }
    for (int c = Px; c <= Qz; ++c)
        if (!seen[c])
            return Refuse(problem, "no column " + Quoted(ColumnNames[c]) +
                                       ": the first line names the columns, px,py,pz,qx,qy,qz and r,g,b or none");
    coloured = seen[Red] + seen[Green] + seen[Blue] == 3;
    if (!coloured && seen[Red] + seen[Green] + seen[Blue] > 0)
        return Refuse(problem, "the colour needs all three columns r,g,b");
    return true;
}

std::string ColumnName(Column column) { return "column " + std::string(ColumnNames[column]) + ": "; }

struct Row {
    float coordinates[6];
    Rgb colour;
};

bool ReadField(Column column, const char*& at, const char* end, Row& row, std::string& problem) {
    if (column == Other) return TakeField(at, end), true;
    const char* start = at = SkipBlanks(at, end);
    if (column < Red && TakeNumber(at, end, " \t,", row.coordinates[column])) {
        at = SkipBlanks(at, end);
        if (at == end || *at == ',') return true;
        at = start;
    }
    const std::string_view field = TakeField(at, end);  // quoted, followed by more, or not a number
    if (column < Red) {
        if (ReadDecimal(field, row.coordinates[column]) == NumberFault::None) return true;
        return Refuse(problem, ColumnName(column) + NumberProblem(field));
    }
    const std::optional<int> byte = ReadWholeNumber(field, 0, 255, &problem);
    if (!byte) return Refuse(problem, ColumnName(column) + problem);
    (column == Red ? row.colour.red : column == Green ? row.colour.green : row.colour.blue) = std::uint8_t(*byte);
    return true;
}

bool ReadRow(std::string_view line, const std::vector<Column>& columns, Row& row, std::string& problem) {
    const char* at = line.data();
    const char* end = at + line.size();
    for (std::size_t field = 0;; ++at) {
        if (!ReadField(columns[field], at, end, row, problem)) return false;
        const bool last = ++field == columns.size();
        if (at == end && last) return true;
        if (at == end || last)
            return Refuse(problem, "the header names " + std::to_string(columns.size()) + " fields, this row has " +
                                       (last ? "more" : std::to_string(field)));
    }
}

void AddRow(const Row& row, bool coloured, LineData& data) {
    const float* c = row.coordinates;
    const Vec3 p{c[Px], c[Py], c[Pz]}, q{c[Qx], c[Qy], c[Qz]};
    if (OpenPolylineSize(data) == 0 || !SameBits(data.points.back(), q)) {
        EndPolyline(data);
        coloured ? AddPoint(data, q, PointColour{}) : AddPoint(data, q);
    }
    coloured ? AddPoint(data, p, PointColour{row.colour, true}) : AddPoint(data, p);
}

}  // namespace

bool ReadCsvLines(std::string_view text, LineData& data, LineFault& fault) {
    TextLines lines = StartLines(text);
    std::string_view line;
    std::vector<Column> columns;
    bool coloured = false;
    std::string problem;
    NextLine(lines, line);
    if (!ReadHeader(line, columns, coloured, problem)) return Fail(fault, lines.number, problem);
    const std::size_t rows = LinesLeft(lines);
    data.points.reserve(2 * rows);
    data.polylineEnds.reserve(rows);
    if (coloured) data.colours.reserve(2 * rows);
    Row row;
    while (NextLine(lines, line)) {
        if (SkipBlanks(line.data(), line.data() + line.size()) == line.data() + line.size()) continue;
        if (!ReadRow(line, columns, row, problem)) return Fail(fault, lines.number, problem);
        AddRow(row, coloured, data);
    }
    EndPolyline(data);
    if (SegmentCount(data) == 0) return NoSegment(fault, lines, "no row after the header");
    return true;
}
