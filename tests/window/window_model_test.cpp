// The window model without a toolkit: its table, texts, and what each event does.
#include "window_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <vector>

#include "../core/test_support.h"
#include "catalogue.h"
#include "window_texts.h"

namespace {

struct Event {
    const char* control;
    int value = 0;
};

struct Window {
    WindowModel model;
    Window() { StartUp(model, StartUpSimdLevel()); }
    Outcome Run(const std::vector<Event>& events) {
        Outcome last;
        for (const Event& e : events) last = HandleEvent(model, e.control, e.value);
        return last;
    }
    std::string Name(const char* control) const { return AccessibleNameOf(model, *FindControl(control)); }
};

// What the core draws for a view on a fresh canvas, the axes drawn over it.
Canvas Drawn(const ViewState& view, bool axes) {
    Scene scene;
    scene.view = view;
    Canvas canvas;
    DrawPicture(scene, canvas, nullptr, true);
    scene.showAxis = axes;
    if (axes) DrawPicture(scene, canvas, nullptr, false);
    return canvas;
}

}  // namespace

// Catches a tab index typed twice, a control off the window, overlapping or off its row/column, or spoken alike.
TEST(ControlTable, EveryControlIsPlacedNamedAndReachedOnce) {
    std::set<int> tabs;
    std::set<std::string_view> names, spoken;
    const auto apart = [](const ControlRow& a, const ControlRow& b) {
        return a.left + a.width <= b.left || a.top + a.height <= b.top;
    };
    for (const ControlRow& row : ControlTable()) {
        EXPECT_TRUE(tabs.insert(row.tabIndex).second) << row.name;
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        EXPECT_TRUE(spoken.insert(row.accessibleName).second) << row.name;
        EXPECT_FALSE(row.accessibleDescription.empty()) << row.name;
        EXPECT_TRUE(row.left >= 0 && row.top >= 0 && row.left + row.width <= ClientWidth &&
                    row.top + row.height <= ClientHeight)
            << row.name;
        for (const ControlRow& other : ControlTable())
            EXPECT_TRUE(&row == &other || apart(row, other) || apart(other, row)) << row.name << " " << other.name;
    }
    EXPECT_EQ(*tabs.rbegin(), ControlCount - 1);
    const auto lineUp = [](int ControlRow::*coordinate, const std::string& groups) {
        std::istringstream in(groups);
        for (std::string group; std::getline(in, group, ',');) {
            std::istringstream names(group);
            std::string first, name;
            names >> first;
            while (names >> name) EXPECT_EQ(FindControl(name)->*coordinate, FindControl(first)->*coordinate) << name;
        }
    };
    lineUp(&ControlRow::top,
           "Label3 xp xm, Label2 yp ym, Label4 zp zm, start stop, Label7 HScroll1 Label11, "
           "Label8 HScroll2 Label12, Label9 HScroll3 Label13, Label10 HScroll4 Label14");
    lineUp(&ControlRow::left,
           "xp yp zp, xm ym zm, Label7 Label8 Label9, HScroll1 HScroll2 HScroll3 HScroll4, "
           "Label11 Label12 Label13 Label14");
}

// Catches a locale's comma, trailing zeros, a lost blank or a "-0".
TEST(WindowTexts, NumbersReadTheSameEverywhere) {
    const std::pair<int, const char*> speeds[] = {{25, " 0.25"}, {-50, "-0.5"}, {7, " 0.07"}, {-7, "-0.07"},
                                                  {0, " 0"},     {150, " 1.5"}, {-100, "-1"}};
    for (const auto& [value, text] : speeds) EXPECT_EQ(SpeedText(value), text) << value;
    const std::pair<double, const char*> decimals[] = {{0.1f, "0.1"},         {-0.004, "0"},     {1.0000001f, "1"},
                                                       {-12.345, "-12.35"},   {3e20, "10^20"},   {INFINITY, "infinity"},
                                                       {NAN, "not a number"}, {0.99999934f, "1"}};
    for (const auto& [value, text] : decimals) EXPECT_EQ(DecimalText(value), text) << value;
}

// Each case: events after start-up, then the view, the timer and whether the last event redrew.
TEST(WindowModel, EventsMoveTheViewAndRedraw) {
    const std::vector<Event> twoTicks{{"HScroll2", -7}, {"HScroll4", 20}, {"start"}, {"Timer1"}, {"Timer1"}};
    const struct {
        const char* what;
        float angleX, angleY, animTime;
        bool running, redrawn;
        std::vector<Event> events;
    } cases[] = {
        {"+ then ---: not 0", 1.4901161e-9f, 0, 0, false, true, {{"xp"}, {"xm"}}},
        {"ten +", 1.0000001f, 0, 0, false, true, std::vector<Event>(10, {"xp"})},
        {"a speed while stopped moves nothing", 0, 0, 0, false, false, {{"HScroll1", 5}}},
        {"each tick reads every bar", 0, -0.14f, 0.4f, true, true, twoTicks},
        {"a second start, then stop", 0, 0, 0, false, false, {{"start"}, {"start"}, {"stop"}}},
        {"the list picks a row", 0, 0.1f, 0, false, true, {{"List", 3}, {"yp"}}},
    };
    for (const auto& c : cases) {
        Window w;
        const Outcome last = w.Run(c.events);
        const ViewState& v = w.model.scene.view;
        EXPECT_EQ(std::pair(v.AngleX, v.AngleY), std::pair(c.angleX, c.angleY)) << c.what;
        EXPECT_FLOAT_EQ(v.AnimTime, c.animTime) << c.what;
        EXPECT_EQ(std::pair(w.model.timerRunning, last.pictureChanged), std::pair(c.running, c.redrawn)) << c.what;
        EXPECT_TRUE(w.model.picture.pixels == Drawn(v, false).pixels) << c.what;
    }
    Window w;
    for (int i = 0; i < 100; ++i) w.Run({{"HScroll1", 1}, {"Timer1"}});
    EXPECT_EQ(w.model.scene.view.AngleX, 0.99999934f);
}

// Catches axes dropped by an untick before the next clear, or read-outs and names not following.
TEST(WindowModel, AxisBoxReadOutsAndNamesFollowTheEvents) {
    Window w;
    EXPECT_EQ(CaptionOf(w.model, *FindControl("Label11")), "0");
    w.Run({{"showaxis", 1}, {"zp"}});
    EXPECT_EQ(w.Name("pctr1"), "Picture of the 3D axes, turned 0, 0 and 0.1 radians about X, Y and Z, at time 0");
    w.Run({{"List", 21}, {"HScroll1", 4}, {"HScroll1", 0}, {"HScroll3", -3}});
    const std::vector<std::uint32_t> withAxes = w.model.picture.pixels;
    EXPECT_EQ(w.Run({{"showaxis", 0}}).pictureChanged, true);
    EXPECT_TRUE(w.model.picture.pixels == withAxes);
    EXPECT_NE(w.Name("pctr1").find("Sphere-Torus Transformation, turned 0, 0 and 0.1"), std::string::npos);
    EXPECT_NE(w.Name("pctr1").find("with the 3D axes"), std::string::npos);
    EXPECT_EQ(CaptionOf(w.model, *FindControl("Label11")), " 0");
    w.Run({{"xm"}});
    EXPECT_EQ(w.Name("pctr1").find("with the 3D axes"), std::string::npos);
}

// A failing redraw keeps what it drew and says why; the next event clears the error.
TEST(WindowModel, ErrorsAndRequestsReachTheFace) {
    Window w;
    w.Run({{"showaxis", 1}});
    w.model.scene.view.AnimTime = INFINITY;  // the sphere's radius fails
    const Outcome failed = w.Run({{"List", 3}});
    EXPECT_TRUE(failed.failed && failed.pictureChanged);
    EXPECT_EQ(w.model.error.rfind("Run-time error: Floating-point", 0), 0u) << w.model.error;
    ViewState axesOnly = w.model.scene.view;
    axesOnly.StructureIndex = 0;
    EXPECT_TRUE(w.model.picture.pixels == Drawn(axesOnly, true).pixels);
    EXPECT_EQ(w.Run({{"Command1"}}).request, FaceRequest::ShowAbout);
    EXPECT_TRUE(w.model.error.empty());
}

// Catches a snapshot losing the random source, or outside values not held to the controls' ranges.
TEST(WindowModel, SnapshotRestoresTheSamePicture) {
    for (const int row : {19, 22}) {  // Nodes and Rossler Chaos draw from the random source
        Window first;
        const std::vector<Event> events{{"List", row}, {"HScroll2", 9}, {"HScroll4", -40}, {"start"},
                                        {"Timer1"},    {"showaxis", 1}, {"Timer1"},        {"xp"}};
        first.Run(events);
        const ViewAddress snapshot = Capture(first.model);
        Window second;
        second.Run({{"List", 5}});
        EXPECT_FALSE(Restore(second.model, snapshot).failed);
        EXPECT_TRUE(second.model.picture.pixels == first.model.picture.pixels) << row;
        EXPECT_EQ(second.model.scene.random.state, first.model.scene.random.state) << row;
        EXPECT_EQ(second.model.readOuts, first.model.readOuts);
        EXPECT_TRUE(second.model.timerRunning && second.model.axesOnPicture);
    }
    Window w;
    Restore(w.model, {.view = {.StructureIndex = 24}, .speeds = {400, -400, 0, 3}});
    EXPECT_EQ(w.model.scene.view.StructureIndex, 0);
    EXPECT_EQ(w.model.speeds, (std::array<int, 4>{50, -50, 0, 3}));
    w.Run({{"List", 40000}, {"HScroll3", 99}});  // the same from the page's interface
    EXPECT_EQ(w.model.scene.view.StructureIndex, 0);
    EXPECT_EQ(w.model.speeds[2], 50);
}

// Catches a new ratio taken up half-way through a picture, or not at once by a blank one (pixels: app tests).
TEST(WindowModel, DisplayPictureFollowsTheRatioFromTheNextClear) {
    Window sharp;
    SetDisplayRatio(sharp.model, 2);
    EXPECT_EQ(ShownPicture(sharp.model).width, 1130);  // nothing drawn yet: at once
    sharp.Run({{"List", 3}, {"xp"}, {"showaxis", 1}});
    EXPECT_EQ(ShownPicture(sharp.model).width, 1130);
    SetDisplayRatio(sharp.model, 1.5);
    sharp.Run({{"showaxis", 0}});
    EXPECT_EQ(sharp.model.display->scale, 2);
    sharp.Run({{"zm"}});
    EXPECT_EQ(sharp.model.display->width, 848);
    SetDisplayRatio(sharp.model, NAN);
    sharp.Run({{"zp"}});
    EXPECT_FALSE(sharp.model.display.has_value());
    EXPECT_EQ(&ShownPicture(sharp.model), &sharp.model.picture);
}

// Catches a bad cell that changes the store, y converted before x is tested, ties not rounded to even.
TEST(DepthScreen, StartsAt1000RaisesForBadCellsAndRoundsTiesToEven) {
    using enum ErrorKind;
    Window w;
    DepthScreen& store = w.model.depthScreen;
    const std::tuple<float, float, ErrorKind> bad[] = {
        {482.6f, 0, IndexOutOfRange},     {-483, 0, IndexOutOfRange}, {0, 458.6f, IndexOutOfRange},
        {500, 1e9f, IndexOutOfRange},     {40000, 0, Overflow},       {0, -1e20f, Overflow},
        {std::nanf(""), 0, FloatingPoint}};
    for (const auto& [x, y, kind] : bad) {
        EXPECT_EQ(RaisedKind([&] { WriteDepth(store, x, y, 5); }), kind) << x << " " << y;
        EXPECT_EQ(RaisedKind([&] { ReadDepth(store, x, y); }), kind) << x << " " << y;
        EXPECT_TRUE(store.cells == std::vector<float>(store.cells.size(), 1000));
    }
    const std::array<float, 4> ties[] = {{1.5f, 0, 2, 0},     {2.5f, 0, 2, 0},       {-0.5f, 0, 0, 0},
                                         {482.5f, 0, 482, 0}, {0, -458.5f, 0, -458}, {2.4f, -7.6f, 2, -8}};
    for (const auto& [x, y, readX, readY] : ties) {
        ClearDepthScreen(store);
        WriteDepth(store, x, y, 7.25f);
        EXPECT_EQ(ReadDepth(store, readX, readY), 7.25f) << x << " " << y;
        EXPECT_EQ(std::count(store.cells.begin(), store.cells.end(), 7.25f), 1);
    }
}
