#pragma once

#include "tools3d.h"

// Outline of a triangle: P1-P2, P1-P3, P3-P2.
void DrawTriangle(Tools3D& tools, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, float ax, float ay, float az);

// The four sides of a quadrilateral, never its diagonals: P1-P2, P1-P4, P3-P2, P3-P4.
void DrawQuad(Tools3D& tools, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
              float x4, float y4, float z4, float ax, float ay, float az);

// Reference axes from -1 to 1 in ten blue pieces each; leaves the colour white.
void DrawAxes(Tools3D& tools, float angleX, float angleY, float angleZ);
