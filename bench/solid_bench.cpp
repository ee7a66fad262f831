// What the solid view costs on mixed loads of 30 carton types: one frame at
// 1280 × 800 from the three-quarter view, turned a little each time as a
// drag turns it; a click's carton; the model rebuilt for a step; the
// vector picture of the report. Loads of 1,000 and 10,000 cartons in
// blocks, and 10,000 cartons each a block of its own (the most a plan of
// that many cartons can ask for).
#include <benchmark/benchmark.h>

#include "bench/solid_plans.h"
#include "view/solid_model.h"
#include "view/solid_pick.h"
#include "view/solid_raster.h"
#include "view/solid_vector.h"

namespace varnel {
namespace {

constexpr int width = 1280, height = 800;

solid_scene load_of(const benchmark::State& state) {
    return packed_load(static_cast<int>(state.range(0)), 30, state.range(1) != 0);
}

void count(benchmark::State& state, const solid_scene& s, const solid_model& m) {
    state.counters["cartons"] = static_cast<double>(carton_count(s));
    state.counters["blocks"] = static_cast<double>(s.blocks.size());
    state.counters["faces"] = static_cast<double>(m.faces.size());
}

void frame(benchmark::State& state) {
    const solid_scene s = load_of(state);
    const solid_model m = build_model(s, {s.blocks.size(), false, {}});
    camera c = fixed_camera(fixed_view::three_quarter, s.container, width, height);
    solid_raster raster;
    for (auto _ : state) {
        c = orbited(c, 0.002, 0);
        raster.render(m, c, width, height);
        benchmark::DoNotOptimize(raster.data());
    }
    count(state, s, m);
}
BENCHMARK(frame)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

// A click anywhere on the picture: a grid of points over it in turn.
void click(benchmark::State& state) {
    const solid_scene s = load_of(state);
    const solid_model m = build_model(s, {s.blocks.size(), false, {}});
    const camera c = fixed_camera(fixed_view::three_quarter, s.container, width, height);
    int i = 0;
    for (auto _ : state) {
        const screen_point at{(i % 16 + 0.5) * width / 16.0, (i / 16 % 10 + 0.5) * height / 10.0};
        benchmark::DoNotOptimize(pick(s, m, c, width, height, at));
        ++i;
    }
    count(state, s, m);
}
BENCHMARK(click)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMicrosecond);

// A step of the slider: the boxes and their outer faces anew.
void step_model(benchmark::State& state) {
    const solid_scene s = load_of(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(build_model(s, {s.blocks.size() - 1, true, {}}));
    }
    count(state, s, build_model(s, {s.blocks.size(), false, {}}));
}
BENCHMARK(step_model)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

class counting_sink final : public polygon_sink {
public:
    void fill_polygon(std::span<const screen_point>, rgb, double) override { ++polygons; }
    void draw_line(screen_point, screen_point, rgb, double) override { ++lines; }
    std::int64_t polygons = 0, lines = 0;
};

// The report's picture: the faces in paint order with their grids.
void vector_picture(benchmark::State& state) {
    const solid_scene s = load_of(state);
    const solid_model m = build_model(s, {s.blocks.size(), false, {}});
    const camera c = fixed_camera(fixed_view::three_quarter, s.container, width, height);
    counting_sink sink;
    for (auto _ : state) {
        sink = {};
        draw_solid(sink, m, c, width, height);
    }
    count(state, s, m);
    state.counters["polygons"] = static_cast<double>(sink.polygons);
    state.counters["lines"] = static_cast<double>(sink.lines);
}
BENCHMARK(vector_picture)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel

BENCHMARK_MAIN();
