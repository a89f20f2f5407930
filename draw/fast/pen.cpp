#include "pen.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "clip.h"
#include "end_pixel.h"
#include "pen_lines.h"

namespace {

// The path of a line between two pixels, as Bresenham's steps take it on the
// picture: each step moves one pixel along the major axis (columns when the
// line is at least as wide as it is high) and sometimes one across. Every
// path pixel is drawn as the pen's square, and the squares together are,
// on each line of the major axis, one span across it, from the lowest to the
// highest position across of the path pixels whose squares reach that line:
// a window of Pen consecutive steps, which lie at most Pen - 1 apart. So the
// squares of the window's first and last step, which overlap or touch, cover
// the span: no test on its length, nor on which end is the lower. Where a square
// reaches past the raster (`Cut`), each span is cut to it instead.
template <bool ColumnsMajor, int Pen, bool Cut>
void DrawSpans(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    const int dc = std::abs(c2 - c1), dr = std::abs(r2 - r1);
    const int major = ColumnsMajor ? dc : dr, minor = ColumnsMajor ? dr : dc;
    const int majorStep = (ColumnsMajor ? c1 < c2 : r1 < r2) ? 1 : -1;
    const int acrossStep = (ColumnsMajor ? r1 < r2 : c1 < c2) ? 1 : -1;
    const int alongSize = ColumnsMajor ? surface.width : surface.height;
    const int acrossSize = ColumnsMajor ? surface.height : surface.width;
    constexpr int Back = Pen / 2;  // how far the square reaches up and to the left of its pixel
    const int lead = majorStep > 0 ? Back : Pen - 1 - Back;
    const std::ptrdiff_t acrossStride = ColumnsMajor ? surface.width : 1,
                         alongStride = ColumnsMajor ? 1 : surface.width;
    std::uint32_t* const pixels = surface.pixels.data();
    int along = (ColumnsMajor ? c1 : r1) - majorStep * lead;
    std::uint32_t* line = pixels + (Cut ? 0 : along * alongStride);  // with the cut, found for each line inside
    int error = major - minor, across = ColumnsMajor ? r1 : c1;      // Bresenham's, at the window's last step
    int window[Pen];  // across, at the window's steps from the last back (none before the first)
    std::fill(window, window + Pen, across);
    const auto drawLine = [&] {
        if (!Cut) {
            std::uint32_t* const firstSquare = line + (window[Pen - 1] - Back) * acrossStride;
            std::uint32_t* const lastSquare = line + (across - Back) * acrossStride;
#pragma GCC unroll 8
            for (int k = 0; k < Pen; ++k) firstSquare[k * acrossStride] = pixel, lastSquare[k * acrossStride] = pixel;
        } else if (unsigned(along) < unsigned(alongSize)) {
            const int low = std::min(window[Pen - 1], across) - Back, high = std::max(window[Pen - 1], across) - Back;
            const int from = std::max(0, low), to = std::min(acrossSize - 1, high + Pen - 1);
            std::uint32_t* const at = pixels + along * alongStride;
            for (int a = from; a <= to; ++a) at[a * acrossStride] = pixel;
        }
        along += majorStep;
        if (!Cut) line += majorStep * alongStride;
        for (int k = Pen - 1; k > 0; --k) window[k] = window[k - 1];
    };
    for (int j = 0; j < major; ++j) {  // the window ends at step j
        drawLine();
        const bool move = 2 * error <= major;  // across as well as along
        error += move ? major - minor : -minor;
        across += move ? acrossStep : 0;
        window[0] = across;
    }
    for (int j = 0; j < Pen; ++j) drawLine();  // past the last step, the window shrinks to it
}

// Whether the line's squares all lie inside the raster, as most do.
template <int Pen>
[[gnu::always_inline]] inline bool SquaresInside(const Canvas& surface, int c1, int r1, int c2, int r2) {
    constexpr int Back = Pen / 2, Ahead = Pen - 1 - Back;
    return std::min(c1, c2) >= Back && std::max(c1, c2) + Ahead < surface.width && std::min(r1, r2) >= Back &&
           std::max(r1, r2) + Ahead < surface.height;
}

// Lines whose squares all lie inside the raster skip the cut.
template <int Pen>
void DrawSpans(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    const bool inside = SquaresInside<Pen>(surface, c1, r1, c2, r2);
    const bool wide = std::abs(c2 - c1) >= std::abs(r2 - r1);
    if (inside && wide) [[likely]]
        return DrawSpans<true, Pen, false>(surface, c1, r1, c2, r2, pixel);
    if (inside) return DrawSpans<false, Pen, false>(surface, c1, r1, c2, r2, pixel);
    if (wide) return DrawSpans<true, Pen, true>(surface, c1, r1, c2, r2, pixel);
    DrawSpans<false, Pen, true>(surface, c1, r1, c2, r2, pixel);
}

// The pixel written Block times over, for one store.
template <int Block>
struct PixelBlock {
    std::uint32_t pixels[Block];
};

// A short line with its squares inside comes from the canvas's table, a
// fixed count of stores; any other goes by spans.
template <int Pen>
[[gnu::always_inline]] inline void DrawPenLine(Canvas& surface, const PenLines* table, int c1, int r1, int c2, int r2,
                                               std::uint32_t pixel) {
    const int dc = std::abs(c2 - c1), dr = std::abs(r2 - r1);
    if (table && std::max(dc, dr) <= PenExtent(Pen) && SquaresInside<Pen>(surface, c1, r1, c2, r2)) [[likely]] {
        const int stores = table->stores;
        const std::int32_t* const offsets = table->offsets.data() + PenIndex(Pen, c1 < c2, r1 < r2, dc, dr) * stores;
        std::uint32_t* const first = surface.pixels.data() + std::ptrdiff_t(r1) * surface.width + c1;
        PixelBlock<PenBlock(Pen)> block;
        std::fill(block.pixels, block.pixels + PenBlock(Pen), pixel);
        const auto storeGroups = [&](int from, int to) {
            for (int i = from; i < to; i += StoreGroup)
#pragma GCC unroll 4
                for (int k = 0; k < StoreGroup; ++k) std::memcpy(first + offsets[i + k], &block, sizeof block);
        };
        const int firstStores = table->firstStores;
        storeGroups(0, firstStores);
        if (stores > firstStores && offsets[firstStores] != offsets[firstStores - 1]) storeGroups(firstStores, stores);
        return;
    }
    DrawSpans<Pen>(surface, c1, r1, c2, r2, pixel);
}

// A batch's lines at one pen: each end's pixel found once, though two lines
// share it; a line with an end outside the raster cut first.
template <int Pen, class L>
void PenLinesOf(Canvas& surface, const ColouredSegments& s) {
    alignas(32) std::int32_t column[Batch::Ends], row[Batch::Ends];
    const std::uint64_t inside = EndPixelsOf<L>(s, surface.width, surface.height, column, row);
    const PenLines* const table = surface.penLines.get();
    for (int j = 0; j < s.count; ++j) {
        if ((inside >> j & 3) == 3) [[likely]]
            DrawPenLine<Pen>(surface, table, column[j + 1], row[j + 1], column[j], row[j], s.pixel[j]);
        else
            DrawClippedLine(surface, s.x[j + 1], s.y[j + 1], s.x[j], s.y[j], s.pixel[j], PenLine);
    }
}

// `draw` called with the canvas's pen as a constant.
template <class Draw>
void WithPen(const Canvas& surface, Draw&& draw) {
    static_assert(Canvas::MaxPen == 8);
    switch (surface.pen) {
    case 1: return draw(std::integral_constant<int, 1>{});
    case 2: return draw(std::integral_constant<int, 2>{});
    case 3: return draw(std::integral_constant<int, 3>{});
    case 4: return draw(std::integral_constant<int, 4>{});
    case 5: return draw(std::integral_constant<int, 5>{});
    case 6: return draw(std::integral_constant<int, 6>{});
    case 7: return draw(std::integral_constant<int, 7>{});
    default: return draw(std::integral_constant<int, 8>{});
    }
}

}  // namespace

void PenLine(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    WithPen(surface, [&](auto pen) { DrawPenLine<pen()>(surface, surface.penLines.get(), c1, r1, c2, r2, pixel); });
}

void PenSpans(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    WithPen(surface, [&](auto pen) { DrawSpans<pen()>(surface, c1, r1, c2, r2, pixel); });
}

const LinesKernel PenLinesScalar[Canvas::MaxPen] = {PenLinesOf<1, double>, PenLinesOf<2, double>, PenLinesOf<3, double>,
                                                    PenLinesOf<4, double>, PenLinesOf<5, double>, PenLinesOf<6, double>,
                                                    PenLinesOf<7, double>, PenLinesOf<8, double>};

#if ORBIZA_DOUBLE_PAIRS
const LinesKernel PenLinesPairs[Canvas::MaxPen] = {
    PenLinesOf<1, Double2>, PenLinesOf<2, Double2>, PenLinesOf<3, Double2>, PenLinesOf<4, Double2>,
    PenLinesOf<5, Double2>, PenLinesOf<6, Double2>, PenLinesOf<7, Double2>, PenLinesOf<8, Double2>};
#endif
