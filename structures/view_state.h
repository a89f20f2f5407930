#pragma once

#include <cstdint>

#include "speeds.h"

// The view every picture is drawn under. Angles and time only accumulate.
struct ViewState {
    float AngleX = 0, AngleY = 0, AngleZ = 0;
    float AnimTime = 0;
    std::int16_t StructureIndex = 0;  // 1-based catalogue row; 0 = nothing selected
};

enum class Axis { X, Y, Z };

// An angle button: the angle about `axis` plus or minus 0.1.
void NudgeAngle(ViewState& view, Axis axis, int direction);

// One timer tick: each angle and the time advance by their speed / 100.
void ApplyTimerTick(ViewState& view, const Speeds& speeds);

// The speed a scroll-bar value stands for: value / 100 in double.
double SpeedOf(int scrollValue);
