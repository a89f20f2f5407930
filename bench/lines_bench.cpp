// Line data read from memory: a 1,000,000-segment table as the renderer's
// segment log writes it, the same line as a point table, and as OBJ, each in
// MB/s of text; and the table's lines and the point table's drawn as --input
// draws them, each segment against a segment of the Rossler redraw.
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "bench_inputs.h"
#include "float_text.h"
#include "line_drawing.h"
#include "line_fit.h"
#include "line_input.h"
#include "median_reporter.h"

namespace {

constexpr int Segments = 1000000;

// A long trajectory, the kind of line a simulation writes: point i of it.
Vec3 TrajectoryPoint(int i) {
    const double t = i * 0.001;
    return MakeVec(float(0.7 * std::sin(t)), float(0.6 * std::cos(1.3 * t)), float(0.5 * std::sin(0.7 * t + 1)));
}

void AppendFloats(std::string& text, std::initializer_list<float> values, char separator) {
    for (float v : values) AppendFloatText(text, v), text += separator;
    text.back() = '\n';
}

}  // namespace

// Each row's second point is the row before's first, as a polyline's are.
std::string MillionSegmentCsv() {
    std::string text = "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b\n";
    for (int i = 1; i <= Segments; ++i) {
        const Vec3 p = TrajectoryPoint(i), q = TrajectoryPoint(i - 1);
        AppendFloats(text, {p.x, p.y, p.z, q.x, q.y, q.z, p.x * 282.5f, p.y * 258.5f, q.x * 282.5f, q.y * 258.5f}, ',');
        text.back() = ',';
        text += std::to_string(i % 256) + ",255," + std::to_string(255 - i % 256) + '\n';
    }
    return text;
}

namespace {

std::string PointTableText() {
    std::string text;
    for (int i = 0; i <= Segments; ++i) {
        const Vec3 p = TrajectoryPoint(i);
        AppendFloats(text, {p.x, p.y, p.z}, ' ');
    }
    return text;
}

std::string ObjText() {
    std::string text, element = "l";
    for (int i = 0; i <= Segments; ++i) {
        const Vec3 p = TrajectoryPoint(i);
        text += "v ";
        AppendFloats(text, {p.x, p.y, p.z, (i % 256) / 255.0f, 1, 0.5f}, ' ');
        element += ' ' + std::to_string(i + 1);
    }
    return text + element + '\n';
}

const struct {
    const char* name;
    LineFormat format;
    std::string (*text)();
} Inputs[] = {{"lines/read-csv-1M", LineFormat::Csv, MillionSegmentCsv},
              {"lines/read-points-1M", LineFormat::Points, PointTableText},
              {"lines/read-obj-1M", LineFormat::Obj, ObjText}};

// The text is made once, on the first run, and kept for the repetitions.
void ReadLines(benchmark::State& state, LineFormat format, std::string (*makeText)(), std::string& text) {
    if (text.empty()) text = makeText();
    for (auto _ : state) {
        LineData data;
        LineFault fault;
        if (!ReadLineText(text, format, data, fault)) state.SkipWithError(fault.what.c_str());
        if (SegmentCount(data) != Segments) state.SkipWithError("not every segment read");
        benchmark::DoNotOptimize(data.points.data());
    }
    state.SetBytesProcessed(std::int64_t(text.size()) * state.iterations());
}

std::string DrawName(const char* format) { return std::string("lines/draw-") + format + "-1M"; }

// The data read and placed once, then cleared and drawn as a redraw of --input
// draws it, at the view the structures are drawn under: the table's segments
// in their given colours, the point table's shaded by depth.
void DrawTheLines(benchmark::State& state, LineFormat format, std::string (*makeText)(), std::string& text,
                  SimdLevel level) {
    if (text.empty()) text = makeText();
    LineData data;
    LineFault fault;
    if (!ReadLineText(text, format, data, fault)) return state.SkipWithError(fault.what.c_str());
    FitLines(data);
    Scene scene;
    Canvas surface;
    StartBenchScene(scene, 0, level);
    AttachCanvases(scene.tools, &surface);
    for (auto _ : state) {
        Clear(surface);
        DrawLines(scene.tools, data, ViewAngles(scene));
        benchmark::DoNotOptimize(surface.pixels.data());
        benchmark::ClobberMemory();
    }
    state.counters["segments"] =
        benchmark::Counter(double(Segments) * double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

// `texts` keeps each benchmark's text, by its name, for its runs and its rate.
void RegisterLinesBenchmarks(std::map<std::string, std::string>& texts, SimdLevel level) {
    for (const auto& input : Inputs)
        Measured(
            benchmark::RegisterBenchmark(input.name, ReadLines, input.format, input.text, std::ref(texts[input.name])));
    for (const auto& [format, input] : {std::pair{"csv", Inputs[0]}, std::pair{"points", Inputs[1]}})
        Measured(benchmark::RegisterBenchmark(DrawName(format).c_str(), DrawTheLines, input.format, input.text,
                                              std::ref(texts[input.name]), level));
}

// MB/s of each, from its median; and the time a segment takes to draw, against
// a segment of the Rossler redraw (its integration included).
void PrintLinesRates(const MedianReporter& reporter, const std::map<std::string, std::string>& texts) {
    for (const auto& [name, text] : texts)
        if (const auto seconds = reporter.MedianSeconds(name); seconds && !text.empty())
            std::printf("rate %s: %.0f MB/s\n", name.c_str(), double(text.size()) / 1e6 / *seconds);
    const auto rossler = reporter.MedianSeconds(RedrawName(RosslerIndex()));
    for (const char* format : {"csv", "points"})
        if (const auto seconds = reporter.MedianSeconds(DrawName(format)); seconds && rossler)
            std::printf("ratio %s/redraw-rossler, a segment each: %.2f\n", DrawName(format).c_str(),
                        (*seconds / Segments) / (*rossler / double(SegmentsPerRedraw(RosslerIndex()))));
}
