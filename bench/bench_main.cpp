// orbiza-bench: redraw speed of every structure, and the Rossler redraw set
// against its plain scalar integration and against QPainter drawing the
// same lines, and line data read from text. Ends with the ratios and rates,
// from medians of repeated runs.
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bench_inputs.h"
#include "median_reporter.h"

void RegisterRedrawBenchmarks(SimdLevel level);
void RegisterRosslerBenchmarks();
void RegisterLinesBenchmarks(std::map<std::string, std::string>& texts, SimdLevel level);
void PrintLinesRates(const MedianReporter& reporter, const std::map<std::string, std::string>& texts);
#ifdef ORBIZA_BENCH_QPAINTER
void RegisterQPainterBenchmark(SimdLevel level);
#endif
#ifdef ORBIZA_BENCH_EXPORT
void RegisterExportBenchmarks(SimdLevel level);
void PrintExportRatios(const MedianReporter& reporter);
#endif
#ifdef ORBIZA_BENCH_WINDOW
std::shared_ptr<void> StartWindowApplication(int& argc, char** argv);
void RegisterWindowBenchmarks();
void RegisterSoakBenchmark(std::string& summary);
#endif

namespace {

void PrintRatio(const MedianReporter& reporter, const char* label, const std::string& numerator,
                const std::string& denominator) {
    const auto top = reporter.MedianSeconds(numerator), bottom = reporter.MedianSeconds(denominator);
    if (top && bottom && *bottom > 0) std::printf("ratio %s: %.2f\n", label, *top / *bottom);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef ORBIZA_BENCH_WINDOW
    const std::shared_ptr<void> application = StartWindowApplication(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const SimdLevel level = StartUpSimdLevel();
    std::string soakSummary;                       // the soak's closing line, printed last
    std::map<std::string, std::string> lineTexts;  // the line-data benchmarks' texts, made once
    RegisterRedrawBenchmarks(level);
    RegisterRosslerBenchmarks();
    RegisterLinesBenchmarks(lineTexts, level);
#ifdef ORBIZA_BENCH_QPAINTER
    RegisterQPainterBenchmark(level);
#endif
#ifdef ORBIZA_BENCH_WINDOW
    RegisterWindowBenchmarks();
    RegisterSoakBenchmark(soakSummary);
#endif
#ifdef ORBIZA_BENCH_EXPORT
    RegisterExportBenchmarks(level);
#endif
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const std::string rossler = RedrawName(RosslerIndex());
    PrintRatio(reporter, "qpainter/redraw", QPainterName, rossler);
    PrintRatio(reporter, "redraw/scalar-integration", rossler, ScalarIntegrationName);
    PrintRatio(reporter, "rossler-scale2/scale1", RosslerScaleName(2), RosslerScaleName(1));
    PrintRatio(reporter, "rossler-scale3/scale1", RosslerScaleName(3), RosslerScaleName(1));
    PrintRatio(reporter, "rossler-scale1+display2/scale1", RosslerBesideName, RosslerScaleName(1));
    PrintLinesRates(reporter, lineTexts);
#ifdef ORBIZA_BENCH_EXPORT
    PrintExportRatios(reporter);
#endif
#ifdef ORBIZA_BENCH_WINDOW
    PrintRatio(reporter, "window-tick-rossler-ratio2/ratio1", WindowTickName(2), WindowTickName(1));
    if (!soakSummary.empty()) std::printf("%s\n", soakSummary.c_str());
#endif
    return 0;
}
