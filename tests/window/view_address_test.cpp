// The window's state as the text of an address.
#include "view_address.h"

#include <gtest/gtest.h>

#include "catalogue.h"
#include "random_source.h"

namespace {

// Every row, awkward floats, bar ends, random states: read back as itself, in characters a browser keeps.
TEST(ViewAddress, EveryStatePrintsAndReadsBackToItself) {
    const float awkward[] = {0.4f, -0.0f, 1e-45f, -3.40282347e38f, 1.17549435e-38f, 1e-7f, 5000.25f};
    RandomSource source;
    for (int row = 0; row <= CatalogueSize; ++row) {
        const ViewState view{awkward[row % 7], awkward[(row + 1) % 7], awkward[(row + 3) % 7], awkward[(row + 5) % 7],
                             std::int16_t(row)};
        const std::uint64_t random = row == 0 ? ~0ull : (NextRandom(source), source.state);
        const ViewAddress a{
            view, {row % 2 ? -50 : 50, row - 11, -row, row * 2 - 23}, row % 2 == 1, row % 3 == 0, random};
        const std::string text = ViewAddressText(a);
        EXPECT_EQ(text.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789.-;=,"), std::string::npos) << text;
        std::string problem;
        const std::optional<ViewAddress> back = ParseViewAddress(text, &problem);
        EXPECT_EQ(back ? ViewAddressText(*back) : problem, text);
    }
}

const std::string Example =
    "v1;row=4;angles=0.4,0.6,0.2;time=0.8;speeds=0,3,0,5;axes=1;timer=0;random=00000000000000ff";

// Catches fields out of order or misnamed, and a reader insisting on the order, a '#' or lower-case hex.
TEST(ViewAddress, TheFragmentAloneOrInAWholeAddress) {
    EXPECT_EQ(ViewAddressText({{0.4f, 0.6f, 0.2f, 0.8f, 4}, {0, 3, 0, 5}, true, false, 255}), Example);
    EXPECT_EQ(ViewAddressText({}),
              "v1;row=0;angles=0,0,0;time=0;speeds=0,0,0,0;axes=0;timer=0;random=0123456789abcdef");
    for (const std::string& text : {"#" + Example, "https://example.org/orbiza.html#" + Example,
                                    std::string("v1;random=00000000000000FF;timer=0;axes=1;speeds=0,3,0,5;time=.8;"
                                                "angles=4e-1,0.60,2E-1;row=04")})
        EXPECT_EQ(ViewAddressText(ParseViewAddress(text).value_or(ViewAddress{})), Example) << text;
}

// The example with one field's value replaced.
std::string With(const std::string& field, const std::string& value) {
    const std::size_t start = Example.find(";" + field + "=") + field.size() + 2, end = Example.find(';', start);
    return Example.substr(0, start) + value + (end == std::string::npos ? "" : Example.substr(end));
}

// Catches a text taken in part, and a field's reason without its name (how each number fails: text_test.cpp).
TEST(ViewAddress, AnythingNotQuiteRightIsRefusedWholeWithTheReason) {
    const struct {
        std::string field, value, reason;  // with no field, value is the whole text
    } cases[] = {{"", "https://example.org/orbiza.html#", "the address is empty"},
                 {"", "row=4;" + Example.substr(3), "does not start with the version v1 (found \"row=4\")"},
                 {"", "v2" + Example.substr(2), "unknown version \"v2\""},
                 {"", "v1", "incomplete: no row, angles, time, speeds, axes, timer, random"},
                 {"", Example + ";", "an empty field"},
                 {"", Example + ";row=5", "row is given twice"},
                 {"", Example + ";colour=1", "unknown field \"colour\""},
                 {"", Example + ";row", "\"row\" is not name=value"},
                 {"row", "24", "row: \"24\" is outside 0..23"},
                 {"speeds", "0,0,51,0", "speeds: \"51\" is outside -50..50"},
                 {"angles", "nan,0,0", "\"nan\" is not a number"},
                 {"time", "1e39", "time: \"1e39\" is out of range for a 32-bit float"},
                 {"axes", "2", "axes: \"2\" is neither 0 nor 1"},
                 {"random", "ff", "random: expected 16 hex digits, got \"ff\""},
                 {"random", "000000000000000g", "16 hex"},
                 {"random", "-00000000000000f", "16 hex"}};
    for (const auto& c : cases) {
        const std::string text = c.field.empty() ? c.value : With(c.field, c.value);
        std::string problem;
        EXPECT_FALSE(ParseViewAddress(text, &problem)) << text;
        EXPECT_NE(problem.find(c.reason), std::string::npos) << text << " gave: " << problem;
    }
}

}  // namespace
