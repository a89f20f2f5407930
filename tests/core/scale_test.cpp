// Pictures at other scales against scale 1: size, where lines lie and their weight, from pixels alone.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "test_support.h"

namespace {

// Whether a canvas's pixel is lit; false off the canvas.
bool Lit(const Canvas& c, int column, int row) {
    return column >= 0 && row >= 0 && column < c.width && row < c.height &&
           c.pixels[std::size_t(row) * std::size_t(c.width) + std::size_t(column)] != Canvas::Background;
}

// The scaled canvas pooled to the picture's size: lit where a lit scaled pixel's centre falls.
Canvas Pooled(const Canvas& scaled) {
    Canvas pooled;
    for (int row = 0; row < scaled.height; ++row)
        for (int column = 0; column < scaled.width; ++column)
            if (Lit(scaled, column, row)) {
                const int c = int((column + 0.5) * PictureWidth / scaled.width);
                const int r = int((row + 0.5) * PictureHeight / scaled.height);
                pooled.pixels[std::size_t(r) * PictureWidth + std::size_t(c)] = 0xFFFFFFFFu;
            }
    return pooled;
}

// Lit pixels of `a` with no lit pixel of `b` within `reach` pixels across and down.
int Lonely(const Canvas& a, const Canvas& b, int reach = 1) {
    int lonely = 0;
    for (int row = 0; row < a.height; ++row)
        for (int column = 0; column < a.width; ++column) {
            if (!Lit(a, column, row)) continue;
            bool near = false;
            for (int dr = -reach; dr <= reach; ++dr)
                for (int dc = -reach; dc <= reach; ++dc) near = near || Lit(b, column + dc, row + dr);
            lonely += !near;
        }
    return lonely;
}

const struct {
    double scale;
    int width, height, pen;
} Scales[] = {{1.25, 706, 646, 1}, {1.5, 848, 776, 2}, {2, 1130, 1034, 2}, {3, 1695, 1551, 3}};

// Rounding and the pen's half-width keep a line within two picture pixels, rarely beyond one; a square
// pen widens diagonals. Catches a wrong size, mapping or cut, and a pen missing, too wide or off centre.
TEST(Scale, LinesLieWhereThePictureHasThemAndKeepItsWeight) {
    const char* structures[] = {"Cube", "Sphere", "Web", "Rossler Chaos"};
    const ViewState views[] = {ViewAt(0.3f, -0.5f, 0.7f, 1.3f), ViewAt(2.5f, -1.2f, 4.0f, 15.7f)};
    for (const auto& s : Scales)
        for (const char* structure : structures)
            for (const ViewState& view : views) {
                SCOPED_TRACE(testing::Message() << structure << " at " << s.scale << ", view " << view.AngleX);
                Drawing one(false), scaled(false, true, s.scale);
                for (Drawing* d : {&one, &scaled}) d->scene.showAxis = true, Draw(*d, structure, view);
                ASSERT_EQ(std::tuple(scaled.surface.width, scaled.surface.height, scaled.surface.pen),
                          std::tuple(s.width, s.height, s.pen));
                const Canvas pooled = Pooled(scaled.surface);
                EXPECT_EQ(Lonely(one.surface, pooled), 0) << "a line of the picture is missing";
                EXPECT_EQ(Lonely(pooled, one.surface, 2), 0) << "a line where the picture has none";
                EXPECT_LE(Lonely(pooled, one.surface), LitPixels(pooled) / 100);
                const double weight = LitPixels(scaled.surface) / (LitPixels(one.surface) * s.scale * s.pen);
                EXPECT_GT(weight, 0.75) << "lines too thin";
                EXPECT_LT(weight, 1.75) << "lines too wide";
            }
}

// Lines `pen` thick pooling into row 258 / column 282: catches a pen off centre or wrong, a cut too soon.
TEST(Scale, APenOfTheRoundedScaleCentredOnThePicturesLine) {
    for (const auto& s : Scales) {
        SCOPED_TRACE(s.scale);
        Drawing d(false, true, s.scale);
        DrawSegment(d.scene.tools, {-0.5f, 0, 0}, {3, 0, 0}, {0, 0, 0});
        DrawSegment(d.scene.tools, {0, -0.5f, 0}, {0, 0.5f, 0}, {0, 0, 0});
        int across[3] = {};  // a column through the first line, the last column, a row through the second
        for (int row = 0; row < s.height; ++row)
            across[0] += Lit(d.surface, s.width * 3 / 4, row), across[1] += Lit(d.surface, s.width - 1, row);
        for (int column = 0; column < s.width; ++column) across[2] += Lit(d.surface, column, s.height / 3);
        EXPECT_EQ(std::vector<int>(across, across + 3), std::vector<int>(3, s.pen));
        const Canvas pooled = Pooled(d.surface);
        for (int row = 0; row < PictureHeight; ++row) EXPECT_EQ(Lit(pooled, 400, row), row == 258) << row;
        for (int column = 0; column < PictureWidth; ++column) EXPECT_EQ(Lit(pooled, column, 200), column == 282);
    }
}

TEST(Scale, ScalesOutsideAQuarterToEightHaveNoCanvas) {
    for (const double scale : {0.0, 0.2, -1.0, 8.01, double(NAN), double(INFINITY)})
        EXPECT_EQ(RaisedKind([&] { Canvas{scale}; }), ErrorKind::OperationFailed) << scale;
}

}  // namespace
