#pragma once

// The inputs every benchmark shares, so their figures compare.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "catalogue.h"

inline constexpr int Repetitions = 5;

// The settings every timing shares: milliseconds of real time, repeated, the
// aggregates (median first of all) reported.
inline benchmark::internal::Benchmark* Measured(benchmark::internal::Benchmark* b) {
    return b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(Repetitions)->ReportAggregatesOnly(true);
}

// The view all structures are drawn under.
inline ViewState BenchView(int structureIndex) {
    ViewState view;
    view.AngleX = 0.4f, view.AngleY = 0.6f, view.AngleZ = 0.2f, view.AnimTime = 1.3f;
    view.StructureIndex = static_cast<std::int16_t>(structureIndex);
    return view;
}

// A scene at that view, drawing at `level` as a program would after its start-up.
inline void StartBenchScene(Scene& scene, int structureIndex, SimdLevel level) {
    StartUpDrawing(scene.tools, level);
    scene.view = BenchView(structureIndex);
}

inline int RosslerIndex() { return *FindStructure("Rossler Chaos"); }

// The segments one redraw of the structure at the bench view draws.
inline std::size_t SegmentsPerRedraw(int structureIndex) {
    Scene scene;
    SegmentLog log;
    scene.view = BenchView(structureIndex);
    scene.tools.log = &log;
    RedrawScene(scene);
    return log.size();
}

// A 1,000,000-segment table as the renderer's segment log writes it, one
// long trajectory in many colours.
std::string MillionSegmentCsv();

// Benchmark names the ratios are read from.
inline std::string RedrawName(int structureIndex) {
    return "redraw/" + std::string(Catalogue()[structureIndex - 1].listText);
}
inline std::string RosslerScaleName(int scale) { return "rossler/scale" + std::to_string(scale); }
inline std::string WindowTickName(int ratio) {
    return ratio == 1 ? "window/tick-rossler" : "window/tick-rossler-ratio" + std::to_string(ratio);
}
inline const char* const RosslerBesideName = "rossler/scale1+display2";
inline const char* const ScalarIntegrationName = "rossler/scalar-integration";
inline const char* const QPainterName = "rossler/qpainter";
