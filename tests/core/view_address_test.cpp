// The window's state as the text of an address, and the floats in it.
#include "view_address.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "catalogue.h"
#include "portable_float.h"

namespace {

using Limits = std::numeric_limits<float>;

std::vector<std::uint64_t> Bits(const ViewAddress& a) {
    const ViewState& v = a.view;
    return {std::bit_cast<std::uint32_t>(v.AngleX),
            std::bit_cast<std::uint32_t>(v.AngleY),
            std::bit_cast<std::uint32_t>(v.AngleZ),
            std::bit_cast<std::uint32_t>(v.AnimTime),
            std::uint64_t(v.StructureIndex),
            std::uint64_t(a.speeds.x + 50),
            std::uint64_t(a.speeds.y + 50),
            std::uint64_t(a.speeds.z + 50),
            std::uint64_t(a.speeds.time + 50),
            a.showAxis,
            a.timerRunning,
            a.randomState};
}

// Catches a float written with too few digits (0.8 for the next float), with too
// many (0.4 as 0.400000006), a lost sign of zero, and subnormals or the
// largest float read as zero or infinity.
TEST(PortableFloat, TheFewestDigitsThatReadBackAsTheSameFloat) {
    const struct {
        float value;
        const char* text;
    } cases[] = {{0.4f, "0.4"},
                 {std::nextafter(0.8f, 1.0f), "0.8000001"},
                 {-0.0f, "-0"},
                 {0.0f, "0"},
                 {1.00000012f, "1.0000001"},
                 {Limits::denorm_min(), "1e-45"},
                 {-Limits::denorm_min() * 7, "-1e-44"},
                 {Limits::min(), "1.1754944e-38"},
                 {Limits::max(), "3.4028235e38"},
                 {-Limits::max(), "-3.4028235e38"},
                 {16777216.0f, "16777216"},
                 {123456789.0f, "123456790"},
                 {1e9f, "1e9"},
                 {0.00001f, "0.00001"},
                 {0.000001f, "1e-6"},
                 {-2.5f, "-2.5"}};
    for (const auto& c : cases) {
        EXPECT_EQ(PortableFloatText(c.value), c.text);
        const std::optional<float> back = ReadPortableFloat(c.text);
        ASSERT_TRUE(back) << c.text;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*back), std::bit_cast<std::uint32_t>(c.value)) << c.text;
    }
}

// Any decimal, not only ours, reads as its nearest float: no detour through
// double, which rounds twice just above a halfway point.
TEST(PortableFloat, ADecimalReadsAsItsNearestFloat) {
    const struct {
        const char* text;
        float value;
    } cases[] = {{"1.0000000596046447753906250000000001", std::nextafter(1.0f, 2.0f)},
                 {"1.000000059604644775390625", 1.0f},  // halfway: to the even neighbour
                 {"1.5e-45", Limits::denorm_min()},
                 {"-1e-50", -0.0f},
                 {"0.00000000000000000000000000000000000000000000000000000000001e59", 1.0f},
                 {"1e0000000000000000000000000000000000001", 10.0f}};
    for (const auto& c : cases)
        EXPECT_EQ(std::bit_cast<std::uint32_t>(ReadPortableFloat(c.text).value_or(NAN)),
                  std::bit_cast<std::uint32_t>(c.value))
            << c.text;
}

// Random bit patterns: every finite float comes back, and the reader also
// takes what the standard library's shortest writer gives ("1e+38").
TEST(PortableFloat, EveryFloatComesBackFromItsTextAndFromCharconvs) {
    RandomSource source;
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t bits = std::uint32_t(NextRandom(source) * 16777216.0f) << 8 ^ std::uint32_t(i);
        const float value = std::bit_cast<float>(bits);
        if (!std::isfinite(value)) continue;
        char standard[32];
        const std::string theirs(standard, std::to_chars(standard, standard + sizeof standard, value).ptr);
        for (const std::string& text : {PortableFloatText(value), theirs}) {
            const std::optional<float> back = ReadPortableFloat(text);
            ASSERT_TRUE(back) << text;
            ASSERT_EQ(std::bit_cast<std::uint32_t>(*back), bits) << text;
        }
    }
}

// Every row, awkward floats, both ends of the bars and random states: each
// prints and reads back to itself, in characters a browser leaves alone.
TEST(ViewAddress, EveryStatePrintsAndReadsBackToItself) {
    const float awkward[] = {0.4f, -0.0f, Limits::denorm_min(), -Limits::max(), Limits::min(), 1e-7f, 5000.25f};
    RandomSource source;
    for (int row = 0; row <= CatalogueSize; ++row) {
        ViewAddress a;
        a.view = {awkward[row % 7], awkward[(row + 1) % 7], awkward[(row + 3) % 7], awkward[(row + 5) % 7],
                  std::int16_t(row)};
        a.speeds = {row % 2 ? -50 : 50, row - 11, -row, row * 2 - 23};
        a.showAxis = row % 2, a.timerRunning = row % 3 == 0;
        NextRandom(source);
        a.randomState = row == 0 ? ~0ull : row == 1 ? 0 : source.state;
        const std::string text = ViewAddressText(a);
        EXPECT_EQ(text.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789.-;=,"), std::string::npos) << text;
        std::string problem;
        const std::optional<ViewAddress> back = ParseViewAddress(text, &problem);
        ASSERT_TRUE(back) << text << ": " << problem;
        EXPECT_EQ(Bits(*back), Bits(a)) << text;
    }
}

const std::string Example =
    "v1;row=4;angles=0.4,0.6,0.2;time=0.8;speeds=0,3,0,5;axes=1;timer=0;random=00000000000000ff";

// Catches a field written out of its order or under another name, and
// a reader that insists on the order, a '#', or lower-case hex.
TEST(ViewAddress, ReadsTheFragmentAloneOrInAWholeAddress) {
    ViewAddress a;
    a.view = {0.4f, 0.6f, 0.2f, 0.8f, 4};
    a.speeds = {0, 3, 0, 5};
    a.showAxis = true;
    a.randomState = 255;
    EXPECT_EQ(ViewAddressText(a), Example);
    EXPECT_EQ(ViewAddressText(ViewAddress{}),
              "v1;row=0;angles=0,0,0;time=0;speeds=0,0,0,0;axes=0;timer=0;random=0123456789abcdef");
    for (const std::string& text :
         {"#" + Example, "https://example.org/orbiza.html#" + Example,
          std::string(
              "v1;random=00000000000000FF;timer=0;axes=1;speeds=0,3,0,5;time=.8;angles=4e-1,0.60,2E-1;row=04")}) {
        std::string problem;
        const std::optional<ViewAddress> back = ParseViewAddress(text, &problem);
        ASSERT_TRUE(back) << text << ": " << problem;
        EXPECT_EQ(Bits(*back), Bits(a)) << text;
    }
}

// The example with one field's value replaced.
std::string With(const std::string& field, const std::string& value) {
    const std::size_t start = Example.find(";" + field + "=") + field.size() + 2;
    const std::size_t end = Example.find(';', start);
    return Example.substr(0, start) + value + (end == std::string::npos ? "" : Example.substr(end));
}

// A text that is not entirely right is refused, and the reason names the fault.
TEST(ViewAddress, MalformedTextsAreRefusedWholeWithTheReason) {
    const struct {
        std::string text, reason;
    } cases[] = {
        {"", "the address is empty"},
        {"https://example.org/orbiza.html#", "the address is empty"},
        {"https://example.org/orbiza.html", "does not start with the version v1"},
        {"row=4;" + Example.substr(3), "does not start with the version v1 (found \"row=4\")"},
        {"v2" + Example.substr(2), "unknown version \"v2\""},
        {"V1" + Example.substr(2), "does not start with the version v1 (found \"V1\")"},
        {"v1", "incomplete: no row, angles, time, speeds, axes, timer, random"},
        {Example.substr(0, Example.find(";random")), "incomplete: no random"},
        {Example + ";", "an empty field"},
        {Example + ";row=5", "row is given twice"},
        {Example + ";colour=1", "unknown field \"colour\""},
        {Example + ";row", "\"row\" is not name=value"},
        {With("row", "24"), "row: \"24\" is outside 0..23"},
        {With("row", "-1"), "row: \"-1\" is outside 0..23"},
        {With("row", "99999999999"), "row: \"99999999999\" is outside 0..23"},
        {With("row", "4.0"), "row: \"4.0\" is not a whole number"},
        {With("speeds", "0,0,51,0"), "speeds: \"51\" is outside -50..50"},
        {With("speeds", "-51,0,0,0"), "speeds: \"-51\" is outside -50..50"},
        {With("speeds", "0,0,0"), "speeds: expected 4 comma-separated values, got \"0,0,0\""},
        {With("angles", "0.4,0.6"), "angles: expected 3 comma-separated values"},
        {With("angles", "nan,0,0"), "angles: \"nan\" is not a number"},
        {With("angles", "0,inf,0"), "angles: \"inf\" is not a number"},
        {With("angles", "0,0,0x1p3"), "angles: \"0x1p3\" is not a number"},
        {With("time", "1e39"), "time: \"1e39\" is out of range for a 32-bit float"},
        {With("time", "-3.5e38"), "out of range for a 32-bit float"},
        {With("time", ""), "time: \"\" is not a number"},
        {With("time", "+0.8"), "time: \"+0.8\" is not a number"},
        {With("time", " 0.8"), "is not a number"},
        {With("time", "0.8e"), "is not a number"},
        {With("time", "."), "is not a number"},
        {With("axes", "2"), "axes: \"2\" is neither 0 nor 1"},
        {With("timer", "yes"), "timer: \"yes\" is neither 0 nor 1"},
        {With("random", "ff"), "random: expected 16 hex digits, got \"ff\""},
        {With("random", "000000000000000g"), "expected 16 hex digits"},
        {With("random", "-00000000000000f"), "expected 16 hex digits"},
        {With("random", "0x00000000000000"), "expected 16 hex digits"},
    };
    for (const auto& c : cases) {
        std::string problem;
        EXPECT_FALSE(ParseViewAddress(c.text, &problem)) << c.text;
        EXPECT_NE(problem.find(c.reason), std::string::npos) << c.text << " gave: " << problem;
    }
}

// The scene takes every part of the state that a redraw reads.
TEST(ViewAddress, RestoringSetsTheViewTheAxisBoxAndTheRandomSource) {
    Scene scene;
    RestoreView(scene, *ParseViewAddress(Example));
    EXPECT_EQ(std::vector<float>({scene.view.AngleX, scene.view.AngleY, scene.view.AngleZ, scene.view.AnimTime}),
              std::vector<float>({0.4f, 0.6f, 0.2f, 0.8f}));
    EXPECT_EQ(scene.view.StructureIndex, 4);
    EXPECT_TRUE(scene.showAxis);
    EXPECT_EQ(scene.random.state, 255u);
}

}  // namespace
