#pragma once

#include <cstdint>

// The view every picture is drawn under. Angles and time only accumulate.
struct ViewState {
    float AngleX = 0, AngleY = 0, AngleZ = 0;
    float AnimTime = 0;
    std::int16_t StructureIndex = 0;  // 1-based catalogue row; 0 = nothing selected
};

enum class Axis { X, Y, Z };

inline constexpr int SpeedLimit = 50;  // the speed bars run from -SpeedLimit to SpeedLimit

// Scroll-bar values of the four speeds, each -50..50.
struct Speeds {
    int x = 0, y = 0, z = 0, time = 0;
};

// An angle button: the angle about `axis` plus or minus 0.1.
void NudgeAngle(ViewState& view, Axis axis, int direction);

// One timer tick: each angle and the time advance by their speed / 100.
void ApplyTimerTick(ViewState& view, Speeds speeds);

// The speed a scroll-bar value stands for: value / 100 in double.
double SpeedOf(int scrollValue);
