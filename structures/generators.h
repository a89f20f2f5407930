#pragma once

#include "numbers.h"
#include "scene.h"

// One generator per catalogue row. Each reads the view, draws through
// DrawSegment and keeps nothing between calls.
void DrawCube(Scene& scene);
void DrawTetrahedron(Scene& scene);
void DrawDodecahedron(Scene& scene);
void DrawSphere(Scene& scene);
void DrawTorus(Scene& scene);
void DrawWhirlpool(Scene& scene);
void DrawSpring(Scene& scene);
void DrawDumble(Scene& scene);
void DrawLinearHelix(Scene& scene);
void DrawCircularHelix(Scene& scene);
void DrawDistortedSphere(Scene& scene);
void DrawSepal(Scene& scene);
void DrawBall(Scene& scene);
void DrawHulos(Scene& scene);
void DrawParaboloid(Scene& scene);
void DrawSurface(Scene& scene);
void DrawShell(Scene& scene);
void DrawRosset(Scene& scene);
void DrawRipple(Scene& scene);
void DrawNodes(Scene& scene);
void DrawWeb(Scene& scene);
void DrawSphereTorus(Scene& scene);
void DrawRossler(Scene& scene);
