#include <gtest/gtest.h>

#include <set>

#include "recording.h"

namespace {

TEST(Catalogue, ListTextsInOrder) {
    const char* expected[] = {"Cube",
                              "Tetrahedron",
                              "Dodecahedron",
                              "Sphere",
                              "Torus",
                              "Whirlpool",
                              "Spring",
                              "Dumble",
                              "Liniar Helix",
                              "Circular Helix",
                              "Destorted Sphere",
                              "Sepal",
                              "Ball",
                              "Hulos",
                              "paraboloid",
                              "surface",
                              "Shell",
                              "Rosset",
                              "Ripple",
                              "Nodes",
                              "Web",
                              "Sphere-Torus Transformation",
                              "Rossler Chaos"};
    ASSERT_EQ(Catalogue().size(), std::size(expected));
    std::set<void (*)(Scene&)> generators;
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(Catalogue()[i].listText, expected[i]);
        generators.insert(Catalogue()[i].generator);
    }
    EXPECT_EQ(generators.size(), std::size(expected));  // no row shares another's generator
}

TEST(Catalogue, FindStructureIgnoresCaseOnly) {
    EXPECT_EQ(FindStructure("hulos"), 14);
    EXPECT_EQ(FindStructure("PARABOLOID"), 15);
    EXPECT_EQ(FindStructure("Rossler Chaos"), 23);
    EXPECT_EQ(FindStructure("Rossler"), std::nullopt);
    EXPECT_EQ(FindStructure(""), std::nullopt);
}

SegmentLog Redraw(std::int16_t index, bool showAxis) {
    Recording r;
    r.scene.view.StructureIndex = index;
    r.scene.showAxis = showAxis;
    RedrawScene(r.scene);
    return r.log;
}

TEST(RedrawScene, AxesFirstThenTheSelectedRow) {
    EXPECT_TRUE(Redraw(0, false).empty());
    EXPECT_EQ(Redraw(0, true).size(), 30u);
    EXPECT_TRUE(Redraw(24, false).empty());
    EXPECT_TRUE(Redraw(-3, false).empty());

    const SegmentLog cube = Redraw(1, false), both = Redraw(1, true);
    ASSERT_EQ(both.size(), 30u + cube.size());
    EXPECT_EQ(both[0].colour.blue, 152);  // the first axis piece, blue at depth 0
    EXPECT_EQ(both[0].colour.red, 31);
    for (size_t i = 0; i < cube.size(); ++i) EXPECT_TRUE(SameBits(both[30 + i].p, cube[i].p));
}

TEST(RedrawScene, EveryRowDrawsItsOwnGenerator) {
    for (int row = 1; row <= CatalogueSize; ++row) {
        SCOPED_TRACE(row);
        const ViewState view = ViewAt(0.3f, -0.2f, 0.1f, 0.7f);
        Recording viaDispatch, direct;
        viaDispatch.scene.view = direct.scene.view = view;
        viaDispatch.scene.view.StructureIndex = std::int16_t(row);
        RedrawScene(viaDispatch.scene);
        Catalogue()[row - 1].generator(direct.scene);
        ASSERT_EQ(viaDispatch.log.size(), direct.log.size());
        EXPECT_EQ(viaDispatch.surface.pixels, direct.surface.pixels);
        EXPECT_EQ(viaDispatch.scene.tools.LineRed, 1.0f);  // every generator leaves the colour white
        EXPECT_EQ(viaDispatch.scene.tools.LineBlue, 1.0f);
    }
}

}  // namespace
