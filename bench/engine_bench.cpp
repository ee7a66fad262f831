// Speed of a whole calculation and of plan files: what the user waits for
// when pressing calculate, save and open.
#include <benchmark/benchmark.h>

#include "engine/block_tables.h"
#include "engine/calculation.h"
#include "engine/single/partial_load.h"
#include "engine/summary.h"
#include "plan/plan_format.h"

namespace varnel {
namespace {

void plan_worked_example(benchmark::State& state) {
    const calculation_input in{600, 850, 400, 2350, 5900, 2390};
    load_model m;
    for (auto _ : state) {
        benchmark::DoNotOptimize(run_calculation(m, in, false, true));
        benchmark::DoNotOptimize(write_summary(m.stacks));
    }
}
BENCHMARK(plan_worked_example);

void read_and_check_six_fields(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            read_calculation_input({"60", "85", "40", "1203.2", "235", "239.2"}));
    }
}
BENCHMARK(read_and_check_six_fields);

// Calculations yield at most seven stacks; fill all seven with realistic
// values so the file holds the largest plan a calculation can save.
load_model seven_stacks() {
    load_model m;
    run_calculation(m, {600, 850, 400, 2350, 5900, 2390}, false, true);
    for (std::size_t i = 5; i < 7; ++i) {
        m.stacks[i] = m.stacks[i - 5];
        m.draw_stacks[i] = m.draw_stacks[i - 5];
    }
    return m;
}

void write_seven_stack_plan(benchmark::State& state) {
    const load_model m = seven_stacks();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string file = write_plan(m.draw_stacks, m.stacks);
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(write_seven_stack_plan);

void read_seven_stack_plan(benchmark::State& state) {
    const load_model m = seven_stacks();
    const std::string file = write_plan(m.draw_stacks, m.stacks);
    stack_table draw{}, mm{};
    for (auto _ : state) benchmark::DoNotOptimize(read_plan(file, draw, mm));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(read_seven_stack_plan);

// Half of a plan loaded from the far end: a 40-foot container of export
// cartons, and a typed container nearly five kilometres long, whose stacks
// run to twelve thousand rows.
void load_half_of_a_plan(benchmark::State& state) {
    const bool longest = state.range(0) != 0;
    const calculation_input in = longest ? calculation_input{230, 410, 530, 2350, 4915050, 2390}
                                         : calculation_input{600, 400, 300, 2350, 12032, 2392};
    load_model m;
    run_calculation(m, in, false, true);
    const block_list plan = standard_blocks(m);
    const box_size carton{in.carton_length, in.carton_width, in.carton_height};
    const std::int64_t half = carton_count(plan) / 2;
    for (auto _ : state) benchmark::DoNotOptimize(partial_load(plan, carton, half));
    state.counters["cartons"] = static_cast<double>(half);
}
BENCHMARK(load_half_of_a_plan)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnel
