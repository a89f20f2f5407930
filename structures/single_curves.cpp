// Sepal, Ball and Hulos: one curve each.
// PENDING: not drawn yet.
#include "generators.h"

void DrawSepal(Scene&) {}
void DrawBall(Scene&) {}
void DrawHulos(Scene&) {}
