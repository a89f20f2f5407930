#include "form1.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "about.h"
#include "accessible_names.h"
#include "export.h"
#include "picture_box.h"
#include "window_icon.h"

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
    setWindowTitle("Orbiza");
    setWindowIcon(WindowIcon());
    setFixedSize(809, 593);
    setFont(DialogFont());
    scene.tools.surface = &surface;
    controls = BuildControls(this, surface);
    NameControlsForScreenReaders(this);
    StartUp();
    Connect();
}

float Form1::ZScreenG(float x, float y) const { return ReadDepth(depthScreen, x, y); }

std::int16_t Form1::ZScreenP(float x, float y, float value) {
    WriteDepth(depthScreen, x, y, value);
    return 0;
}

void Form1::Connect() {
    const Controls& c = controls;
    connect(c.List, &QListWidget::itemSelectionChanged, this, [this] { Handle([this] { ListSelectionChanged(); }); });
    const auto angleButton = [this](QPushButton* button, Axis axis, int direction) {
        connect(button, &QPushButton::clicked, this,
                [this, axis, direction] { Handle([=, this] { AngleButtonClicked(axis, direction); }); });
    };
    angleButton(c.xp, Axis::X, +1);
    angleButton(c.xm, Axis::X, -1);
    angleButton(c.yp, Axis::Y, +1);
    angleButton(c.ym, Axis::Y, -1);
    angleButton(c.zp, Axis::Z, +1);
    angleButton(c.zm, Axis::Z, -1);
    for (int bar = 0; bar < 4; ++bar)
        connect(c.speedBars[bar], &QScrollBar::valueChanged, this,
                [this, bar](int value) { SpeedChanged(bar, value); });
    connect(c.start, &QPushButton::clicked, this, [timer = c.Timer1] {
        if (!timer->isActive()) timer->start();  // a second start keeps the running phase
    });
    connect(c.stop, &QPushButton::clicked, c.Timer1, &QTimer::stop);
    connect(c.Timer1, &QTimer::timeout, this, &Form1::Timer1Tick);
    connect(c.showaxis, &QCheckBox::toggled, this, [this] { Handle([this] { ShowAxisToggled(); }); });
    connect(c.Sav_bmp, &QPushButton::clicked, this,
            [this] { Handle([this] { ExportPicture(surface, dialogs, temporaries); }); });
    connect(c.Command1, &QPushButton::clicked, this, [this] { Handle([this] { ShowAbout(dialogs); }); });
}
