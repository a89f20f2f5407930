#include "kernels.h"

#include "pen.h"
#include "picture_lines.h"
#include "plain_route.h"
#include "transform.h"

namespace {

constexpr LinesKernel PlainPens[Canvas::MaxPen] = {LinesPlainly, LinesPlainly, LinesPlainly, LinesPlainly,
                                                   LinesPlainly, LinesPlainly, LinesPlainly, LinesPlainly};

#if ORBIZA_DOUBLE_PAIRS
constinit const DrawingKernels PairKernels{DrawChainPairs, PictureLinesPairs, PenLinesPairs};
#endif

#if defined(__x86_64__)
// The pen's lines are mostly stores: pairs of lanes find their ends fast enough.
constinit const DrawingKernels FourKernels{DrawChainFour, PictureLinesFour, PenLinesPairs};
#endif

}  // namespace

constinit const DrawingKernels ScalarKernels{DrawChainScalar, PictureLinesScalar, PenLinesScalar};
constinit const DrawingKernels PlainKernels{DrawChainByPlainRoute, LinesPlainly, PlainPens};

const DrawingKernels& KernelsFor(SimdLevel level) {
    switch (level) {
#if defined(__x86_64__)
    case SimdLevel::Avx2: return FourKernels;
#endif
#if ORBIZA_DOUBLE_PAIRS
    case SimdLevel::Sse2:
    case SimdLevel::Simd128: return PairKernels;
#endif
    default: return ScalarKernels;
    }
}

LinesKernel LinesFor(const DrawingKernels& kernels, const Canvas& surface) {
    return AtPictureSize(surface) ? kernels.picture : kernels.pens[surface.pen - 1];
}
