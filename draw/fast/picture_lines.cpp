#include "picture_lines.h"

#include <cstring>

#include "clip.h"
#include "end_pixel.h"
#include "raster.h"

namespace {

// Integers in registers of one, four (SSE2 or simd128) and eight (AVX2).
typedef std::int32_t Int1 __attribute__((vector_size(4)));
typedef std::int32_t Int4 __attribute__((vector_size(16)));
#if defined(__x86_64__)
typedef std::int32_t Int8 __attribute__((vector_size(32)));
#endif

template <class I>
struct UnsignedOf {
    typedef std::uint32_t Type __attribute__((vector_size(sizeof(I))));
};

// Differences, sums and products are taken unsigned, so that the stray pixel
// of an end outside the raster wraps instead of overflowing.
template <class I>
inline I Difference(I a, I b) {
    using U = typename UnsignedOf<I>::Type;
    return I(U(a) - U(b));
}

template <class I>
inline I Magnitude(I v) {
    const I sign = v >> 31;
    return Difference(v ^ sign, sign);
}

// Where each line's pixels start and its entry in ShortLines, or -1 for a
// long line; worked out for a batch before any line is drawn.
struct ShortPlan {
    std::int32_t start[Batch::Segments], entry[Batch::Segments];
};

// The plan of lines j .. j + lanes - 1. A line with an end outside the
// raster gets a meaningless plan; it is never drawn from it.
template <class I>
inline void PlanLines(const std::int32_t* column, const std::int32_t* row, int j, ShortPlan& plan) {
    using U = typename UnsignedOf<I>::Type;
    I c1, c2, r1, r2;
    std::memcpy(&c1, column + j + 1, sizeof c1), std::memcpy(&c2, column + j, sizeof c2);
    std::memcpy(&r1, row + j + 1, sizeof r1), std::memcpy(&r2, row + j, sizeof r2);
    const I dc = Magnitude(Difference(c2, c1)), dr = Magnitude(Difference(r2, r1));
    const I direction = ((c2 > c1) & 2) | ((r2 > r1) & 1);
    const I entry = I(ShortIndex(U(direction), U(dc), U(dr))) | ((dc | dr) > ShortExtent);  // -1 for a long line
    const I start = I(U(r1) * U(I{} + PictureWidth) + U(c1));
    std::memcpy(plan.entry + j, &entry, sizeof entry), std::memcpy(plan.start + j, &start, sizeof start);
}

template <class L, class I>
inline void PictureLinesOf(Canvas& surface, const ColouredSegments& s) {
    alignas(32) std::int32_t column[Batch::Ends], row[Batch::Ends];
    const std::uint64_t inside = EndPixelsOf<L>(s, PictureWidth, PictureHeight, column, row);
    ShortPlan plan;
    constexpr int Lanes = int(sizeof(I) / sizeof(std::int32_t));
    int j = 0;
    for (; j + Lanes <= s.count; j += Lanes) PlanLines<I>(column, row, j, plan);  // reads ends j .. j + Lanes
    for (; j < s.count; ++j) PlanLines<Int1>(column, row, j, plan);
    std::uint32_t* const pixels = surface.pixels.data();
    for (j = 0; j < s.count; ++j) {
        if ((inside >> j & 3) != 3) [[unlikely]]
            DrawClippedLine(surface, s.x[j + 1], s.y[j + 1], s.x[j], s.y[j], s.pixel[j], LineBetweenPixels);
        else if (plan.entry[j] >= 0) [[likely]]
            WriteShortLine(pixels + plan.start[j], ShortLines[plan.entry[j]], s.pixel[j]);
        else
            FastBresenham(surface, column[j + 1], row[j + 1], column[j], row[j], s.pixel[j]);
    }
}

}  // namespace

void PictureLinesScalar(Canvas& surface, const ColouredSegments& s) { PictureLinesOf<double, Int1>(surface, s); }

#if ORBIZA_DOUBLE_PAIRS
void PictureLinesPairs(Canvas& surface, const ColouredSegments& s) { PictureLinesOf<Double2, Int4>(surface, s); }
#endif

#if defined(__x86_64__)
[[gnu::target("avx2"), gnu::flatten]] void PictureLinesFour(Canvas& surface, const ColouredSegments& s) {
    PictureLinesOf<Double4, Int8>(surface, s);
}
#endif
