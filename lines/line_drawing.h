#pragma once

#include "line_data.h"
#include "tools3d.h"

// Every polyline of the data through the drawing core, as the catalogue hands
// over its own: segment k from the polyline's point k to its point k - 1,
// turned by `angles`, in the colour point k gives it, or else the line colour
// shaded by depth.
void DrawLines(Tools3D& tools, const LineData& data, Vec3 angles);
