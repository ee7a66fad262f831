// A caller that breaks an entry point's precondition stops the program,
// naming the condition, in every build that checks them (engine/core/expects.h).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/core/placement.h"
#include "engine/core/work_meter.h"
#include "engine/mixed/mixed_load.h"
#include "engine/single/box_cuts.h"
#include "engine/single/optimise.h"
#include "engine/single/partial_load.h"
#include "engine/stack_planning.h"
#include "engine/summary.h"

namespace varnel {
namespace {

constexpr calculation_input worked_example{600, 850, 400, 2350, 5900, 2390};

mixed_request one_carton_list() {
    mixed_request r;
    r.container = {2350, 5900, 2390};
    r.cartons = {{"A", {600, 850, 400}, 10, std::nullopt, orientation_set::any(), true}};
    r.parameters.work_budget = 10'000;
    return r;
}

TEST(Preconditions, ACallerThatBreaksOneStopsTheProgram) {
#if !(defined(VARNEL_CHECKS) && VARNEL_CHECKS)
    GTEST_SKIP() << "preconditions are not checked in this build";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct row {
        const char* name;
        std::function<void()> call;
    };
    const std::vector<row> rows = {
        {"a type without a size",
         [] {
             const carton_rules flat = single_carton(400, 0, 200);
             (void)check_placement({}, std::span(&flat, 1), {{2000, 3000, 1000}, {}});
         }},
        {"the loading order of a type with a side of no number",
         [nan] {
             const carton_rules odd = single_carton(400, nan, 200);
             (void)loading_order({}, std::span(&odd, 1));
         }},
        {"an optimised plan of a flat carton",
         [] {
             (void)optimise_plan({{600, 0, 400, 2350, 5900, 2390}});
         }},
        {"an optimised plan of cartons standing on their length only",
         [] {
             (void)optimise_plan(
                 {worked_example, false, orientation_set::with_vertical_sides(0b001)});
         }},
        {"a bound of a carton with a side of no number",
         [nan] {
             (void)upper_bound({600, nan, 400, 2350, 5900, 2390}, false, orientation_set::any());
         }},
        {"a part load of a flat carton",
         [] {
             (void)partial_load({}, {600, 850, 0}, 5);
         }},
        {"3-D cuts of a flat carton",
         [] {
             work_meter meter(1000, nullptr, 10.0);
             (void)best_box_cuts({2350, 5900, 2390}, {600, 0, 400}, meter, 1000, 3000);
         }},
        {"stacks planned on tables already planned",
         [] {
             load_model m;
             run_calculation(m, worked_example, false, true);
             (void)plan_stacks(m, false);
         }},
        {"container 0 of 3", [] { (void)container_number_text(0, 3); }},
        {"container 4 of 3", [] { (void)container_number_text(4, 3); }},
        {"two containers from the last", [] { (void)containers_text(3, 2, 3); }},
        {"a run of no containers", [] { (void)containers_text(1, 0, 3); }},
        {"a mixed list with a flat carton",
         [] {
             mixed_request r = one_carton_list();
             r.cartons[0].size[2] = 0;
             (void)plan_mixed_load_with(r, nullptr);
         }},
        {"a mixed load into a container of no length",
         [] {
             mixed_request r = one_carton_list();
             r.container[1] = 0;
             (void)plan_mixed_load_with(r, nullptr);
         }},
        {"a beam no block wide",
         [] {
             mixed_request r = one_carton_list();
             r.parameters.first_width = 0;
             (void)plan_mixed_load_with(r, nullptr);
         }},
    };
    for (const row& r : rows) {
        EXPECT_DEATH(r.call(), "precondition failed") << r.name;
    }
#endif
}

// What any user may type reaches the entry points without breaking one: an
// accepted container of no size, a count that fits nothing.
TEST(Preconditions, AcceptedInputKeepsThem) {
    const auto read = read_calculation_input({"60", "85", "40", "0", "0", "0"});
    const calculation_input& in = std::get<calculation_input>(read);
    EXPECT_EQ(optimise_plan({in, false, orientation_set::upright(), 10'000}).cartons, 0);
    EXPECT_EQ(upper_bound(in, true, orientation_set::any()), 0);
    EXPECT_TRUE(partial_load({}, {600, 850, 400}, 0).empty());
    EXPECT_EQ(containers_text(1, 1, 1), container_number_text(1, 1));
}

}  // namespace
}  // namespace varnel
