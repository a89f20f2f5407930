#pragma once

// Test support: run a generator on fresh state and keep every segment it drew.
#include <cmath>

#include "catalogue.h"
#include "generators.h"

struct Recording {
    Scene scene;
    Surface surface;
    SegmentLog log;

    Recording() {
        scene.tools.surface = &surface;
        scene.tools.log = &log;
    }
    Recording(const Recording&) = delete;
};

// Segments drawn by `generator` under `view` (angles and time) on fresh state.
inline SegmentLog RecordGenerator(void (*generator)(Scene&), ViewState view = {}) {
    Recording r;
    r.scene.view = view;
    generator(r.scene);
    return r.log;
}

inline ViewState ViewAt(float ax, float ay, float az, float time) {
    ViewState v;
    v.AngleX = ax, v.AngleY = ay, v.AngleZ = az, v.AnimTime = time;
    return v;
}

inline float DistanceFromOrigin(Vec3 p) {
    return float(std::sqrt(double(p.x) * p.x + double(p.y) * p.y + double(p.z) * p.z));
}
