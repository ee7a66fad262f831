#include "engine/core/loading_walls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/block_tables.h"
#include "engine/calculation.h"
#include "engine/single/mixed_one_type.h"
#include "engine/single/optimise.h"
#include "engine/single/partial_load.h"
#include "tests/support/mixed_lists.h"
#include "tests/support/worked_example.h"

namespace varnel {
namespace {

carton_rules as_pallet(carton_rules r) {
    r.pallet = true;
    return r;
}

// Cubes of 50 cm, a carton 2 m long along the container, and loaded pallets
// of 50 cm.
const std::vector<carton_rules> cube_and_long{single_carton(500, 500, 500),
                                              single_carton(500, 2000, 500),
                                              as_pallet(single_carton(500, 500, 500))};

carton_block cube(double x, double y, double z, std::int16_t along = 1) {
    return {x, y, z, 1, 1, along, 1, 0};
}

carton_block pallet(double x, double y, double z, std::int16_t along = 1) {
    return {x, y, z, 1, 1, along, 1, 2};
}

struct order_row {
    const char* name;
    block_list steps;
    order_fault fault;
    std::optional<std::size_t> step;
};

TEST(LoadingOrderCheck, EachRuleBrokenOnce) {
    const carton_block long_one{0, 0, 0, 1, 1, 1, 1, 1};
    const carton_block long_on_it{0, 0, 500, 1, 1, 1, 1, 1};
    const order_row rows[] = {
        {"far end first, then what stands on it over the near one",
         {cube(0, 0, 0), cube(0, 500, 0), cube(0, 0, 500)},
         order_fault::none,
         std::nullopt},
        {"the near one first walls in the far one",
         {cube(0, 500, 0), cube(0, 0, 0)},
         order_fault::blocked,
         1},
        {"in front but in another lane",
         {cube(500, 500, 0), cube(0, 0, 0)},
         order_fault::none,
         std::nullopt},
        {"in front but below",
         {cube(0, 0, 0), cube(0, 500, 0), cube(0, 0, 500)},
         order_fault::none,
         std::nullopt},
        {"2 m behind the load's face, on top",
         {cube(0, 0, 0, 4), cube(0, 0, 500)},
         order_fault::out_of_reach,
         1},
        {"1.5 m behind it", {cube(0, 0, 0, 3), cube(0, 0, 500)}, order_fault::none, std::nullopt},
        {"the face of another lane is no matter",
         {cube(0, 0, 0, 2), cube(500, 0, 0, 8), cube(0, 0, 500)},
         order_fault::none,
         std::nullopt},
        {"on the floor anything deep is reached",
         {cube(500, 0, 0, 8), cube(0, 0, 0)},
         order_fault::none,
         std::nullopt},
        {"a carton longer than the reach is pushed in from its end",
         {long_one, long_on_it},
         order_fault::none,
         std::nullopt},
        {"what it stands on comes after it",
         {cube(0, 0, 500), cube(0, 0, 0)},
         order_fault::support_after,
         0},
        // A fork-lift sets a pallet as deep as it goes, but through nothing.
        {"a pallet 2 m behind the load's face, on pallets",
         {pallet(0, 0, 0, 4), pallet(0, 0, 500)},
         order_fault::none,
         std::nullopt},
        {"a pallet behind a pallet", {pallet(0, 500, 0), pallet(0, 0, 0)}, order_fault::blocked, 1},
        {"a pallet before the pallet it stands on",
         {pallet(0, 0, 500), pallet(0, 0, 0)},
         order_fault::support_after,
         0},
    };
    for (const order_row& r : rows) {
        const order_check c = check_loading_order(r.steps, cube_and_long);
        EXPECT_EQ(c.fault, r.fault) << r.name;
        EXPECT_EQ(c.step, r.step) << r.name;
    }
}

// One carton's place, type and orientation: to compare two lists of blocks
// carton by carton.
using carton_place = std::tuple<long long, long long, long long, std::size_t, std::int16_t>;

std::multiset<carton_place> cartons_of(const block_list& blocks,
                                       std::span<const carton_rules> types) {
    std::multiset<carton_place> out;
    for (const carton_block& b : blocks) {
        const std::array<double, 3> e = rotated(types[b.type].size, b.orientation);
        for (int i = 0; i < b.count_x; ++i) {
            for (int j = 0; j < b.count_y; ++j) {
                for (int k = 0; k < b.count_z; ++k) {
                    out.insert({std::llround((b.x + i * e[0]) * 100),
                                std::llround((b.y + j * e[1]) * 100),
                                std::llround((b.z + k * e[2]) * 100), b.type, b.orientation});
                }
            }
        }
    }
    return out;
}

// The order of a plan holds exactly its cartons, its walls run from the far
// end to the door, and a crew can follow it.
void expect_followable(const block_list& blocks, std::span<const carton_rules> types,
                       const std::string& name) {
    const wall_order order = loading_walls(blocks, types);
    EXPECT_TRUE(order.check.valid()) << name << ": step " << order.check.step.value_or(0);
    EXPECT_EQ(check_loading_order(step_parts(order), types).fault, order_fault::none) << name;
    EXPECT_EQ(cartons_of(step_parts(order), types), cartons_of(blocks, types)) << name;
    std::size_t wall = 0;
    for (const wall_step& s : order.steps) {
        EXPECT_TRUE(s.wall == wall || s.wall == wall + 1) << name;
        wall = s.wall;
    }
    ASSERT_EQ(order.walls.size(), order.steps.empty() ? 0 : wall + 1) << name;
    for (std::size_t w = 1; w < order.walls.size(); ++w)
        EXPECT_LE(order.walls[w - 1].from, order.walls[w].from) << name;
}

TEST(LoadingWalls, EveryPlanKindLoadsFromTheDoor) {
    std::mt19937 random(37);
    std::uniform_int_distribution<int> side(250, 900);
    for (int instance = 0; instance < 6; ++instance) {
        const float l = static_cast<float>(side(random)), w = static_cast<float>(side(random)),
                    h = static_cast<float>(side(random));
        const std::string name =
            std::to_string(l) + " x " + std::to_string(w) + " x " + std::to_string(h);
        const calculation_input sizes{l, w, h, 2352, 12032, 2698};
        const std::vector<carton_rules> one{single_carton(l, w, h)};

        load_model model;
        run_calculation(model, sizes, false, true);
        expect_followable(standard_blocks(model), one, "standard " + name);

        optimise_request request{sizes};
        request.work_budget = 1'000'000;
        const block_list plan = optimise_plan(request).blocks;
        expect_followable(plan, one, "optimised " + name);
        const std::int64_t all = carton_count(plan);
        expect_followable(partial_load(plan, {l, w, h}, all * 2 / 3), one, "shipment " + name);
    }
    // Mixed plans, weighed and not: every container a crew can load from the
    // door.
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        mixed_request r = test_support::seeded_list(seed, seed % 2 == 0);
        r.parameters.work_budget = 50'000'000;
        const std::vector<carton_rules> types = rules_of(r.cartons);
        for (const container_load& c : plan_mixed_load(r).containers)
            expect_followable(c.blocks, types, "mixed seed " + std::to_string(seed));
    }
}

// A block along the whole length is cut into walls; one beside it of the
// same type and rows merges with it into one step per wall.
TEST(LoadingWalls, LongBlocksCutIntoWallsAndNeighboursMerged) {
    const std::vector<carton_rules> one{single_carton(500, 500, 500)};
    const block_list blocks{{0, 0, 0, 1, 1, 6, 2, 0}, {500, 0, 0, 1, 1, 6, 2, 0}};
    const wall_order order = loading_walls(blocks, one);
    ASSERT_EQ(order.walls.size(), 2u);
    EXPECT_DOUBLE_EQ(order.walls[0].to, 1500);
    EXPECT_DOUBLE_EQ(order.walls[1].from, 1500);
    EXPECT_DOUBLE_EQ(order.walls[1].to, 3000);
    ASSERT_EQ(order.steps.size(), 2u);
    EXPECT_EQ(order.steps[0].part, (carton_block{0, 0, 0, 1, 2, 3, 2, 0}));
}

// A staircase of 1 m cartons: the top one stands 25 cm from the far end on
// one that stands on the floor's second row, which ends 2 m in. No order
// reaches it from the floor, and the one given names it.
TEST(LoadingWalls, AStaircaseNamesTheStepOutOfReach) {
    const std::vector<carton_rules> types{single_carton(500, 500, 500),
                                          single_carton(500, 1000, 500)};
    const block_list blocks{{0, 0, 0, 1, 1, 2, 1, 1},
                            {0, 500, 500, 1, 1, 1, 1, 1},
                            {0, 0, 500, 1, 1, 1, 1, 0},
                            {0, 250, 1000, 1, 1, 1, 1, 1}};
    const wall_order order = loading_walls(blocks, types);
    EXPECT_EQ(cartons_of(step_parts(order), types), cartons_of(blocks, types));
    ASSERT_EQ(order.check.fault, order_fault::out_of_reach);
    EXPECT_EQ(order.steps[*order.check.step].part, blocks[3]);
}

}  // namespace
}  // namespace varnel
