// A full redraw of every catalogue entry through the real code path: Clear,
// then RedrawScene into a Canvas.
#include <memory>

#include "bench_inputs.h"

namespace {

struct RedrawBench {
    Scene scene;
    Canvas surface;

    explicit RedrawBench(int structureIndex) {
        scene.view = BenchView(structureIndex);
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

void Redraw(benchmark::State& state, int structureIndex) {
    auto bench = std::make_unique<RedrawBench>(structureIndex);
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

void RegisterRedrawBenchmarks() {
    for (int index = 1; index <= CatalogueSize; ++index)
        Measured(benchmark::RegisterBenchmark(RedrawName(index).c_str(), Redraw, index))->MinTime(0.2);
}
