// A full redraw of every catalogue entry through the real code path: Clear,
// then RedrawScene into a Canvas; and the Rossler redraw into canvases at
// larger scales.
#include <memory>

#include "bench_inputs.h"

namespace {

struct RedrawBench {
    Scene scene;
    Canvas surface;

    RedrawBench(int structureIndex, SimdLevel level, double scale = 1) : surface(scale) {
        StartBenchScene(scene, structureIndex, level);
        scene.tools.surface = &surface;
    }
};

std::size_t SegmentsPerRedraw(int structureIndex) {
    Scene scene;
    SegmentLog log;
    scene.view = BenchView(structureIndex);
    scene.tools.log = &log;
    RedrawScene(scene);
    return log.size();
}

void Redraw(benchmark::State& state, int structureIndex, SimdLevel level, double scale) {
    auto bench = std::make_unique<RedrawBench>(structureIndex, level, scale);
    const double segments = double(SegmentsPerRedraw(structureIndex));
    for (auto _ : state) {
        Clear(bench->surface);
        RedrawScene(bench->scene);
        benchmark::DoNotOptimize(bench->surface.pixels.data());
        benchmark::ClobberMemory();
    }
    state.counters["segments"] = benchmark::Counter(segments * double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

void RegisterRedrawBenchmarks(SimdLevel level) {
    for (int index = 1; index <= CatalogueSize; ++index)
        Measured(benchmark::RegisterBenchmark(RedrawName(index).c_str(), Redraw, index, level, 1.0))->MinTime(0.2);
    for (const int scale : {1, 2, 3})
        Measured(benchmark::RegisterBenchmark(RosslerScaleName(scale).c_str(), Redraw, RosslerIndex(), level, scale))
            ->MinTime(0.2);
}
