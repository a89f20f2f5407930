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

// The colour a point gives the segment it is the first point of, as a file of
// lines gives it, or none: then the depth cue colours the segment from the
// line colour, as it does the structures' segments.
struct PointColour {
    Rgb rgb;
    bool given = false;
};

// The depth cue a program starts with.
inline constexpr float StartDepthRange = 4, StartDepthGain = 205, StartDepthBase = 50;

// The kernels a drawing state draws with: one set for each instruction-set
// level, and the plain route's (fast/kernels.h).
struct DrawingKernels;
struct ColouredSegments;
using LinesKernel = void (*)(Canvas& surface, const ColouredSegments& segments);

// The scalar level's kernels, which every processor runs: a drawing state's
// until its start-up chooses.
extern const DrawingKernels ScalarKernels;

// A canvas drawn on, with the kernel its lines take there, chosen for its
// size when it was attached.
struct AttachedCanvas {
    Canvas* canvas = nullptr;
    LinesKernel lines = nullptr;
};

// The drawing core's state: line colour, depth cue, the canvases drawn on and
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
    AttachedCanvas surface, display;  // set with AttachCanvases
    SegmentLog* log = nullptr;
    SimdLevel simd = SimdLevel::Scalar;              // the program's level, set at start-up
    const DrawingKernels* kernels = &ScalarKernels;  // chosen for it, or the plain route's

    // Trigonometry depends only on the angles, so it is kept for the last triple seen.
    Vec3 trigAngles;
    ViewTrig trig;
    bool trigValid = false;
};

void SetLineColour(Tools3D& tools, float red, float green, float blue);
// What a program's start-up sets: the depth cue above, white lines, the
// instruction-set level it chose (StartUpSimdLevel) and that level's kernels.
void StartUpDrawing(Tools3D& tools, SimdLevel level);
// The plain route's kernels instead: every value worked out one at a time
// and checked as it is stored, every line drawn by Line. The reference the
// kernels of every level are checked against.
void UsePlainRoute(Tools3D& tools);
// The canvases to draw on (either may be null), each with the kernel for its
// size from the tools' set. A canvas replaced by another is attached again.
void AttachCanvases(Tools3D& tools, Canvas* surface, Canvas* display = nullptr);

void RotatePoint(Vec3& v, Vec3 angles);
ScreenPoint ProjectPoint(Vec3 v);
void DrawSegment(Tools3D& tools, Vec3 p, Vec3 q, Vec3 angles);

// DrawSegment(points[i], points[i - 1], angles) for i = 1 .. count - 1, in
// that order, as a polyline hands its segments over: the same segments,
// pixels, state and errors, each point transformed once.
void DrawSegmentChain(Tools3D& tools, const Vec3* points, int count, Vec3 angles);
// The same with a colour for each point: a segment whose first point has its
// colour given is drawn and logged in exactly that colour, its brightness the
// depth cue's as for any segment; that colour is not worked out, so it cannot
// fail.
void DrawSegmentChainInColours(Tools3D& tools, const Vec3* points, const PointColour* colours, int count, Vec3 angles);
// The same with each segment a statement of its own: one that raises a
// run-time error is left out, and the chain goes on from its first point.
void DrawSegmentChainSkippingErrors(Tools3D& tools, const Vec3* points, int count, Vec3 angles);
