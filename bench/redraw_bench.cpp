// A full redraw of every catalogue entry through the real code path: Clear,
// then RedrawScene into a Canvas.
#include <memory>

#include "bench_inputs.h"

namespace {

struct RedrawBench {
    Scene scene;
    Canvas surface;

    RedrawBench(int structureIndex, SimdLevel level) {
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

void Redraw(benchmark::State& state, int structureIndex, SimdLevel level) {
    auto bench = std::make_unique<RedrawBench>(structureIndex, level);
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
        Measured(benchmark::RegisterBenchmark(RedrawName(index).c_str(), Redraw, index, level))->MinTime(0.2);
}
