// Sphere-Torus Transformation.
// PENDING: not drawn yet.
#include "generators.h"

void DrawSphereTorus(Scene&) {}
