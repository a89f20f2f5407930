// Ripple and Web.
// PENDING: not drawn yet.
#include "generators.h"

void DrawRipple(Scene&) {}
void DrawWeb(Scene&) {}
