// The Rossler mathematics alone, written plainly: the same float and double
// formulas, one trajectory after another, nothing drawn. And the sequential
// redraw, for comparison with the fast one.
#include "bench_inputs.h"
#include "rossler.h"

namespace {

struct State3 {
    float x, y, z;
};

// 2,000,000 Euler steps from the start points the redraw would use.
State3 IntegratePlainly(RandomSource& random) {
    State3 sink{0, 0, 0};
    for (int k = 1; k <= 20; ++k) {
        float x = float(2.0 * NextRandom(random) - 1);
        float y = float(2.0 * NextRandom(random) - 1);
        float z = float(2.0 * NextRandom(random) - 1);
        for (int i = 1; i <= 100000; ++i) {
            const float dx = float(-(double(y) + z));
            const float dy = float(double(y) / 5.0f + x);
            const float dz = float((double(x) - 5.7f) * z + 0.2);
            x = float(double(x) + double(0.01f) * dx);
            y = float(double(y) + double(0.01f) * dy);
            z = float(double(z) + double(0.01f) * dz);
            if (i % 5 == 0) {
                sink.x = float(double(x) / 30.0f);
                sink.y = float(double(y) / 30.0f);
                sink.z = float(double(z) / 30.0f);
                benchmark::DoNotOptimize(sink);
            }
        }
    }
    return sink;
}

void ScalarIntegration(benchmark::State& state) {
    RandomSource random;
    for (auto _ : state) benchmark::DoNotOptimize(IntegratePlainly(random));
}

void SequentialRedraw(benchmark::State& state) {
    Scene scene;
    Canvas surface;
    scene.view = BenchView(RosslerIndex());
    UsePlainRoute(scene.tools);
    AttachCanvases(scene.tools, &surface);
    for (auto _ : state) {
        Clear(surface);
        DrawRosslerSequential(scene);
        benchmark::DoNotOptimize(surface.pixels.data());
    }
    state.counters["segments"] = benchmark::Counter(400000.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

void RegisterRosslerBenchmarks() {
    Measured(benchmark::RegisterBenchmark(ScalarIntegrationName, ScalarIntegration));
    Measured(benchmark::RegisterBenchmark("rossler/sequential-redraw", SequentialRedraw));
}
