#include "render_job.h"

#include <cerrno>
#include <functional>
#include <iomanip>
#include <sstream>
#include <string>

#include "catalogue.h"
#include "frame_outputs.h"
#include "line_drawing.h"
#include "line_fit.h"
#include "number_reading.h"
#include "outline.h"
#include "progress.h"
#include "run_time_error.h"

namespace {

using Redraw = std::function<void(Scene&)>;

void PrintList(std::ostream& out) {
    for (int row = 1; row <= CatalogueSize; ++row)
        out << std::setw(2) << row << "  " << Catalogue()[row - 1].listText << '\n';
}

// Ticks only advance the view; nothing is drawn until the structures are.
// An address gives the state as the page held it before its picture was drawn.
void PrepareScene(Scene& scene, const RenderOptions& options) {
    if (options.view) {
        RestoreScene(scene, *options.view);
        return;
    }
    scene.showAxis = options.showAxis;
    scene.view.AngleX = options.angleX;
    scene.view.AngleY = options.angleY;
    scene.view.AngleZ = options.angleZ;
    scene.view.AnimTime = options.time;
    if (options.seed > 0) NextRandom(scene.random, std::int16_t(-options.seed));
    for (int tick = 0; tick < options.ticks; ++tick) ApplyTimerTick(scene.view, options.speeds);
}

std::string Drawing(const Scene& scene, const RenderOptions& options) {
    if (!options.input.empty())
        return "drawing the lines of " + (options.input == "-" ? std::string("standard input") : Quoted(options.input));
    const int row = scene.view.StructureIndex;
    return row > 0 ? "drawing \"" + std::string(Catalogue()[row - 1].listText) + "\"" : "drawing the axes";
}

// As list selections would: clear, select, redraw. Only the last picture is logged.
void DrawSelections(Scene& scene, Canvas& surface, const RenderOptions& options, SegmentLog* log, const Redraw& redraw,
                    std::string& stage) {
    scene.tools.log = log;
    if (options.structures.empty()) {
        stage = Drawing(scene, options);
        Clear(surface);
        redraw(scene);
        return;
    }
    for (size_t i = 0; i < options.structures.size(); ++i) {
        Clear(surface);
        scene.tools.log = i + 1 == options.structures.size() ? log : nullptr;
        scene.view.StructureIndex = std::int16_t(options.structures[i]);
        stage = Drawing(scene, options);
        redraw(scene);
    }
}

// The window's timer tick: advance by the speeds, clear, redraw the same scene.
void DrawNextFrame(Scene& scene, Canvas& surface, SegmentLog& log, const RenderOptions& options, const Redraw& redraw) {
    ApplyTimerTick(scene.view, options.view ? options.view->speeds : options.speeds);
    Clear(surface);
    log.clear();
    redraw(scene);
}

void AddOutputs(FrameWriting& writing, const RenderOptions& options) {
    for (const std::string& path : options.outputs) AddOutput(writing, path, *OutputFormat(options, path));
    for (const std::string& path : options.segments) AddOutput(writing, path, FileFormat::Csv);
}

// --help, --version or --list.
int Answer(const RenderOptions& options, std::ostream& err) {
    std::ostringstream text;
    if (options.help)
        text << UsageText();
    else if (options.version)
        text << VersionText(options.simd);
    else
        PrintList(text);
    OutputFile out;
    if (OpenStandardOutput(out) && WriteOutput(out, text.str()) && CommitOutput(out)) return 0;
    if (out.errorNumber == EPIPE) return ReaderGoneStatus;
    err << "orbiza-render: cannot write to standard output: " << out.error << '\n';
    return 1;
}

// The --input lines, placed unless told otherwise; none with `problem` set
// when they cannot be read.
std::optional<LineData> InputLines(const RenderOptions& options, std::string& problem) {
    std::optional<LineData> lines = ReadLineFile(options.input, options.inputFormat, problem);
    if (lines && options.fitInput) FitLines(*lines);
    return lines;
}

}  // namespace

void RedrawLines(Scene& scene, const LineData& lines) {
    if (scene.showAxis) DrawAxes(scene.tools, scene.view.AngleX, scene.view.AngleY, scene.view.AngleZ);
    DrawLines(scene.tools, lines, ViewAngles(scene));
}

int RunRender(const RenderOptions& options, TemporaryFiles& temporaries, std::ostream& err, void (*redraw)(Scene&)) {
    if (options.help || options.version || options.list) return Answer(options, err);
    std::string problem;
    std::optional<LineData> lines;
    if (!options.input.empty() && !(lines = InputLines(options, problem))) {
        err << "orbiza-render: " << problem << '\n';
        return 2;
    }
    const Redraw redrawPicture =
        lines ? Redraw([&lines](Scene& scene) { RedrawLines(scene, *lines); }) : Redraw(redraw);
    FrameWriting writing(temporaries);
    writing.delayMs = options.delay;
    AddOutputs(writing, options);
    Canvas surface(options.scale);
    if (!OpenOutputs(writing, surface, &problem)) {
        err << "orbiza-render: " << problem << '\n';
        return 1;
    }
    Scene scene;
    SegmentLog log;
    StartUpDrawing(scene.tools, options.simd);
    AttachCanvases(scene.tools, &surface);
    ProgressLine progress;
    progress.out = ShowsProgress(options) ? &err : nullptr;
    progress.total = options.frames;
    std::string stage = "applying the ticks";
    try {
        PrepareScene(scene, options);
        DrawSelections(scene, surface, options, NeedsSegmentLog(writing) ? &log : nullptr, redrawPicture, stage);
        PostFrame(writing, 0, surface, log);
        ShowProgress(progress, 1);
        for (int frame = 1; frame < options.frames && !writing.failed; ++frame) {
            stage = Drawing(scene, options) + " for frame " + std::to_string(frame);
            DrawNextFrame(scene, surface, log, options, redrawPicture);
            PostFrame(writing, frame, surface, log);
            ShowProgress(progress, frame + 1);
        }
    } catch (const RunTimeError& e) {
        EndProgress(progress);
        AbandonOutputs(writing);
        err << "orbiza-render: run-time error while " << stage << ": " << e.what() << '\n';
        return 1;
    }
    EndProgress(progress);
    std::vector<std::string> notes;
    const bool written = FinishOutputs(writing, &problem, &notes);
    if (writing.readerGone) return ReaderGoneStatus;  // as quietly as SIGPIPE would have ended it
    for (const std::string& note : notes) err << "orbiza-render: " << note << '\n';
    if (!written) err << "orbiza-render: " << problem << '\n';
    return written ? 0 : 1;
}
