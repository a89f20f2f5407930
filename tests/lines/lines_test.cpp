// Line data read from the three formats, refused with the line named, held compactly and placed.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "line_fit.h"
#include "line_input.h"
#include "segment_text.h"

namespace {

LineData Read(LineFormat format, std::string_view text) {
    LineData data;
    LineFault fault;
    EXPECT_TRUE(ReadLineText(text, format, data, fault)) << fault.line << ": " << fault.what;
    EXPECT_TRUE(data.colours.empty() || data.colours.size() == data.points.size());
    return data;
}

// Catches a byte-order mark taken for a name, columns taken by place, a quoted comma splitting a field, "\r" left on
// a number, a chain broken or joined on a -0, segments turned round, a colour from the wrong vertex or cut not
// rounded, a face left open, a blank line not ending a polyline, a lone point kept, a comment read as data.
TEST(LineData, TheThreeFormatsReadToTheirSegmentsInDrawingOrder) {
    using enum LineFormat;
    const struct {
        LineFormat format;
        const char* text;
        std::vector<std::string> segments;
        std::size_t polylines;
    } cases[] = {
        {Csv,
         "\xEF\xBB\xBFqz,QY,qx,pz,py,px,label,r,g,b\r\n3,2,1,6,5,4,\"a, b\",255,0,7\r\n\r\n6,5,4,9,8,7,x,1,2,3\n"
         "0,0,-0,0,0,0,y,0,0,0\n",
         {"4,5,6>1,2,3 #ff0007", "7,8,9>4,5,6 #010203", "0,0,0>-0,0,0 #000000"},
         2},
        {Csv, "px,py,pz,qx,qy,qz\n 1e-3, 2 ,3,4,5,\"6\"\n", {"0.001,2,3>4,5,6"}, 1},
        {Obj,
         "# part\nv 0 0 0 1 0 0\nv 1 0 0 0 1 0.5 # green\nvn 0 0 1\nv 0 1 0\ng part\nusemtl red\n"
         "l 1 2 -1\nf 1/1/1 2//1 -1/3\n",
         {"1,0,0>0,0,0 #00ff80", "0,1,0>1,0,0", "1,0,0>0,0,0 #00ff80", "0,1,0>1,0,0", "0,0,0>0,1,0 #ff0000"},
         2},
        {Points,
         "# x y z\n1 2 3\n4,5,6\n\t7 \t8, 9 # end\n\n \n10 11 12\n\n1 1 1\r\n2 2 2\r\n",
         {"4,5,6>1,2,3", "7,8,9>4,5,6", "2,2,2>1,1,1"},
         2},
    };
    for (const auto& c : cases) {
        const LineData data = Read(c.format, c.text);
        EXPECT_EQ(SegmentTexts(data), c.segments) << c.text;
        EXPECT_EQ(data.polylineEnds.size(), c.polylines) << c.text;
    }
}

// Catches a fault passed over or named on the wrong line, and each reason's message lost.
TEST(LineData, BadDataNamesTheLineAndWhatIsWrong) {
    using enum LineFormat;
    const std::tuple<LineFormat, const char*, const char*> cases[] = {
        {Csv, "px,py,pz,qx,qy\n",
         "1: no column \"qz\": the first line names the columns, px,py,pz,qx,qy,qz and r,g,b or none"},
        {Csv, "px,py,pz,qx,qy,qz,r,g\n", "1: the colour needs all three columns r,g,b"},
        {Csv, "px,py,pz,qx,qy,qz\n1,2,3,4,5,6\n1,2,3,4,5\n", "3: the header names 6 fields, this row has 5"},
        {Csv, "px,py,pz,qx,qy,qz\n1,2,3,4,5,6,7\n", "2: the header names 6 fields, this row has more"},
        {Csv, "px,py,pz,qx,qy,qz\n1,2,3,4,5 5,6\n", "2: column qy: \"5 5\" is not a number"},
        {Csv, "px,py,pz,qx,qy,qz,r,g,b\n1,2,3,4,5,6,0,256,0\n", "2: column g: \"256\" is outside 0..255"},
        {Csv, "px,py,pz,qx,qy,qz\n", "1: no segment to draw: no row after the header"},
        {Points, "1 2 3\n1 -Inf 3\n", "2: \"-Inf\" is not a finite number"},
        {Points, "1 2 3\n1 2 1e39\n", "2: \"1e39\" is out of range for a 32-bit float"},
        {Points, "1 2 3\n\n1 2\n", "3: expected three numbers x y z, found 2"},
        {Points, "1 2 3 4\n", "1: expected three numbers x y z, found more"},
        {Points, "1 2 3\n\n# one each\n4 5 6\n",
         "4: no segment to draw: a polyline needs two points, one line after the other"},
        {Obj, "v 0 0 0\nv 1 1 1\nl 1 -3\n",
         "3: vertex \"-3\" does not exist: 2 vertices so far, counted from 1 (or from -1 back)"},
        {Obj, "v 0 0 0\nl 0 1\n",
         "2: vertex \"0\" does not exist: 1 vertices so far, counted from 1 (or from -1 back)"},
        {Obj, "v 0 0 0 1 1.5 0\n", "1: colour 1.5 is outside 0..1"},
        {Obj, "v 0 0\n", "1: a vertex is x y z or x y z r g b, found 2 numbers"},
        {Obj, "v 0 0 0\nv 1 1 1\nf 1 2\n", "3: a face needs three vertices at least"},
        {Obj, " \r\n\n", "1: empty, no segment to draw"},
    };
    for (const auto& [format, text, message] : cases) {
        LineData data;
        LineFault fault;
        EXPECT_FALSE(ReadLineText(text, format, data, fault)) << text;
        EXPECT_EQ(LineFaultText("data", fault), std::string("data:") + message);
    }
}

// Catches a segment held in more than 48 bytes (10 million must fit), or room reserved for blank lines kept.
TEST(LineData, EachSegmentHeldInFortyEightBytesAtMost) {
    std::string csv = "px,py,pz,qx,qy,qz,r,g,b\n", table;
    for (int i = 0; i < 1000; ++i) {
        csv += std::to_string(i) + ",0,0," + std::to_string(i) + ",1,0,9,9,9\n\n";  // none joins: the worst case
        table += std::to_string(i) + " 0 0\n";
    }
    for (const auto& [format, text] : {std::pair{LineFormat::Csv, csv}, std::pair{LineFormat::Points, table}}) {
        const LineData data = Read(format, text);
        EXPECT_EQ(SegmentCount(data), 1000u - (format == LineFormat::Points));
        EXPECT_LE(HeldBytes(data), MostBytesPerSegment * SegmentCount(data));
    }
}

// Catches a name's format not found, a file or standard input not read whole, a failure without the file named.
TEST(LineData, FilesByTheirNamesAndTheirFaults) {
    using enum LineFormat;
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    const std::string file = temp / "orbiza-lines-test.XYZ", folder = temp / "orbiza-lines-test.csv";
    const std::tuple<std::string, std::optional<LineFormat>, const char*, std::string> cases[] = {
        // name, format, what the file holds (none: no file), what is said
        {file, std::nullopt, "0 0 0\n1 1 1\n", ""},
        {file, Csv, "0 0 0\n1 1 1\n",
         file + ":1: no column \"px\": the first line names the columns, px,py,pz,qx,qy,qz and r,g,b or none"},
        {"-", Points, "0 0 0\n1 x 1\n", "standard input:2: \"x\" is not a number"},
        {file, std::nullopt, nullptr, file + ": cannot be read: No such file or directory"},
        {folder, std::nullopt, nullptr, folder + ": cannot be read: Is a directory"},
        {"lines.json", std::nullopt, nullptr, "lines.json: no format for this name; name one (csv, obj or points)"},
        {"-", std::nullopt, nullptr, "standard input: its format must be named (csv, obj or points)"}};
    std::filesystem::create_directory(folder);
    for (const auto& [name, format, text, said] : cases) {
        std::filesystem::remove(file);
        if (text) std::ofstream(file) << text;
        if (text && name == "-") {
            ASSERT_TRUE(std::freopen(file.c_str(), "rb", stdin));
        }
        std::string problem;
        const std::optional<LineData> data = ReadLineFile(name, format, problem);
        EXPECT_EQ(problem, said);
        EXPECT_EQ(data ? SegmentTexts(*data) : std::vector<std::string>{},
                  std::vector<std::string>(said.empty(), "1,1,1>0,0,0"));
    }
    std::filesystem::remove(file), std::filesystem::remove(folder);
    EXPECT_EQ(LineFormatNamed("points"), Points);
    EXPECT_EQ(LineFormatOfFile("a.Obj"), Obj);
}

double Distance(Vec3 v) { return std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z); }

// Catches the centre taken as the points' mean or the farthest distance as the box's corner, a scale per axis, a
// division by a zero extent, a distance that overflows a float and squeezes everything to the origin.
TEST(LineData, FittedAroundTheOriginWithTheFarthestPointAtEightTenths) {
    LineData data = Read(LineFormat::Points, "9 5 5\n11 5 5\n10 6 5\n10 4 5\n10.5 5.5 5\n");
    FitLines(data);
    EXPECT_EQ(SegmentTexts(data), (std::vector<std::string>{"0.8,0,0>-0.8,0,0", "0,0.8,0>0.8,0,0", "0,-0.8,0>0,0.8,0",
                                                            "0.4,0.4,0>0,-0.8,0"}));
    for (const char* text : {"5 5 5\n5 5 5\n", "-3e38 -3e38 -3e38\n3e38 3e38 3e38\n"}) {
        data = Read(LineFormat::Points, text);
        FitLines(data);
        for (const Vec3& p : data.points) EXPECT_NEAR(Distance(p), text[0] == '5' ? 0 : 0.8, 1e-7) << text;
    }
}

}  // namespace
