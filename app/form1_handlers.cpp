#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

#include "catalogue.h"
#include "form1.h"
#include "picture_box.h"
#include "speed_text.h"

void Form1::StartUp() {
    StartUpDrawing(scene.tools, StartUpSimdLevel());
    ClearDepthScreen(depthScreen);
    for (const CatalogueEntry& entry : Catalogue())
        controls.List->addItem(QString::fromUtf8(entry.listText.data(), qsizetype(entry.listText.size())));
}

void Form1::Handle(const std::function<void()>& handler) {
    const bool outer = !handling;
    handling = true;
    try {
        handler();
    } catch (const std::exception& error) {  // RunTimeError above all; nothing may leave a slot
        controls.pctr1->ShowChanges();       // what was drawn before the error stays
        dialogs.warn("Orbiza", QString::fromUtf8(error.what()));
    }
    if (outer) handling = false;
}

void Form1::Redraw() {
    scene.showAxis = controls.showaxis->isChecked();
    RedrawScene(scene);
    controls.pctr1->ShowChanges();
}

void Form1::ClearAndRedraw() {
    Clear(surface);
    controls.pctr1->ShowChanges();
    Redraw();
}

void Form1::ListSelectionChanged() {
    const QList<QListWidgetItem*> selected = controls.List->selectedItems();
    scene.view.StructureIndex = std::int16_t(selected.isEmpty() ? 0 : controls.List->row(selected.first()) + 1);
    ClearAndRedraw();
}

void Form1::AngleButtonClicked(Axis axis, int direction) {
    NudgeAngle(scene.view, axis, direction);
    ClearAndRedraw();
}

void Form1::SpeedChanged(int bar, int value) { controls.readouts[std::size_t(bar)]->setText(SpeedText(value)); }

void Form1::ShowAxisToggled() { Redraw(); }

// A tick that falls due while another handler is still running (inside a
// message box or the Save dialog) is dropped, so ticks never queue up.
void Form1::Timer1Tick() {
    if (handling) return;
    Handle([this] {
        const auto& bars = controls.speedBars;
        ApplyTimerTick(scene.view, {bars[0]->value(), bars[1]->value(), bars[2]->value(), bars[3]->value()});
        ClearAndRedraw();
    });
}
