#pragma once

#include <QIcon>

// The 32 x 32 window icon: a depth-shaded wire sphere with its axes.
QIcon WindowIcon();
