#include "lines.h"

#include "canvas.h"

void DrawColoured(Tools3D& tools, const ColouredSegments& s) {
    if (tools.surface.canvas) tools.surface.lines(*tools.surface.canvas, s);
    if (tools.display.canvas) [[unlikely]]
        tools.display.lines(*tools.display.canvas, s);
    tools.Brightness = s.brightness[s.count - 1];
    // Asked here rather than chosen with the kernels: a program attaches the
    // log for some pictures and not others. Nothing that reaches this step
    // fails, so the records written after the lines are exactly the segments
    // drawn, whichever segment raises next.
    if (!tools.log) [[likely]]
        return;
    for (int j = 0; j < s.count; ++j)
        tools.log->push_back(
            {s.points[j + 1], s.points[j], s.x[j + 1], s.y[j + 1], s.x[j], s.y[j], UnpackRgb(s.pixel[j])});
}
