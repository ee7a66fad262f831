// What the user waits for in the window: start-up to the shown window, and
// one calculation with its drawing and summary.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "app/startup.h"
#include "tests/support/scripted_prompts.h"
#include "ui/look.h"

namespace varnel {
namespace {

struct catalogue_folder {
    QTemporaryDir dir;
    catalogue_folder() {
        QFile::copy(QString::fromUtf8(VARNEL_DELIVERED_CATALOGUE), dir.filePath("qr_ji.qrd"));
    }
};

void start_up_to_shown_window(benchmark::State& state) {
    catalogue_folder folder;
    scripted_prompts prompts;
    for (auto _ : state) {
        started_program program = start_program(folder.dir.path(), prompts, [](int) {});
        program.window->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(program.window->grab());  // the first paint, as shown
    }
}
BENCHMARK(start_up_to_shown_window)->Unit(benchmark::kMillisecond);

void calculate_and_draw_worked_example(benchmark::State& state) {
    catalogue_folder folder;
    scripted_prompts prompts;
    started_program program = start_program(folder.dir.path(), prompts, [](int) {});
    kmain& w = *program.window;
    w.show();
    w.set_manual_container_size("590", "235", "239");
    w.set_carton_size("60", "85", "40");
    for (auto _ : state) {
        w.start_calculation();
        QApplication::processEvents();  // the repaint of the drawing
    }
}
BENCHMARK(calculate_and_draw_worked_example)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    varnel::apply_look(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
