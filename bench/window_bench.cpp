// The window under the offscreen platform: its start-up work, one timer tick
// with "Rossler Chaos" selected (redraw and putting the picture on screen),
// a redraw right after a paint, and the tick rate the real timer holds.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <memory>

#include "bench_inputs.h"
#include "depth_screen.h"
#include "form1.h"

namespace {

// A shown window with `structure` selected and the time speed at its maximum.
std::unique_ptr<Form1> WindowWith(const char* structure) {
    auto form = std::make_unique<Form1>();
    form->show();
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
void RosslerTick(benchmark::State& state) {
    const auto form = WindowWith("Rossler Chaos");
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
        Clear(*scene.tools.surface);
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
// benchmark has run, so it goes before anything static does.
std::shared_ptr<void> StartWindowApplication(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_shared<QApplication>(argc, argv);
}

void RegisterWindowBenchmarks() {
    Measured(benchmark::RegisterBenchmark("window/start-up", StartUp));
    Measured(benchmark::RegisterBenchmark("window/depth-store-fill", DepthStoreFill));
    Measured(benchmark::RegisterBenchmark("window/tick-rossler", RosslerTick));
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
