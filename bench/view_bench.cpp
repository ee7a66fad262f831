// What the load view costs for the plans a hand-edited file can hold: 31
// records with counts of 32767 on every axis, about six million lines; and
// a mixed container of 1,000 cartons in 30 types, painted with its legend.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

#include "view/drawing_area.h"
#include "view/mixed_drawing.h"
#include "view/pixel_canvas.h"
#include "view/stack_drawing.h"
#include "view/type_colours.h"

namespace varnel {
namespace {

// Every record fills the container's place with carton extents of `step`
// drawing units on each axis.
stack_table worst_case(float step) {
    stack_table table{};
    for (stack_record& r : table) {
        r.box_length = r.box_width = r.box_height = step;
        r.count_x = r.count_y = r.count_z = 32767;
        r.space_y = 5000;
        r.space_z = 2500;
        r.origin_x = 350;
        r.origin_y = 2600;
        r.orientation = 1;
        r.in_use = 1;
    }
    return table;
}

void draw_whole_table(benchmark::State& state, float step) {
    const stack_table table = worst_case(step);
    pixel_canvas area(515, 383, rgb{212, 208, 200});
    for (auto _ : state) {
        area.clear_drawing();
        benchmark::DoNotOptimize(draw_first_stacks(area, table, 31));
    }
    state.SetItemsProcessed(state.iterations() * 31 * (2 * 3 * 32767 + 6));
}

// A grid far finer than a pixel: every line lands inside the area.
BENCHMARK_CAPTURE(draw_whole_table, sub_pixel, 0.05f)->Unit(benchmark::kMillisecond);
// One pixel per carton: each line a new one until the grid leaves the area.
BENCHMARK_CAPTURE(draw_whole_table, one_pixel, 15.0f)->Unit(benchmark::kMillisecond);
// Cartons as large as single precision allows: nearly every line off screen.
BENCHMARK_CAPTURE(draw_whole_table, huge, 1e33f)->Unit(benchmark::kMillisecond);

// 1,000 cartons of 30 types, each a block of its own (the most lines a
// thousand cartons can make): 10 across, 20 along, 5 up in a 40-foot
// container; cleared, drawn and painted as the window shows a container.
void paint_mixed_container(benchmark::State& state) {
    const std::array<double, 3> container{2350, 12030, 2390};
    std::vector<std::array<double, 3>> sizes(30, {235, 600, 478});
    block_list blocks;
    for (std::int16_t i = 0; i < 1000; ++i) {
        blocks.push_back({235.0 * (i % 10), 600.0 * (i / 10 % 20), 478.0 * (i / 200), 1, 1, 1, 1,
                          static_cast<std::size_t>(i % 30)});
    }
    std::vector<std::size_t> order(blocks.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const typed_load load{blocks, sizes, container};
    drawing_area area;
    std::vector<drawing_area::type_entry> legend;
    for (std::size_t t = 0; t < 30; ++t) {
        legend.push_back({QStringLiteral("类型%1").arg(t + 1), type_colour(t)});
    }
    area.set_type_legend(legend);
    for (auto _ : state) {
        area.clear_drawing();
        draw_typed_blocks(area, load, order);
        draw_standard_outline(area);
        benchmark::DoNotOptimize(area.grab());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(paint_mixed_container)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel

// The drawing area is a widget: a QApplication, off screen unless told.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
