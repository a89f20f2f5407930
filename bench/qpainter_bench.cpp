// The Rossler picture's 400,000 coloured lines, recorded once from a redraw,
// drawn the way a Qt program would: a cosmetic pen per line and drawLine into
// a QImage of the surface's size.
#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <vector>

#include "bench_inputs.h"

namespace {

struct ColouredLine {
    QLineF line;
    QColor colour;
};

// Screen points are user coordinates; the lines are kept in pixels.
std::vector<ColouredLine> RecordRosslerLines(SimdLevel level) {
    Scene scene;
    SegmentLog log;
    StartBenchScene(scene, RosslerIndex(), level);
    scene.tools.log = &log;
    RedrawScene(scene);
    const auto column = [](float x) { return (double(x) + 1.0) * PictureWidth / 2.0; };
    const auto row = [](float y) { return (double(y) + 1.0) * PictureHeight / 2.0; };
    std::vector<ColouredLine> lines;
    lines.reserve(log.size());
    for (const SegmentRecord& s : log)
        lines.push_back({QLineF(column(s.x1), row(s.y1), column(s.x2), row(s.y2)),
                         QColor(s.colour.red, s.colour.green, s.colour.blue)});
    return lines;
}

void QPainterLines(benchmark::State& state, SimdLevel level) {
    const std::vector<ColouredLine> lines = RecordRosslerLines(level);
    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        for (const ColouredLine& l : lines) {
            painter.setPen(QPen(l.colour, 0));
            painter.drawLine(l.line);
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["segments"] =
        benchmark::Counter(double(lines.size()) * double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

void RegisterQPainterBenchmark(SimdLevel level) {
    Measured(benchmark::RegisterBenchmark(QPainterName, QPainterLines, level));
}
