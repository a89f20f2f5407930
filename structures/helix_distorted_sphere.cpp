// Circular Helix and Destorted Sphere.
// PENDING: not drawn yet.
#include "generators.h"

void DrawCircularHelix(Scene&) {}
void DrawDistortedSphere(Scene&) {}
