#include "engine/single/mixed_one_type.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "bench/bench_instances.h"
#include "bench/br_instances.h"
#include "engine/core/loading_walls.h"
#include "engine/mixed/mixed_load.h"
#include "engine/single/optimise.h"
#include "tests/support/carton_loads.h"
#include "tests/support/mixed_lists.h"

namespace varnel {
namespace {

using test_support::seeded_list;

// Whether a carton of type t could stand in the room alone.
bool fits_alone(const mixed_request& r, const carton_type& t) {
    if (r.payload && t.weight && *t.weight > *r.payload) return false;
    for (int o = 1; o <= 6; ++o) {
        const auto e = rotated(t.size, o);
        if (t.allowed.allows(o) && e[0] <= r.container[0] && e[1] <= r.container[1] &&
            e[2] <= r.container[2])
            return true;
    }
    return false;
}

// Every container passes the shared checker, its counts are its blocks', and
// the containers and what is left add up to the list.
void expect_valid(const mixed_request& r, const mixed_plan& plan, const std::string& name) {
    const std::vector<carton_rules> rules = rules_of(r.cartons);
    ASSERT_EQ(plan.unloaded.size(), r.cartons.size()) << name;
    std::vector<std::int64_t> total = plan.unloaded;
    for (const container_load& load : plan.containers) {
        const bool heavy = r.weights.heavy_not_on_light && weighed(r.cartons);
        const placement_report report =
            check_placement(load.blocks, rules, {r.container, r.payload}, {heavy, std::nullopt});
        EXPECT_TRUE(report.valid()) << name << ": rule " << static_cast<int>(report.fault)
                                    << " at block " << report.block.value_or(0);
        EXPECT_EQ(test_support::weight_fault(load.blocks, rules, heavy), "") << name;
        std::vector<std::int64_t> counted(r.cartons.size(), 0);
        for (const carton_block& b : load.blocks) {
            counted[b.type] += std::int64_t{b.count_x} * b.count_y * b.count_z;
        }
        EXPECT_EQ(counted, load.loaded) << name;
        EXPECT_GE(load.repeat, 1) << name;
        for (std::size_t t = 0; t < total.size(); ++t) total[t] += counted[t] * load.repeat;
    }
    for (std::size_t t = 0; t < total.size(); ++t) {
        EXPECT_EQ(total[t], r.cartons[t].quantity) << name << ", type " << t;
    }
}

TEST(MixedLoad, EveryPlanKeepsTheRulesAndLoadsWhatFits) {
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        const std::string name = "seed " + std::to_string(seed);
        const mixed_request r = seeded_list(seed, false);
        const mixed_plan plan = plan_mixed_load(r);
        expect_valid(r, plan, name);
        // Without a limit on containers every carton that fits alone goes in.
        for (std::size_t t = 0; t < r.cartons.size(); ++t) {
            if (fits_alone(r, r.cartons[t])) {
                EXPECT_EQ(plan.unloaded[t], 0) << name;
            }
        }
        const mixed_plan again = plan_mixed_load(r);
        ASSERT_EQ(again.containers.size(), plan.containers.size()) << name;
        for (std::size_t i = 0; i < plan.containers.size(); ++i) {
            EXPECT_EQ(again.containers[i].blocks, plan.containers[i].blocks) << name;
        }
    }
}

// Weighed lists with what each carton bears and columns of limited layers:
// every plan keeps the rules by the shared checker and carton by carton.
TEST(MixedLoad, WeighedListsKeepTheWeightRules) {
    for (std::uint32_t seed = 1; seed <= 16; ++seed) {
        const std::string name = "weighed seed " + std::to_string(seed);
        mixed_request r = seeded_list(seed, false);
        std::mt19937 random(seed);
        for (carton_type& t : r.cartons) {
            t.weight = 5.0 + static_cast<double>(random() % 80);
            t.max_load = *t.weight * static_cast<double>(random() % 9);
            if (random() % 4 == 0) t.max_layers = 1 + random() % 3;
        }
        r.weights.heavy_not_on_light = seed % 2 == 0;
        r.parameters.work_budget = 200'000'000;
        expect_valid(r, plan_mixed_load(r), name);
    }
}

// A part load of crates stands together from the far end, shifted along
// the length until its centre of gravity is within the band; the heavy
// crates of a mixed list carry the light cartons, never the other way, and
// the load is balanced both ways.
TEST(MixedLoad, APartLoadStandsTogetherAndBalanced) {
    mixed_request r;
    r.container = {2350, 12030, 2690};
    r.cartons = {{"crate", {1000, 800, 600}, 12, 90.0, orientation_set::upright(), true}};
    const mixed_plan plan = plan_mixed_load(r);
    ASSERT_EQ(plan.containers.size(), 1u);
    const block_list& blocks = plan.containers[0].blocks;
    const std::vector<carton_rules> rules = rules_of(r.cartons);
    const std::optional<balance_figures> f = balance_of(blocks, rules, {r.container, {}}, 0.05);
    ASSERT_TRUE(f.has_value());
    EXPECT_LE(std::fabs(f->offset[1]), f->band[1]);
    // No gap along the length between the first block and the last.
    std::vector<std::pair<double, double>> spans;
    for (const carton_block& b : blocks) {
        const auto e = rotated(r.cartons[b.type].size, b.orientation);
        spans.emplace_back(b.y, b.y + b.count_y * e[1]);
    }
    std::sort(spans.begin(), spans.end());
    double reach = spans.front().second;
    for (const auto& [y0, y1] : spans) {
        EXPECT_LE(y0, reach + 1e-3);
        reach = std::max(reach, y1);
    }

    // A block of cartons running the whole length on crates along one side
    // is cut into walls that can be turned side for side.
    r.cartons.push_back({"carton", {500, 350, 300}, 400, 12.0, orientation_set::any(), true});
    r.cartons[0].quantity = 20;
    const mixed_plan mixed = plan_mixed_load(r);
    expect_valid(r, mixed, "crates and cartons");
    ASSERT_EQ(mixed.containers.size(), 1u);
    const std::optional<balance_figures> both =
        balance_of(mixed.containers[0].blocks, rules_of(r.cartons), {r.container, {}}, 0.05);
    ASSERT_TRUE(both.has_value());
    EXPECT_TRUE(both->holds) << both->offset[0] << " mm across, " << both->offset[1] << " along";
}

TEST(MixedLoad, OneContainerTakesACargoWithRoomToSpare) {
    for (std::uint32_t seed = 101; seed <= 116; ++seed) {
        const std::string name = "seed " + std::to_string(seed);
        mixed_request r = seeded_list(seed, true);
        r.max_containers = 1;
        const mixed_plan plan = plan_mixed_load(r);
        expect_valid(r, plan, name);
        for (std::size_t t = 0; t < r.cartons.size(); ++t) {
            if (fits_alone(r, r.cartons[t])) {
                EXPECT_EQ(plan.unloaded[t], 0) << name << ", type " << t;
            }
        }
    }
}

// Cartons nothing may stand on leave few spaces, so the search runs out of
// blocks to try long before its budget; it must then stop, not widen on.
TEST(MixedLoad, ASearchWithNothingLeftToTryEnds) {
    mixed_request r;
    r.container = {2350, 12032, 2392};
    r.cartons = {{"TV", {1200, 800, 700}, 60, 30.0, orientation_set::upright(), false},
                 {"Box", {600, 400, 400}, 200, 15.0, orientation_set::any(), true},
                 {"Crate", {1000, 1000, 900}, 20, 80.0, orientation_set::upright(), true}};
    const mixed_plan plan = plan_mixed_load(r);
    expect_valid(r, plan, "not stackable");
    EXPECT_EQ(plan.containers.size(), 3u);
}

// On a budget that grants the optimiser its own, as the program's does.
TEST(MixedLoad, OneTypeLoadsNoFewerThanAFullySupportedOptimisedPlan) {
    const std::vector<bench_instance> set = benchmark_set(8);
    for (std::size_t i = 0; i < set.size(); ++i) {
        const bench_instance& b = set[i];
        const std::string name = "instance " + std::to_string(i);
        const calculation_input& in = b.input;
        const optimised_plan their = optimise_plan({in, false, b.allowed()});
        mixed_request r = one_type_request(b, their.upper_bound + 1);
        // One container: the optimiser's budget and 3 M units beside it are
        // its share. The search beside it is kept narrow, one beam node and
        // a few dozen simple blocks, so that it is soon done.
        r.parameters.combining_rounds = 0;
        r.parameters.max_blocks = 48;
        r.parameters.max_width = 1;
        r.parameters.work_budget = optimiser_unit_cost * default_work_budget + 3'000'000;
        const mixed_plan plan = plan_mixed_load(r);
        expect_valid(r, plan, name);
        const auto rules = rules_of(r.cartons);
        if (unsupported_cartons(their.blocks, rules) == 0) {
            ASSERT_EQ(plan.containers.size(), 1u) << name;
            EXPECT_GE(plan.containers[0].loaded[0], their.cartons) << name;
        }
    }
}

// An order of one carton in the millions is planned once a kind of
// container: a run of full ones, then what is left; runs that follow each
// other differ, and every container counts.
TEST(MixedLoad, ContainersAlikeArePlannedOnceAsARun) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        mixed_request r = seeded_list(seed, false);
        r.cartons.resize(1);
        r.cartons[0].stackable = true;
        r.cartons[0].quantity = seed % 2 == 0 ? 1'000'000'000 : 1'000'000;
        r.payload.reset();
        const std::string name = "seed " + std::to_string(seed);
        const mixed_plan plan = plan_mixed_load(r);
        expect_valid(r, plan, name);
        EXPECT_FALSE(plan.cut_short) << name;
        EXPECT_EQ(plan.unloaded[0], 0) << name;
        ASSERT_FALSE(plan.containers.empty()) << name;
        EXPECT_LE(plan.containers.size(), 4u) << name;
        const std::int64_t full = plan.containers[0].loaded[0];
        EXPECT_EQ(container_count(plan), (r.cartons[0].quantity + full - 1) / full) << name;
        for (std::size_t i = 1; i < plan.containers.size(); ++i) {
            EXPECT_NE(plan.containers[i].blocks, plan.containers[i - 1].blocks) << name;
        }
    }
}

// However small the budget, the plan keeps every rule and each container
// gets at least its greedy fill; when the budget ends the planning with
// cartons left, the plan says it was cut short, and never otherwise. Orders
// of seeded lists fifty times over, and of one carton the single-size
// optimiser plans (which once ran on a budget of its own whatever the
// request's): on budgets of nothing or next to nothing each answers in
// milliseconds, and the test's timeout guards that.
TEST(MixedLoad, APlanStoppedByItsBudgetSaysItWasCutShort) {
    std::vector<std::pair<std::string, mixed_request>> orders;
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        mixed_request r = seeded_list(seed, false);
        for (carton_type& t : r.cartons) t.quantity *= 50;
        orders.emplace_back("seed " + std::to_string(seed), r);
    }
    for (const bench_instance& b : benchmark_set(8)) {
        mixed_request r = one_type_request(b, 100'000);
        r.max_containers.reset();
        orders.emplace_back("one type " + std::to_string(orders.size() - 8), r);
    }
    for (const std::uint64_t budget :
         {std::uint64_t{0}, std::uint64_t{1'000}, std::uint64_t{100'000}}) {
        for (auto [name, r] : orders) {
            r.parameters.work_budget = budget;
            name += ", budget " + std::to_string(budget);
            const mixed_plan plan = plan_mixed_load(r);
            expect_valid(r, plan, name);
            bool left = false;
            for (std::size_t t = 0; t < r.cartons.size(); ++t)
                left = left || (plan.unloaded[t] > 0 && fits_alone(r, r.cartons[t]));
            EXPECT_EQ(plan.cut_short, left) << name;
            EXPECT_FALSE(plan.containers.empty()) << name;
            if (budget <= 1'000) {
                EXPECT_TRUE(plan.cut_short) << name;
                EXPECT_EQ(plan.stop, stop_reason::budget) << name;
            }
        }
    }
}

TEST(MixedLoad, BenchmarkClassesMadeAsPublished) {
    // BR1 instance 1 and BR2 instance 100 as the published files give them:
    // sides in cm longest first, which may stand vertical, quantity.
    struct row {
        std::size_t cls;
        int problem;
        std::vector<br_type> types;
    };
    const std::vector<row> rows = {
        {1,
         1,
         {{{108, 76, 30}, {false, false, true}, 40},
          {{110, 43, 25}, {false, true, true}, 33},
          {{92, 81, 55}, {true, true, true}, 39}}},
        {2,
         100,
         {{{78, 49, 47}, {true, true, true}, 24},
          {{46, 45, 43}, {true, true, true}, 25},
          {{98, 44, 36}, {false, true, true}, 33},
          {{100, 89, 31}, {false, false, true}, 34},
          {{108, 76, 47}, {false, true, true}, 23}}},
    };
    for (const row& r : rows) {
        const br_instance b = br_problem(r.cls, r.problem);
        EXPECT_EQ(b.container, (std::array<int, 3>{587, 233, 220}));
        ASSERT_EQ(b.types.size(), r.types.size()) << "BR" << r.cls;
        for (std::size_t t = 0; t < r.types.size(); ++t) {
            EXPECT_EQ(b.types[t].sides, r.types[t].sides) << "BR" << r.cls << " type " << t;
            EXPECT_EQ(b.types[t].vertical, r.types[t].vertical) << "BR" << r.cls << " type " << t;
            EXPECT_EQ(b.types[t].quantity, r.types[t].quantity) << "BR" << r.cls << " type " << t;
        }
    }
}

// A weighed order whose hard cartons (those nothing may stand on, those
// only the heaviest carry) a plan judged container by container by volume
// puts off to containers that hold little more than a floor of them: the
// order needs no more containers than stated, every one keeps the rules and
// a crew can load it, every container is balanced, and the same order
// plans alike twice.
TEST(MixedLoad, AWeighedOrderPutsItsHardCartonsInWhileThereIsRoom) {
    struct row {
        std::size_t cls;
        int problem;
        std::int64_t times;
        std::int64_t most;  // containers at most
    };
    // BR2 #51 took 5 containers (the last two under a third full), BR4 #51
    // 8 (three of them a floor of one type nothing may stand on); BR7 #1
    // left its third container, 90 % full, 47 cm off the middle along the
    // length when a load out of balance counted as holding 2 % less.
    for (const row& o : {row{2, 51, 3, 4}, row{4, 51, 3, 6}, row{7, 1, 3, 4}}) {
        const std::string name = "BR" + std::to_string(o.cls) + " #" + std::to_string(o.problem);
        mixed_request r = test_support::br_order(o.cls, o.problem, o.times, true);
        r.parameters.work_budget = 300'000'000;
        const mixed_plan plan = plan_mixed_load(r);
        expect_valid(r, plan, name);
        EXPECT_FALSE(plan.cut_short) << name;
        EXPECT_LE(container_count(plan), o.most) << name;
        for (const container_load& load : plan.containers) {
            EXPECT_TRUE(loading_walls(load.blocks, rules_of(r.cartons)).check.valid()) << name;
            const std::optional<balance_figures> f =
                balance_of(load.blocks, rules_of(r.cartons), {r.container, r.payload}, 0.05);
            EXPECT_TRUE(!f || f->holds) << name;
        }
        const mixed_plan again = plan_mixed_load(r);
        ASSERT_EQ(again.containers.size(), plan.containers.size()) << name;
        for (std::size_t i = 0; i < plan.containers.size(); ++i)
            EXPECT_EQ(again.containers[i].blocks, plan.containers[i].blocks) << name;
    }
}

// The fewest containers a list takes: by volume, by weight, and with heavy
// not on light the room lost over cartons nothing may stand on that only
// the floor carries.
TEST(MixedLoad, FewestContainersCountTheRoomLostOverFloorCartons) {
    const auto list = [](std::int64_t heavy, double carrier_kg, bool heavy_not_on_light) {
        mixed_request r;
        r.container = {1000, 1000, 1000};
        // Stood on its tallest side, 500 high: 250 x 500 of floor and the
        // 500 over it lost, as much as its volume again.
        r.cartons = {{"machine", {500, 500, 250}, heavy, 50.0, orientation_set::any(), false},
                     {"box", {100, 100, 100}, 1, carrier_kg, orientation_set::any(), true}};
        r.weights.heavy_not_on_light = heavy_not_on_light;
        return r;
    };
    struct row {
        const char* name;
        mixed_request request;
        std::int64_t fewest;
    };
    mixed_request exactly_two;
    exactly_two.container = {1000, 1000, 1000};
    exactly_two.cartons = {{"cube", {500, 500, 500}, 16, std::nullopt}};
    mixed_request heavy_load = exactly_two;
    heavy_load.cartons[0].quantity = 3;
    heavy_load.cartons[0].weight = 40.0;
    heavy_load.payload = 100.0;
    const std::vector<row> rows = {
        {"by volume, exactly two", exactly_two, 2},
        {"by the payload", heavy_load, 2},
        {"floor cartons' room lost", list(8, 10.0, true), 2},
        {"without heavy not on light", list(8, 10.0, false), 1},
        {"a heavier type carries them", list(8, 60.0, true), 1},
        {"room to spare", list(7, 10.0, true), 1},
    };
    for (const row& r : rows) EXPECT_EQ(fewest_containers(r.request), r.fewest) << r.name;
}

}  // namespace
}  // namespace varnel
