// A full redraw of every catalogue entry through the real code path: Clear,
// then RedrawScene into a Canvas; and the Rossler redraw into canvases at
// larger scales, and into the picture with a second canvas at scale 2 beside
// it, as a window on a screen of device pixel ratio 2 would draw.
#include <memory>

#include "bench_inputs.h"

namespace {

struct RedrawBench {
    Scene scene;
    Canvas surface, display;

    // `displayScale` 0: no second canvas.
    RedrawBench(int structureIndex, SimdLevel level, double scale, double displayScale)
        : surface(scale), display(displayScale > 0 ? displayScale : 1) {
        StartBenchScene(scene, structureIndex, level);
        AttachCanvases(scene.tools, &surface, displayScale > 0 ? &display : nullptr);
    }
};

void Redraw(benchmark::State& state, int structureIndex, SimdLevel level, double scale, double displayScale) {
    auto bench = std::make_unique<RedrawBench>(structureIndex, level, scale, displayScale);
    const double segments = double(SegmentsPerRedraw(structureIndex));
    for (auto _ : state) {
        Clear(bench->surface);
        if (displayScale > 0) Clear(bench->display);
        RedrawScene(bench->scene);
        benchmark::DoNotOptimize(bench->surface.pixels.data());
        benchmark::ClobberMemory();
    }
    state.counters["segments"] = benchmark::Counter(segments * double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

void RegisterRedrawBenchmarks(SimdLevel level) {
    for (int index = 1; index <= CatalogueSize; ++index)
        Measured(benchmark::RegisterBenchmark(RedrawName(index).c_str(), Redraw, index, level, 1.0, 0.0))->MinTime(0.2);
    for (const int scale : {1, 2, 3})
        Measured(
            benchmark::RegisterBenchmark(RosslerScaleName(scale).c_str(), Redraw, RosslerIndex(), level, scale, 0.0))
            ->MinTime(0.2);
    Measured(benchmark::RegisterBenchmark(RosslerBesideName, Redraw, RosslerIndex(), level, 1.0, 2.0))->MinTime(0.2);
}
