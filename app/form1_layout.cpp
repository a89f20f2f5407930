#include "form1_layout.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "caption_button.h"
#include "catalogue.h"
#include "control_table.h"
#include "picture_box.h"
#include "qt_text.h"

namespace {

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

// Not sorted, so a row's place is its catalogue row.
QListWidget* StructureList(QWidget* window) {
    auto* list = new QListWidget(window);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long names are cut, not scrolled
    for (const CatalogueEntry& entry : Catalogue()) list->addItem(QtText(entry.listText));
    return list;
}

QWidget* CreateControl(const ControlRow& row, QWidget* window, const Canvas& picture) {
    const QString caption = QtText(row.caption);
    switch (row.kind) {
    case ControlKind::DrawingArea: return new PictureBox(picture, window);
    case ControlKind::Button: return new CaptionButton(caption, window);
    case ControlKind::ListBox: return StructureList(window);
    case ControlKind::CheckBox: return new QCheckBox(caption, window);
    case ControlKind::Label: return new QLabel(caption, window);
    case ControlKind::ScrollBar: {
        auto* bar = new QScrollBar(Qt::Horizontal, window);
        bar->setRange(SpeedMinimum, SpeedMaximum);
        bar->setSingleStep(SpeedStep);
        bar->setPageStep(SpeedStep);
        bar->setValue(0);
        bar->setFocusPolicy(Qt::StrongFocus);  // reachable by Tab and moved by the arrow keys
        ArrowKeysFollowTheThumb(bar);
        return bar;
    }
    }
    return nullptr;
}

// Labels keep their place in the table but never take the focus, so only
// the focusable controls are chained.
void ChainTabOrder(const Controls& controls) {
    std::array<ControlRow, ControlCount> byTab = ControlTable();
    std::sort(byTab.begin(), byTab.end(), [](const auto& a, const auto& b) { return a.tabIndex < b.tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlRow& row : byTab) {
        QWidget* control = controls.byName.at(row.name);
        if (!(control->focusPolicy() & Qt::TabFocus)) continue;
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace

Controls BuildControls(QWidget* window, const Canvas& picture) {
    Controls c;
    for (const ControlRow& row : ControlTable()) {
        QWidget* control = CreateControl(row, window, picture);
        control->setObjectName(QtText(row.name));
        control->setGeometry(row.left / TwipsPerPixel, row.top / TwipsPerPixel, row.width / TwipsPerPixel,
                             row.height / TwipsPerPixel);
        control->setAccessibleName(QtText(row.accessibleName));
        control->setAccessibleDescription(QtText(row.accessibleDescription));
        c.byName[row.name] = control;
        if (row.kind == ControlKind::DrawingArea) c.pctr1 = static_cast<PictureBox*>(control);
    }
    ChainTabOrder(c);

    c.Timer1 = new QTimer(window);
    c.Timer1->setObjectName(QtText(TimerName));
    c.Timer1->setInterval(TimerInterval);
    return c;
}
