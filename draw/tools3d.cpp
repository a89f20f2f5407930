#include "tools3d.h"

void SetLineColour(Tools3D& tools, float red, float green, float blue) {
    tools.LineRed = red;
    tools.LineGreen = green;
    tools.LineBlue = blue;
}

void StartUpDrawing(Tools3D& tools, SimdLevel level) {
    tools.DepthRange = StartDepthRange;
    tools.DepthGain = StartDepthGain;
    tools.DepthBase = StartDepthBase;
    SetLineColour(tools, 1, 1, 1);
    tools.simd = level;
}
