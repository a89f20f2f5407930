// paraboloid and surface.
// PENDING: not drawn yet.
#include "generators.h"

void DrawParaboloid(Scene&) {}
void DrawSurface(Scene&) {}
