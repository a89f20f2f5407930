#pragma once

#include <map>
#include <string_view>

#include "canvas.h"

class QTimer;
class QWidget;
class PictureBox;

// The window's widgets, each also reachable by its object name.
struct Controls {
    PictureBox* pctr1 = nullptr;
    QTimer* Timer1 = nullptr;
    std::map<std::string_view, QWidget*> byName;  // every row of the control table
};

// Creates a widget for every row of the control table as a child of
// `window`: placed, captioned, named for screen readers, the list filled
// with the catalogue, the tab order chained. The drawing area shows `picture`.
Controls BuildControls(QWidget* window, const Canvas& picture);
