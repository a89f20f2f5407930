#include "speed_text.h"

#include "view_state.h"

QString SpeedText(int scrollValue) {
    const double speed = SpeedOf(scrollValue);
    const QString digits = QString::number(speed, 'g', 15);  // locale-free, shortest form of a value / 100
    return speed < 0 ? digits : " " + digits;
}
