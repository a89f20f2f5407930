#include "view_state.h"

#include "numbers.h"

namespace {

void Advance(float& value, double increment) { value = StoreFloat(double(value) + increment); }

float& AngleFor(ViewState& view, Axis axis) {
    switch (axis) {
    case Axis::X: return view.AngleX;
    case Axis::Y: return view.AngleY;
    case Axis::Z: return view.AngleZ;
    }
    return view.AngleX;
}

}  // namespace

double SpeedOf(int scrollValue) { return double(std::int16_t(scrollValue)) / 100.0; }

void NudgeAngle(ViewState& view, Axis axis, int direction) {
    Advance(AngleFor(view, axis), direction < 0 ? -0.1 : 0.1);
}

void ApplyTimerTick(ViewState& view, const Speeds& speeds) {
    Advance(view.AngleX, SpeedOf(speeds[SpeedX]));
    Advance(view.AngleY, SpeedOf(speeds[SpeedY]));
    Advance(view.AngleZ, SpeedOf(speeds[SpeedZ]));
    Advance(view.AnimTime, SpeedOf(speeds[SpeedTime]));
}
