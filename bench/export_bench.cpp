// The renderer's exports: 100 frames to a PNG sequence, to an animated WebP,
// to a GIF and to an MP4 video, drawing and encoding overlapped, against one
// redraw plus one PNG encode done one after the other; and a whole run from a
// 1,000,000-segment table to a PNG.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench_inputs.h"
#include "median_reporter.h"
#include "output_file.h"
#include "picture_file.h"
#include "render_job.h"
#include "video_writer.h"

namespace {

constexpr int Frames = 100;
constexpr Speeds FrameSpeeds{3, 5, -2, 10};

std::filesystem::path ScratchFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "orbiza-bench-XXXXXX").string();
    return mkdtemp(name.data());
}

RenderOptions FrameRun(int structureIndex, const std::string& output, SimdLevel level) {
    const ViewState view = BenchView(structureIndex);
    RenderOptions options;
    options.simd = level;
    options.angleX = view.AngleX, options.angleY = view.AngleY, options.angleZ = view.AngleZ;
    options.time = view.AnimTime;
    options.speeds = FrameSpeeds;
    options.frames = Frames;
    options.structures = {structureIndex};
    options.outputs = {output};
    return options;
}

void ExportFrames(benchmark::State& state, int structureIndex, std::string fileName, SimdLevel level) {
    const std::filesystem::path folder = ScratchFolder();
    const RenderOptions options = FrameRun(structureIndex, folder / fileName, level);
    for (auto _ : state) {
        std::ostringstream err;
        TemporaryFiles temporaries;
        if (RunRender(options, temporaries, err) != 0) state.SkipWithError(err.str().c_str());
    }
    std::filesystem::remove_all(folder);
    state.counters["frames"] =
        benchmark::Counter(double(Frames) * double(state.iterations()), benchmark::Counter::kIsRate);
}

// orbiza-render --input lines.csv --output lines.png, the table made once: reading, placing, drawing, encoding.
void RenderTable(benchmark::State& state, SimdLevel level) {
    const std::filesystem::path folder = ScratchFolder();
    std::ofstream(folder / "lines.csv") << MillionSegmentCsv();
    RenderOptions options;
    options.simd = level;
    options.input = folder / "lines.csv";
    options.outputs = {folder / "lines.png"};
    for (auto _ : state) {
        std::ostringstream err;
        TemporaryFiles temporaries;
        if (RunRender(options, temporaries, err) != 0) state.SkipWithError(err.str().c_str());
    }
    std::filesystem::remove_all(folder);
}

// The serial parts: one redraw, and one PNG of its picture encoded and saved.
void Redraw(benchmark::State& state, int structureIndex, SimdLevel level) {
    Scene scene;
    Canvas surface;
    StartBenchScene(scene, structureIndex, level);
    AttachCanvases(scene.tools, &surface);
    for (auto _ : state) {
        Clear(surface);
        RedrawScene(scene);
        benchmark::DoNotOptimize(surface.pixels.data());
    }
}

void EncodePng(benchmark::State& state, int structureIndex, SimdLevel level) {
    Scene scene;
    Canvas surface;
    StartBenchScene(scene, structureIndex, level);
    AttachCanvases(scene.tools, &surface);
    RedrawScene(scene);
    const std::filesystem::path folder = ScratchFolder();
    TemporaryFiles temporaries;
    for (auto _ : state) {
        std::string error;
        if (!SaveBytes(folder / "one.png", EncodePicture(surface, "PNG"), temporaries, &error))
            state.SkipWithError(error.c_str());
    }
    std::filesystem::remove_all(folder);
}

std::string Name(const char* what, int structureIndex) {
    return std::string("export/") + what + "/" + std::string(Catalogue()[structureIndex - 1].listText);
}

int MorphIndex() { return *FindStructure("Sphere-Torus Transformation"); }

}  // namespace

void RegisterExportBenchmarks(SimdLevel level) {
    SilenceVideoLibraries();
    Measured(benchmark::RegisterBenchmark("lines/render-csv-1M-png", RenderTable, level));
    for (int index : {MorphIndex(), RosslerIndex()}) {
        Measured(benchmark::RegisterBenchmark(Name("redraw", index).c_str(), Redraw, index, level));
        Measured(benchmark::RegisterBenchmark(Name("png-encode", index).c_str(), EncodePng, index, level));
        for (const char* format : {"png", "webp", "gif", "mp4"}) {
            const std::string file = std::string(format) == "png" ? "frame-%03d.png" : std::string("frames.") + format;
            Measured(benchmark::RegisterBenchmark(Name(format, index).c_str(), ExportFrames, index, file, level))
                ->Iterations(1);
        }
    }
}

// The overlapped PNG sequence against drawing and encoding its frames one by
// one, and the video against the PNG sequence.
void PrintExportRatios(const MedianReporter& reporter) {
    const auto png = reporter.MedianSeconds(Name("png", MorphIndex()));
    const auto mp4 = reporter.MedianSeconds(Name("mp4", MorphIndex()));
    if (png && mp4) std::printf("ratio export-mp4/png: %.2f\n", *mp4 / *png);
    for (int index : {MorphIndex(), RosslerIndex()}) {
        const auto frames = reporter.MedianSeconds(Name("png", index));
        const auto redraw = reporter.MedianSeconds(Name("redraw", index));
        const auto encode = reporter.MedianSeconds(Name("png-encode", index));
        if (!frames || !redraw || !encode) continue;
        const double ratio = *frames / (Frames * (*redraw + *encode));
        if (index == MorphIndex())
            std::printf("ratio export-png/serial: %.2f\n", ratio);
        else
            std::printf("ratio export-png/serial (%s): %.2f\n", Catalogue()[index - 1].listText.data(), ratio);
    }
}
