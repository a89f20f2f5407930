#include "window_icon.h"

#include <QPixmap>

#include "orbiza.xpm"

QIcon WindowIcon() { return QIcon(QPixmap(orbiza_xpm)); }
