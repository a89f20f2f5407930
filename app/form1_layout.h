#pragma once

#include <array>

#include "canvas.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTimer;
class QWidget;
class PictureBox;

// The window's controls, each also reachable by its object name.
struct Controls {
    PictureBox* pctr1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Sav_bmp = nullptr;
    QListWidget* List = nullptr;
    QCheckBox* showaxis = nullptr;
    QPushButton *xp = nullptr, *xm = nullptr, *yp = nullptr, *ym = nullptr, *zp = nullptr, *zm = nullptr;
    QPushButton *start = nullptr, *stop = nullptr;
    std::array<QScrollBar*, 4> speedBars{};  // HScroll1..HScroll4
    std::array<QLabel*, 4> readouts{};       // Label11..Label14
    QTimer* Timer1 = nullptr;
};

// Creates every control of the fixed layout as a child of `window`, places
// it, sets its caption and settings and chains the tab order.
Controls BuildControls(QWidget* window, const Canvas& surface);
