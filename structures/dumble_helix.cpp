// Dumble and Liniar Helix.
// PENDING: not drawn yet.
#include "generators.h"

void DrawDumble(Scene&) {}
void DrawLinearHelix(Scene&) {}
