#include "outline.h"

#include "float_loop.h"
#include "numbers.h"

void DrawTriangle(Tools3D& tools, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, float ax, float ay, float az) {
    DrawSegment(tools, MakeVec(x1, y1, z1), MakeVec(x2, y2, z2), MakeVec(ax, ay, az));
    DrawSegment(tools, MakeVec(x1, y1, z1), MakeVec(x3, y3, z3), MakeVec(ax, ay, az));
    DrawSegment(tools, MakeVec(x3, y3, z3), MakeVec(x2, y2, z2), MakeVec(ax, ay, az));
}

void DrawQuad(Tools3D& tools, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
              float x4, float y4, float z4, float ax, float ay, float az) {
    DrawSegment(tools, MakeVec(x1, y1, z1), MakeVec(x2, y2, z2), MakeVec(ax, ay, az));
    DrawSegment(tools, MakeVec(x1, y1, z1), MakeVec(x4, y4, z4), MakeVec(ax, ay, az));
    DrawSegment(tools, MakeVec(x3, y3, z3), MakeVec(x2, y2, z2), MakeVec(ax, ay, az));
    DrawSegment(tools, MakeVec(x3, y3, z3), MakeVec(x4, y4, z4), MakeVec(ax, ay, az));
}

void DrawAxes(Tools3D& tools, float angleX, float angleY, float angleZ) {
    SetLineColour(tools, 0.2f, 0.5f, 1.0f);
    ForFloat({-1.0f, 0.8f, 0.2f}, [&](float i) {
        const float e = StoreFloat(double(i) + 0.2);
        DrawSegment(tools, MakeVec(i, 0, 0), MakeVec(e, 0, 0), MakeVec(angleX, angleY, angleZ));
        DrawSegment(tools, MakeVec(0, i, 0), MakeVec(0, e, 0), MakeVec(angleX, angleY, angleZ));
        DrawSegment(tools, MakeVec(0, 0, i), MakeVec(0, 0, e), MakeVec(angleX, angleY, angleZ));
    });
    SetLineColour(tools, 1.0f, 1.0f, 1.0f);
}
