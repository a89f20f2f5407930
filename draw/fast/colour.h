#pragma once

// The second step of a segment: its brightness from the depth cue, and its
// colour. The fast kernels of every level and the plain route all work the
// brightness formula; the plain route rounds each component on its own.
#include "batch.h"
#include "double_lanes.h"
#include "tools3d.h"

// The brightness of segments whose first ends lie at depth z1 and second
// ends at z2, stored by `store`, before the clamp at 0.
template <class L, class Store>
inline L BrightnessOf(const Tools3D& tools, L z1, L z2, Store store) {
    const L cue = (z2 + z1) / double(tools.DepthRange);
    return store((0.5 - cue) * double(tools.DepthGain) + double(tools.DepthBase));
}

inline bool SameFloatBits(float a, float b) { return __builtin_memcmp(&a, &b, sizeof a) == 0; }

// Equal factors give equal components: a grey line's are worked out once.
inline bool GreyLines(const Tools3D& tools) {
    return SameFloatBits(tools.LineRed, tools.LineBlue) && SameFloatBits(tools.LineGreen, tools.LineBlue);
}

// The colour kernels, one for each lane type, picked by the chain kernel of
// the same lanes: the batch's colours, then its lines (or the plain route,
// for a batch with a colour that would not fit).
template <class L>
struct Lanes {};
void ColourBatch(Tools3D& tools, Batch& b, Lanes<double>);
#if ORBIZA_DOUBLE_PAIRS
void ColourBatch(Tools3D& tools, Batch& b, Lanes<Double2>);
#endif
#if defined(__x86_64__)
[[gnu::target("avx2")]] void ColourBatch(Tools3D& tools, Batch& b, Lanes<Double4>);
#endif
