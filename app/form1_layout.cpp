#include "form1_layout.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <string_view>

#include "caption_button.h"
#include "picture_box.h"

namespace {

enum class Kind { DrawingArea, Button, ListBox, CheckBox, Label, ScrollBar };

struct ControlRow {
    std::string_view name;
    Kind kind;
    std::string_view caption;
    int left, top, width, height;  // twips
    int tabIndex;
};

constexpr int TwipsPerPixel = 15;

constexpr std::array<ControlRow, 31> ControlTable{{
    {"pctr1", Kind::DrawingArea, "", 120, 600, 8535, 7815, 0},
    {"Command1", Kind::Button, "About Orbiza", 11400, 0, 735, 615, 30},
    {"Sav_bmp", Kind::Button, "Save as .bmp file...", 9360, 600, 1935, 375, 28},
    {"List", Kind::ListBox, "", 9630, 1260, 1815, 1230, 21},
    {"showaxis", Kind::CheckBox, "Show 3D axis", 9630, 2610, 1770, 285, 29},
    {"Label1", Kind::Label, "Rotation about axis:-", 8880, 3240, 1575, 255, 7},
    {"Label3", Kind::Label, "X:", 9960, 3720, 255, 255, 9},
    {"xp", Kind::Button, "+", 10320, 3720, 375, 375, 3},
    {"xm", Kind::Button, "---", 10800, 3720, 375, 375, 4},
    {"Label2", Kind::Label, "Y:", 9960, 4200, 255, 255, 8},
    {"yp", Kind::Button, "+", 10320, 4200, 375, 375, 1},
    {"ym", Kind::Button, "---", 10800, 4200, 375, 375, 2},
    {"Label4", Kind::Label, "Z:", 9960, 4680, 255, 255, 10},
    {"zp", Kind::Button, "+", 10320, 4680, 375, 375, 5},
    {"zm", Kind::Button, "---", 10800, 4680, 375, 375, 6},
    {"Label5", Kind::Label, "Auto motion:", 9120, 5280, 1095, 255, 11},
    {"start", Kind::Button, "Start", 9840, 5640, 735, 375, 12},
    {"stop", Kind::Button, "Stop", 10680, 5640, 735, 375, 13},
    {"Label6", Kind::Label, "Speed:", 9360, 6120, 735, 255, 17},
    {"Label7", Kind::Label, "X:", 9720, 6480, 255, 255, 18},
    {"HScroll1", Kind::ScrollBar, "", 10080, 6480, 1095, 255, 14},
    {"Label11", Kind::Label, "0", 11280, 6480, 495, 255, 24},
    {"Label8", Kind::Label, "Y:", 9720, 6960, 255, 255, 19},
    {"HScroll2", Kind::ScrollBar, "", 10080, 6960, 1095, 255, 15},
    {"Label12", Kind::Label, "0", 11280, 6960, 495, 255, 25},
    {"Label9", Kind::Label, "Z:", 9720, 7440, 255, 255, 20},
    {"HScroll3", Kind::ScrollBar, "", 10080, 7440, 1095, 255, 16},
    {"Label13", Kind::Label, "0", 11280, 7440, 495, 255, 26},
    {"Label10", Kind::Label, "Time :", 9360, 8040, 495, 255, 23},
    {"HScroll4", Kind::ScrollBar, "", 10080, 8040, 1095, 255, 22},
    {"Label14", Kind::Label, "0", 11280, 8040, 495, 255, 27},
}};

constexpr bool WholePixels(const ControlRow& row) {
    return row.left % TwipsPerPixel == 0 && row.top % TwipsPerPixel == 0 && row.width % TwipsPerPixel == 0 &&
           row.height % TwipsPerPixel == 0;
}
static_assert(std::all_of(ControlTable.begin(), ControlTable.end(), WholePixels));

// QScrollBar inverts its controls so that the wheel scrolls the usual way,
// which also turns Left and Right round: Right lowered the value. The arrow
// keys are taken over here so that they move the thumb the way they point;
// the wheel, Home and End stay as Qt has them.
void ArrowKeysFollowTheThumb(QScrollBar* bar) {
    const auto arrow = [bar](Qt::Key key, QAbstractSlider::SliderAction action) {
        auto* move = new QAction(bar);
        move->setShortcut(key);
        move->setShortcutContext(Qt::WidgetShortcut);
        QObject::connect(move, &QAction::triggered, bar, [bar, action] { bar->triggerAction(action); });
        bar->addAction(move);
    };
    arrow(Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd);
    arrow(Qt::Key_Left, QAbstractSlider::SliderSingleStepSub);
}

QWidget* CreateControl(const ControlRow& row, QWidget* window, const Canvas& surface) {
    const QString caption = QString::fromUtf8(row.caption.data(), qsizetype(row.caption.size()));
    switch (row.kind) {
    case Kind::DrawingArea: return new PictureBox(surface, window);
    case Kind::Button: return new CaptionButton(caption, window);
    case Kind::ListBox: {
        auto* list = new QListWidget(window);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSortingEnabled(false);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long names are cut, not scrolled
        return list;
    }
    case Kind::CheckBox: return new QCheckBox(caption, window);
    case Kind::Label: return new QLabel(caption, window);
    case Kind::ScrollBar: {
        auto* bar = new QScrollBar(Qt::Horizontal, window);
        bar->setRange(-50, 50);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setValue(0);
        bar->setFocusPolicy(Qt::StrongFocus);  // reachable by Tab and moved by the arrow keys
        ArrowKeysFollowTheThumb(bar);
        return bar;
    }
    }
    return nullptr;
}

template <typename T>
T* Find(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// Labels keep their place in the table but never take the focus, so only
// the focusable controls are chained.
void ChainTabOrder(QWidget* window) {
    std::array<ControlRow, ControlTable.size()> byTab = ControlTable;
    std::sort(byTab.begin(), byTab.end(), [](const auto& a, const auto& b) { return a.tabIndex < b.tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlRow& row : byTab) {
        QWidget* control = Find<QWidget>(window, row.name.data());
        if (!(control->focusPolicy() & Qt::TabFocus)) continue;
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace

Controls BuildControls(QWidget* window, const Canvas& surface) {
    for (const ControlRow& row : ControlTable) {
        QWidget* control = CreateControl(row, window, surface);
        control->setObjectName(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())));
        control->setGeometry(row.left / TwipsPerPixel, row.top / TwipsPerPixel, row.width / TwipsPerPixel,
                             row.height / TwipsPerPixel);
    }
    ChainTabOrder(window);

    auto* timer = new QTimer(window);
    timer->setObjectName("Timer1");
    timer->setInterval(100);

    Controls c;
    c.pctr1 = Find<PictureBox>(window, "pctr1");
    c.Command1 = Find<QPushButton>(window, "Command1");
    c.Sav_bmp = Find<QPushButton>(window, "Sav_bmp");
    c.List = Find<QListWidget>(window, "List");
    c.showaxis = Find<QCheckBox>(window, "showaxis");
    c.xp = Find<QPushButton>(window, "xp");
    c.xm = Find<QPushButton>(window, "xm");
    c.yp = Find<QPushButton>(window, "yp");
    c.ym = Find<QPushButton>(window, "ym");
    c.zp = Find<QPushButton>(window, "zp");
    c.zm = Find<QPushButton>(window, "zm");
    c.start = Find<QPushButton>(window, "start");
    c.stop = Find<QPushButton>(window, "stop");
    c.speedBars = {Find<QScrollBar>(window, "HScroll1"), Find<QScrollBar>(window, "HScroll2"),
                   Find<QScrollBar>(window, "HScroll3"), Find<QScrollBar>(window, "HScroll4")};
    c.readouts = {Find<QLabel>(window, "Label11"), Find<QLabel>(window, "Label12"), Find<QLabel>(window, "Label13"),
                  Find<QLabel>(window, "Label14")};
    c.Timer1 = timer;
    return c;
}
