#include "render_job.h"

#include <QFile>
#include <iomanip>
#include <string>

#include "catalogue.h"
#include "picture_file.h"
#include "run_time_error.h"
#include "segments_csv.h"

namespace {

void PrintList(std::ostream& out) {
    for (int row = 1; row <= CatalogueSize; ++row)
        out << std::setw(2) << row << "  " << Catalogue()[row - 1].listText << '\n';
}

// Ticks only advance the view; nothing is drawn until the structures are.
void PrepareScene(Scene& scene, const RenderOptions& options) {
    scene.showAxis = options.showAxis;
    scene.view.AngleX = options.angleX;
    scene.view.AngleY = options.angleY;
    scene.view.AngleZ = options.angleZ;
    scene.view.AnimTime = options.time;
    for (int tick = 0; tick < options.ticks; ++tick) ApplyTimerTick(scene.view, options.speeds);
}

// As list selections would: clear, select, redraw. Only the last picture is logged.
void DrawSelections(Scene& scene, Canvas& surface, const RenderOptions& options, SegmentLog* log,
                    void (*redraw)(Scene&), std::string& drawing) {
    if (options.structures.empty()) {
        drawing = "drawing the axes";
        Clear(surface);
        scene.tools.log = log;
        redraw(scene);
        return;
    }
    for (size_t i = 0; i < options.structures.size(); ++i) {
        Clear(surface);
        scene.tools.log = i + 1 == options.structures.size() ? log : nullptr;
        scene.view.StructureIndex = std::int16_t(options.structures[i]);
        drawing = "drawing \"" + std::string(Catalogue()[options.structures[i] - 1].listText) + "\"";
        redraw(scene);
    }
}

bool WriteSegments(const SegmentLog& log, const std::string& path, std::ostream& out, std::ostream& err) {
    if (path == "-") {
        WriteSegmentsCsv(out, log);
        out.flush();
        if (out) return true;
        err << "orbiza-render: cannot write the segment list to standard output\n";
        return false;
    }
    QString error;
    if (SaveSegmentsCsv(log, QFile::decodeName(path.c_str()), &error)) return true;
    err << "orbiza-render: cannot write \"" << path << "\": " << error.toStdString() << '\n';
    return false;
}

bool WritePicture(const Canvas& surface, const RenderOptions& options, std::ostream& err) {
    QString error;
    if (SavePicture(surface, QFile::decodeName(options.outputPath.c_str()), options.outputFormat.c_str(), &error))
        return true;
    err << "orbiza-render: cannot write \"" << options.outputPath << "\": " << error.toStdString() << '\n';
    return false;
}

}  // namespace

int RunRender(const RenderOptions& options, std::ostream& out, std::ostream& err, void (*redraw)(Scene&)) {
    if (options.help || options.version || options.list) {
        if (options.help)
            out << UsageText();
        else if (options.version)
            out << VersionText();
        else
            PrintList(out);
        if (out.flush()) return 0;
        err << "orbiza-render: cannot write to standard output\n";
        return 1;
    }
    Scene scene;
    Canvas surface;
    SegmentLog log;
    scene.tools.surface = &surface;
    std::string stage = "applying the ticks";
    try {
        PrepareScene(scene, options);
        DrawSelections(scene, surface, options, options.segmentsPath.empty() ? nullptr : &log, redraw, stage);
    } catch (const RunTimeError& e) {
        err << "orbiza-render: run-time error while " << stage << ": " << e.what() << '\n';
        return 1;
    }
    bool written = true;
    if (!options.outputPath.empty()) written = WritePicture(surface, options, err) && written;
    if (!options.segmentsPath.empty()) written = WriteSegments(log, options.segmentsPath, out, err) && written;
    return written ? 0 : 1;
}
