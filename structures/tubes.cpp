// Shell and Rosset: tubes swept along a space curve.
// PENDING: not drawn yet.
#include "generators.h"

void DrawShell(Scene&) {}
void DrawRosset(Scene&) {}
