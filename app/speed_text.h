#pragma once

#include <QString>

// A scroll-bar speed (value / 100) as its read-out shows it: a blank before
// zero or a positive number, a minus before a negative one, a period as the
// decimal point whatever the locale, no trailing zeros (" 0.25", "-0.5", " 0").
QString SpeedText(int scrollValue);
