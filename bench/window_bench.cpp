// The window under the offscreen platform: its start-up work, one timer tick
// with "Rossler Chaos" selected (redraw and putting the picture on screen),
// on a screen of device pixel ratio 1 and on one of 2 (the picture and the
// display picture, and four times the pixels to paint), a redraw right after
// a paint, and the tick rate the real timer holds.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QTimer>
#include <memory>

#include "bench_inputs.h"
#include "depth_screen.h"
#include "form1.h"

namespace {

// A shown window on the screen of `ratio`, with `structure` selected and the
// time speed at its maximum.
std::unique_ptr<Form1> WindowWith(const char* structure, qreal ratio = 1) {
    auto form = std::make_unique<Form1>();
    form->show();
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->devicePixelRatio() == ratio) form->move(screen->geometry().topLeft() + QPoint(10, 10));
    QApplication::processEvents();
    auto* list = form->findChild<QListWidget*>("List");
    list->setCurrentRow(*FindStructure(structure) - 1);
    form->findChild<QScrollBar*>("HScroll4")->setValue(50);
    form->findChild<QScrollBar*>("HScroll2")->setValue(5);
    QApplication::processEvents();
    return form;
}

void StartUp(benchmark::State& state) {
    for (auto _ : state) {
        Form1 form;  // controls, depth store fill, list fill
        benchmark::DoNotOptimize(&form);
    }
}

void DepthStoreFill(benchmark::State& state) {
    DepthScreen store;
    for (auto _ : state) {
        ClearDepthScreen(store);
        benchmark::ClobberMemory();
    }
}

// One tick as the timer runs it, then the paint that shows it.
void RosslerTick(benchmark::State& state, qreal ratio) {
    const auto form = WindowWith("Rossler Chaos", ratio);
    if (form->devicePixelRatioF() != ratio) state.SkipWithError("no screen of that ratio");
    for (auto _ : state) {
        form->Timer1Tick();
        form->repaint();
    }
}

// A full redraw (Clear, then RedrawScene) of a structure whose points need
// sines and cosines, right after the window painted: compared with
// redraw/<same> it shows whether painting leaves the processor in a state
// that slows the maths that follows.
void RedrawAfterPaint(benchmark::State& state, const char* structure) {
    const auto form = WindowWith(structure);
    Scene& scene = form->ViewScene();
    for (auto _ : state) {
        state.PauseTiming();
        form->repaint();
        state.ResumeTiming();
        Clear(*scene.tools.surface.canvas);
        RedrawScene(scene);
    }
}

// The real QTimer with its event loop: 50 ticks, reported as ticks a second.
void TicksPerSecond(benchmark::State& state) {
    const auto form = WindowWith("Rossler Chaos");
    auto* timer = form->findChild<QTimer*>("Timer1");
    for (auto _ : state) {
        int ticks = 0;
        QEventLoop loop;
        const auto counter = QObject::connect(timer, &QTimer::timeout, &loop, [&] {
            if (++ticks == 50) loop.quit();
        });
        QElapsedTimer clock;
        clock.start();
        form->findChild<QPushButton*>("start")->click();
        loop.exec();
        form->findChild<QPushButton*>("stop")->click();
        QObject::disconnect(counter);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        state.counters["ticks/s"] = 50.0 / (double(clock.nsecsElapsed()) / 1e9);
    }
}

}  // namespace

// The window needs an application object; main keeps this one until every
// benchmark has run, so it goes before anything static does. It has two
// screens, the second scaled by 2 as Qt scales for a dense screen, so that
// its windows paint into a backing store of twice the width and height.
std::shared_ptr<void> StartWindowApplication(int& argc, char** argv) {
    QTemporaryFile screens;  // read while the application starts
    if (screens.open()) {
        screens.write(R"({"screens": [{"name": "1", "x": 0, "y": 0, "width": 1024, "height": 768},
                                      {"name": "2", "x": 1024, "y": 0, "width": 2048, "height": 1536}]})");
        screens.flush();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    qputenv("QT_SCREEN_SCALE_FACTORS", "1;2");
    return std::make_shared<QApplication>(argc, argv);
}

void RegisterWindowBenchmarks() {
    Measured(benchmark::RegisterBenchmark("window/start-up", StartUp));
    Measured(benchmark::RegisterBenchmark("window/depth-store-fill", DepthStoreFill));
    Measured(benchmark::RegisterBenchmark(WindowTickName(1).c_str(), RosslerTick, 1));
    Measured(benchmark::RegisterBenchmark(WindowTickName(2).c_str(), RosslerTick, 2));
    for (const char* structure : {"Sphere-Torus Transformation", "Torus", "Destorted Sphere"})
        Measured(benchmark::RegisterBenchmark(("window/redraw-after-paint/" + std::string(structure)).c_str(),
                                              RedrawAfterPaint, structure));
    benchmark::RegisterBenchmark("window/50-timer-ticks-rossler", TicksPerSecond)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
}
