// Hours of animation in one run: 10,000 ticks of the real window's timer
// handler, one after another, every speed at 50, a new structure every 100
// ticks through the whole list, the axis box toggled every 250 ticks. It
// reports the resident memory after 500 ticks and at the end, and counts the
// run-time error boxes the window would have shown, up to a last redraw of
// every structure at the final angles and time (near 5,000).
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QScrollBar>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "bench_inputs.h"
#include "form1.h"

namespace {

constexpr int Ticks = 10000;
constexpr int TicksPerStructure = 100;
constexpr int TicksPerAxisToggle = 250;
constexpr int SettleTicks = 500;
// Structures keep buffers made on their first draw (Rossler's integration
// thread and its points), so memory is also read once every one has drawn.
constexpr int FirstPassTicks = 23 * TicksPerStructure;

// Resident memory of this process in KiB, from /proc; 0 where there is none.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

// `summary` gets the closing line, which main prints after the benchmark tables.
void Soak(benchmark::State& state, std::string* summary) {
    for (auto _ : state) {
        auto form = std::make_unique<Form1>();
        int errors = 0;
        form->dialogs.warn = [&errors](const QString& title, const QString& text) {
            if (++errors <= 5) std::printf("soak: error box \"%s\": %s\n", qPrintable(title), qPrintable(text));
        };
        form->show();
        auto* list = form->findChild<QListWidget*>("List");
        auto* axis = form->findChild<QCheckBox*>("showaxis");
        for (int bar = 1; bar <= 4; ++bar) form->findChild<QScrollBar*>(QString("HScroll%1").arg(bar))->setValue(50);
        QApplication::processEvents();

        long settled = 0, firstPass = 0;
        for (int tick = 0; tick < Ticks; ++tick) {
            if (tick % TicksPerStructure == 0) list->setCurrentRow((tick / TicksPerStructure) % list->count());
            if (tick > 0 && tick % TicksPerAxisToggle == 0) axis->click();
            form->Timer1Tick();
            QApplication::processEvents();  // the paint the window would do
            if (tick + 1 == SettleTicks) {
                settled = ResidentKiB();
                std::printf("soak: rss after %d ticks %ld KiB\n", SettleTicks, settled);
            }
            if (tick + 1 == FirstPassTicks) {
                firstPass = ResidentKiB();
                std::printf("soak: rss after %d ticks (every structure drawn once) %ld KiB\n", FirstPassTicks,
                            firstPass);
            }
        }
        // The last pass met each structure up to 2,300 ticks before the end:
        // every one is drawn once more at the final angles and time.
        for (int row = 0; row < list->count(); ++row) list->setCurrentRow(row);
        QApplication::processEvents();
        const long end = ResidentKiB();
        const ViewState& view = form->ViewScene().view;
        std::printf("soak: rss after %d ticks %ld KiB; angles %g %g %g, time %g\n", Ticks, end, double(view.AngleX),
                    double(view.AngleY), double(view.AngleZ), double(view.AnimTime));
        *summary = "soak: rss growth " + std::to_string(end - settled) + " KiB over " + std::to_string(Ticks) +
                   " ticks, " + std::to_string(errors) + " errors";
        std::printf("soak: rss growth after every structure drew once %ld KiB over %d ticks\n", end - firstPass,
                    Ticks - FirstPassTicks);
        state.counters["rss_growth_KiB"] = double(end - settled);
        state.counters["errors"] = errors;
    }
}

}  // namespace

void RegisterSoakBenchmark(std::string& summary) {
    benchmark::RegisterBenchmark("soak", Soak, &summary)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
}
