#pragma once

#include "random_source.h"
#include "rossler_workspace.h"
#include "tools3d.h"
#include "view_state.h"

// Everything a redraw reads and writes, owned by the window or the renderer.
struct Scene {
    ViewState view;
    Tools3D tools;
    RandomSource random;
    bool showAxis = false;
    RosslerWorkspace rossler;  // the Rossler redraw's thread and buffers, not picture state
};

// The angle triple handed with every segment.
inline Vec3 ViewAngles(const Scene& scene) { return MakeVec(scene.view.AngleX, scene.view.AngleY, scene.view.AngleZ); }
