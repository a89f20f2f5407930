#include "view_state.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "raised.h"

namespace {

TEST(ViewState, AngleButtonsAccumulateInFloat) {
    ViewState view;
    NudgeAngle(view, Axis::X, +1);
    NudgeAngle(view, Axis::X, -1);
    EXPECT_EQ(view.AngleX, 1.4901161e-9f);  // not back to 0

    ViewState tenPresses;
    for (int i = 0; i < 10; ++i) NudgeAngle(tenPresses, Axis::X, +1);
    EXPECT_EQ(tenPresses.AngleX, 1.00000012f);
    EXPECT_EQ(tenPresses.AngleY, 0.0f);
    EXPECT_EQ(tenPresses.AngleZ, 0.0f);
}

TEST(ViewState, EachButtonMovesOnlyItsAngle) {
    struct Case {
        Axis axis;
        int direction;
        float ViewState::*angle;
        float expected;
    } cases[] = {{Axis::X, -1, &ViewState::AngleX, -0.1f},
                 {Axis::Y, +1, &ViewState::AngleY, 0.1f},
                 {Axis::Y, -1, &ViewState::AngleY, -0.1f},
                 {Axis::Z, +1, &ViewState::AngleZ, 0.1f},
                 {Axis::Z, -1, &ViewState::AngleZ, -0.1f}};
    for (const Case& c : cases) {
        ViewState view;
        NudgeAngle(view, c.axis, c.direction);
        EXPECT_EQ(view.*c.angle, c.expected);
        EXPECT_EQ(view.AngleX + view.AngleY + view.AngleZ, c.expected);
        EXPECT_EQ(view.AnimTime, 0.0f);
    }
}

TEST(ViewState, TimerTicksAddSpeedOverAHundred) {
    ViewState view;
    for (int i = 0; i < 100; ++i) ApplyTimerTick(view, {1, 0, 0, 0});
    EXPECT_EQ(view.AngleX, 0.99999934f);
    EXPECT_EQ(view.AngleY, 0.0f);
    EXPECT_EQ(view.AngleZ, 0.0f);
    EXPECT_EQ(view.AnimTime, 0.0f);

    ViewState all;
    ApplyTimerTick(all, {-50, 50, 25, -1});
    EXPECT_EQ(all.AngleX, -0.5f);
    EXPECT_EQ(all.AngleY, 0.5f);
    EXPECT_EQ(all.AngleZ, 0.25f);
    EXPECT_EQ(all.AnimTime, -0.01f);
}

TEST(ViewState, UpdatesStayFiniteOrRaise) {
    ViewState view;
    view.AngleX = FLT_MAX;  // a half-unit step is absorbed by rounding, never infinite
    EXPECT_EQ(RaisedKind([&] { ApplyTimerTick(view, {50, 0, 0, 0}); }), std::nullopt);
    EXPECT_EQ(view.AngleX, FLT_MAX);
    view.AnimTime = INFINITY;
    EXPECT_EQ(RaisedKind([&] { ApplyTimerTick(view, {0, 0, 0, 1}); }), ErrorKind::FloatingPoint);
    view.AngleZ = NAN;
    EXPECT_EQ(RaisedKind([&] { NudgeAngle(view, Axis::Z, -1); }), ErrorKind::FloatingPoint);
}

}  // namespace
