#pragma once

#include "canvas.h"
#include "segment_log.h"
#include "simd_level.h"
#include "vec3.h"

// The six rounded sines and cosines of one angle triple.
struct ViewTrig {
    float ca = 1, sa = 0, cb = 1, sb = 0, cc = 1, sc = 0;
};

struct ScreenPoint {
    float x = 0, y = 0;
};

// The depth cue a program starts with.
inline constexpr float StartDepthRange = 4, StartDepthGain = 205, StartDepthBase = 50;

// The drawing core's state: line colour, depth cue, the surface drawn on and
// an optional log of every segment. Start-up values are the defaults.
//
// `display` is a second canvas, at any scale, that every segment is drawn on
// as well: the window's picture at the screen's device pixel ratio, beside the
// picture proper in `surface`. Each segment is transformed and coloured once
// and then drawn on both, and a canvas's pixels depend only on the segments
// and its scale, so a canvas at scale r comes out the same as `display`
// beside a picture as it does as the only `surface`.
struct Tools3D {
    float LineRed = 1, LineGreen = 1, LineBlue = 1;
    float DepthRange = StartDepthRange, DepthGain = StartDepthGain, DepthBase = StartDepthBase;
    float Brightness = 0;
    Canvas* surface = nullptr;
    Canvas* display = nullptr;
    SegmentLog* log = nullptr;
    bool fastPath = true;                // false: both ends worked out every time, lines by the plain route
    SimdLevel simd = SimdLevel::Scalar;  // the fast route's kernels: the program's level, set at start-up

    // Trigonometry depends only on the angles, so it is kept for the last triple seen.
    Vec3 trigAngles;
    ViewTrig trig;
    bool trigValid = false;

    // `trig` as the pairs of factors the fast rotation multiplies by.
    alignas(16) double rotationPairs[12] = {};

    // The last segment's first end, its rotated depth and screen point under
    // `trig`. A polyline hands it back as the next segment's second end.
    Vec3 endModel;
    float endDepth = 0;
    ScreenPoint endScreen;
    bool endValid = false;
};

void SetLineColour(Tools3D& tools, float red, float green, float blue);
// What a program's start-up sets: the depth cue above, white lines and the
// instruction-set level it chose (StartUpSimdLevel).
void StartUpDrawing(Tools3D& tools, SimdLevel level);
void RotatePoint(Vec3& v, Vec3 angles);
ScreenPoint ProjectPoint(Vec3 v);
void DrawSegment(Tools3D& tools, Vec3 p, Vec3 q, Vec3 angles);

// DrawSegment(points[i], points[i - 1], angles) for i = 1 .. count - 1, in
// that order, as a polyline hands its segments over: the same segments,
// pixels, state and errors, with the ends worked out in batches.
void DrawSegmentChain(Tools3D& tools, const Vec3* points, int count, Vec3 angles);
