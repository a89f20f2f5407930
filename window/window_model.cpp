#include "window_model.h"

#include <algorithm>
#include <exception>

#include "catalogue.h"
#include "window_texts.h"

namespace {

// Runs one event's work; a run-time error ends it and is kept for the face.
template <typename Work>
Outcome Handle(WindowModel& model, Work work) {
    Outcome outcome;
    model.error.clear();
    try {
        work(outcome);
    } catch (const std::exception& error) {  // RunTimeError above all; nothing may reach the face's event loop
        model.error = RunTimeErrorMessage(error.what());
        outcome.failed = true;
    }
    return outcome;
}

// A new ratio is taken up only where the picture starts afresh, so a picture
// built by redraws without clearing stays one picture on both canvases.
void FollowDisplayRatio(WindowModel& model) {
    if (model.displayRatio == (model.display ? model.display->scale : 1)) return;
    if (model.displayRatio == 1)
        model.display.reset();
    else
        model.display.emplace(model.displayRatio);
}

void Redraw(WindowModel& model, Outcome& outcome, bool clear) {
    outcome.pictureChanged = true;
    if (clear) model.axesOnPicture = false;
    model.randomBeforeRedraw = model.scene.random;
    model.axesOnPicture = model.axesOnPicture || model.scene.showAxis;
    if (clear) FollowDisplayRatio(model);
    DrawPicture(model.scene, model.picture, model.display ? &*model.display : nullptr, clear);
}

struct AngleButton {
    std::string_view name;
    Axis axis;
    int direction;
};

constexpr std::array<AngleButton, 6> AngleButtons{{{"xp", Axis::X, +1},
                                                   {"xm", Axis::X, -1},
                                                   {"yp", Axis::Y, +1},
                                                   {"ym", Axis::Y, -1},
                                                   {"zp", Axis::Z, +1},
                                                   {"zm", Axis::Z, -1}}};

// Values may come from outside (the page's interface, a page address): a list
// index beyond the list selects nothing, a speed beyond its bar stops at its end.
std::int16_t StructureIndexOf(int listIndex) {
    return std::int16_t(listIndex >= 0 && listIndex < CatalogueSize ? listIndex + 1 : 0);
}

void SpeedChanged(WindowModel& model, int bar, int value) {
    model.speeds[std::size_t(bar)] = HeldToSpeedRange(value);
    model.readOuts[std::size_t(bar)] =
        SpeedText(HeldToSpeedRange(value));  // " 0" from now on, where start-up showed "0"
}

void Tick(WindowModel& model, Outcome& outcome) {
    ApplyTimerTick(model.scene.view, model.speeds);
    Redraw(model, outcome, true);
}

// What the picture shows, for a screen reader: the structure and the view.
std::string PictureName(const ViewState& v, bool axesOnPicture) {
    const bool structure = v.StructureIndex >= 1 && v.StructureIndex <= CatalogueSize;
    if (!structure && !axesOnPicture) return "Picture, empty";
    std::string name = "Picture of ";
    name += structure ? std::string(Catalogue()[std::size_t(v.StructureIndex - 1)].listText) : "the 3D axes";
    name += ", turned " + DecimalText(v.AngleX) + ", " + DecimalText(v.AngleY) + " and " + DecimalText(v.AngleZ);
    name += " radians about X, Y and Z, at time " + DecimalText(v.AnimTime);
    if (structure && axesOnPicture) name += ", with the 3D axes";
    return name;
}

}  // namespace

void StartUp(WindowModel& model, SimdLevel level) {
    StartUpDrawing(model.scene.tools, level);
    ClearDepthScreen(model.depthScreen);
}

void DrawPicture(Scene& scene, Canvas& canvas, Canvas* display, bool clear) {
    AttachCanvases(scene.tools, &canvas, display);
    if (clear) Clear(canvas);
    if (clear && display) Clear(*display);
    RedrawScene(scene);
}

void SetDisplayRatio(WindowModel& model, double ratio) {
    model.displayRatio = ratio == ratio ? std::clamp(ratio, Canvas::MinScale, Canvas::MaxScale) : 1;  // NaN: none
    const auto& pixels = model.picture.pixels;
    if (std::all_of(pixels.begin(), pixels.end(), [](std::uint32_t pixel) { return pixel == Canvas::Background; }))
        FollowDisplayRatio(model);  // a blank picture (start-up above all) has nothing to keep in step
}

const Canvas& ShownPicture(const WindowModel& model) { return model.display ? *model.display : model.picture; }

Outcome HandleEvent(WindowModel& model, std::string_view control, int value) {
    return Handle(model, [&](Outcome& outcome) {
        for (const AngleButton& button : AngleButtons)
            if (control == button.name) {
                NudgeAngle(model.scene.view, button.axis, button.direction);
                return Redraw(model, outcome, true);
            }
        if (const int bar = SpeedBarIndex(control); bar >= 0) return SpeedChanged(model, bar, value);
        if (control == "List") {
            model.scene.view.StructureIndex = StructureIndexOf(value);
            return Redraw(model, outcome, true);
        }
        if (control == "showaxis") {
            model.scene.showAxis = value != 0;
            return Redraw(model, outcome, false);  // ticking draws the axes over; unticking keeps them
        }
        if (control == "start") model.timerRunning = true;
        if (control == "stop") model.timerRunning = false;
        if (control == TimerName) Tick(model, outcome);
        if (control == "Command1") outcome.request = FaceRequest::ShowAbout;
        if (control == "Sav_bmp") outcome.request = FaceRequest::SavePicture;
    });
}

std::string CaptionOf(const WindowModel& model, const ControlRow& row) {
    const int readOut = ReadOutIndex(row.name);
    return readOut >= 0 ? model.readOuts[std::size_t(readOut)] : std::string(row.caption);
}

// A name replaces a label's text for a screen reader, so a read-out's name
// carries its number ("X speed 0.03").
std::string AccessibleNameOf(const WindowModel& model, const ControlRow& row) {
    if (row.kind == ControlKind::DrawingArea) return PictureName(model.scene.view, model.axesOnPicture);
    const int readOut = ReadOutIndex(row.name);
    if (readOut < 0) return std::string(row.accessibleName);
    const std::string speed = SpeedText(model.speeds[std::size_t(readOut)]);
    return std::string(row.accessibleName) + " " + (speed[0] == ' ' ? speed.substr(1) : speed);
}

std::string AccessibleNameOf(const ViewAddress& address) { return PictureName(address.view, address.showAxis); }

int ValueOf(const WindowModel& model, const ControlRow& row) {
    if (row.kind == ControlKind::ListBox) return model.scene.view.StructureIndex - 1;
    if (row.kind == ControlKind::CheckBox) return model.scene.showAxis ? 1 : 0;
    const int bar = SpeedBarIndex(row.name);
    return bar >= 0 ? model.speeds[std::size_t(bar)] : 0;
}

ViewAddress Capture(const WindowModel& model) {
    return {.view = model.scene.view,
            .speeds = model.speeds,
            .showAxis = model.scene.showAxis,
            .timerRunning = model.timerRunning,
            .randomState = model.randomBeforeRedraw.state};
}

Outcome Restore(WindowModel& model, const ViewAddress& snapshot) {
    RestoreScene(model.scene, snapshot);
    model.scene.view.StructureIndex = StructureIndexOf(snapshot.view.StructureIndex - 1);
    for (std::size_t bar = 0; bar < model.speeds.size(); ++bar) {
        model.speeds[bar] = HeldToSpeedRange(snapshot.speeds[bar]);
        model.readOuts[bar] = model.speeds[bar] == 0 ? "0" : SpeedText(model.speeds[bar]);
    }
    model.timerRunning = snapshot.timerRunning;
    return Handle(model, [&](Outcome& outcome) { Redraw(model, outcome, true); });
}
