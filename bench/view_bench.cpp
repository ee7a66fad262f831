// What the load view costs for the plans a hand-edited file can hold: 31
// records with counts of 32767 on every axis, about six million lines.
#include <benchmark/benchmark.h>

#include "view/pixel_canvas.h"
#include "view/stack_drawing.h"

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

}  // namespace
}  // namespace varnel

BENCHMARK_MAIN();
