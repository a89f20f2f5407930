// Whirlpool and Spring.
// PENDING: not drawn yet.
#include "generators.h"

void DrawWhirlpool(Scene&) {}
void DrawSpring(Scene&) {}
