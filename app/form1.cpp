#include "form1.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "export.h"
#include "picture_box.h"
#include "qt_text.h"
#include "window_icon.h"
#include "window_texts.h"

namespace {

// A small sans serif: the captions were measured for a dialog font of about 11 pixels.
QFont DialogFont() {
    QFont font;
    font.setFamilies({"Liberation Sans", "Arimo", "Arial", "Nimbus Sans", "Helvetica"});
    font.setPixelSize(11);
    return font;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent), dialogs(StandardDialogs(this)) {
    setWindowTitle(QtText(WindowCaption));
    setWindowIcon(WindowIcon());
    setFixedSize(ClientWidth / TwipsPerPixel, ClientHeight / TwipsPerPixel);
    setFont(DialogFont());
    controls = BuildControls(this, model.picture);
    StartUp(model, StartUpSimdLevel());  // the program's one choice of level
    FollowModel();
    Connect();
}

float Form1::ZScreenG(float x, float y) const { return ReadDepth(model.depthScreen, x, y); }

std::int16_t Form1::ZScreenP(float x, float y, float value) {
    WriteDepth(model.depthScreen, x, y, value);
    return 0;
}

void Form1::Connect() {
    for (const ControlRow& row : ControlTable()) {
        QWidget* control = controls.byName.at(row.name);
        const std::string_view name = row.name;
        const auto forward = [this, name](int value) { Forward(name, value); };
        switch (row.kind) {
        case ControlKind::Button:
            connect(static_cast<QPushButton*>(control), &QPushButton::clicked, this, [forward] { forward(0); });
            break;
        case ControlKind::ListBox: {
            auto* list = static_cast<QListWidget*>(control);
            connect(list, &QListWidget::itemSelectionChanged, this, [list, forward] {
                const QList<QListWidgetItem*> selected = list->selectedItems();
                forward(selected.isEmpty() ? -1 : list->row(selected.first()));
            });
            break;
        }
        case ControlKind::CheckBox:
            connect(static_cast<QCheckBox*>(control), &QCheckBox::toggled, this, forward);
            break;
        case ControlKind::ScrollBar:
            connect(static_cast<QScrollBar*>(control), &QScrollBar::valueChanged, this, forward);
            break;
        case ControlKind::DrawingArea:
        case ControlKind::Label: break;
        }
    }
    connect(controls.Timer1, &QTimer::timeout, this, &Form1::Timer1Tick);
}

// A tick that falls due while another event is still running (inside a
// message box or the Save dialog) is dropped, so ticks never queue up.
void Form1::Timer1Tick() {
    if (!handling) Forward(TimerName, 0);
}

void Form1::Forward(std::string_view control, int value) {
    const bool outer = !handling;
    handling = true;
    // The screen's ratio now; a clearing redraw takes it up. Qt repaints the
    // window itself when it moves to another screen, showing the picture it
    // has at the new ratio, scaled, until then.
    SetDisplayRatio(model, devicePixelRatioF());
    const Outcome outcome = HandleEvent(model, control, value);
    if (outcome.pictureChanged) controls.pctr1->ShowChanges();  // what was drawn before an error stays
    FollowModel();
    if (outcome.failed) dialogs.warn(QtText(MessageTitle), QtText(model.error));
    if (outcome.request == FaceRequest::ShowAbout) dialogs.inform(QtText(AboutTitle), QtText(AboutText));
    if (outcome.request == FaceRequest::SavePicture) ExportPicture(model.picture, dialogs, temporaries);
    if (outer) handling = false;
}

// The picture, the read-outs' captions, every control's name for screen
// readers and the timer, as the model has them now. Only what changed is
// set, so a screen reader hears of nothing else.
void Form1::FollowModel() {
    controls.pctr1->Show(ShownPicture(model));  // a new ratio makes a new display picture
    for (const ControlRow& row : ControlTable()) {
        QWidget* control = controls.byName.at(row.name);
        if (row.kind == ControlKind::Label) {
            auto* label = static_cast<QLabel*>(control);
            const QString caption = QString::fromStdString(CaptionOf(model, row));
            if (label->text() != caption) label->setText(caption);
        }
        const QString name = QString::fromStdString(AccessibleNameOf(model, row));
        if (control->accessibleName() != name) control->setAccessibleName(name);
    }
    if (model.timerRunning && !controls.Timer1->isActive()) controls.Timer1->start();  // a second start keeps the phase
    if (!model.timerRunning) controls.Timer1->stop();
}
