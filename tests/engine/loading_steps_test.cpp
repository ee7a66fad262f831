#include "engine/loading_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/block_tables.h"
#include "engine/calculation.h"
#include "engine/single/optimise.h"
#include "engine/summary.h"
#include "tests/support/mixed_example.h"
#include "tests/support/worked_example.h"

namespace varnel {
namespace {

using test_support::worked_example_mm;

// One step as the loader reads it; positions in millimetres.
struct row {
    std::size_t type;
    const char* count;
    const char* stance;
    double far_end, left, floor;
    std::int64_t running_total;
};

// The first steps of a load as expected, and how many there are.
void expect_steps(const block_list& blocks, const std::vector<report_carton>& types,
                  const std::vector<row>& expected, const std::vector<std::size_t>& order,
                  std::size_t count) {
    const std::vector<loading_step> steps = loading_steps(blocks, types);
    ASSERT_EQ(steps.size(), count);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        const loading_step& s = steps[i];
        const row& e = expected[i];
        EXPECT_EQ(s.block, order[i]);
        EXPECT_EQ(s.type, e.type);
        EXPECT_EQ(count_text(s), e.count);
        EXPECT_EQ(stance_text(s.orientation), e.stance);
        EXPECT_DOUBLE_EQ(s.from_far_end, e.far_end);
        EXPECT_DOUBLE_EQ(s.from_left, e.left);
        EXPECT_DOUBLE_EQ(s.from_floor, e.floor);
        EXPECT_EQ(s.running_total, e.running_total);
    }
}

report_carton carton(const char* name, double l, double w, double h, std::optional<double> kg) {
    report_carton c;
    c.name = name;
    c.size = {l, w, h};
    c.weight = kg;
    return c;
}

// Two types standing in for a mixed plan, listed out of loading order: A
// 60 x 85 x 40, B 50 x 40 x 30 cm. A's first block is on the floor at the
// far end; B's first stands on it; B's second beside A's first; A's second
// in front of it.
block_list two_types() {
    return {
        {0, 1700, 0, 2, 3, 2, 1, 0},  // A lying, 3 x 2 x 1
        {0, 0, 800, 3, 4, 3, 1, 1},   // B on A, 4 x 3 x 1
        {1800, 0, 0, 5, 1, 5, 4, 1},  // B beside A, on end, 1 x 5 x 4
        {0, 0, 0, 1, 3, 2, 2, 0},     // A upright, 3 x 2 x 2
    };
}

std::vector<report_carton> two_type_list(std::optional<double> b_weight = 5.0) {
    return {carton("A", 600, 850, 400, 20.0), carton("B", 500, 400, 300, b_weight)};
}

TEST(LoadingSteps, WorkedExampleAndTwoTypesInLoadingOrderAndWords) {
    load_model model;
    run_calculation(model, worked_example_mm, false, true);
    const std::vector<report_carton> one{carton("", 600, 850, 400, std::nullopt)};
    // Walls of one 85 cm row of the first stack each, the second stack's
    // 60 cm rows beside it and the 85 cm rows standing on them: the first
    // wall of the seven, far end first, bottom up.
    expect_steps(standard_blocks(model), one,
                 {
                     {0, "3列 × 1排 × 5层", "宽边沿集装箱长度方向，高度朝上", 0, 0, 0, 15},
                     {0, "1列 × 2排 × 2层", "长边沿集装箱长度方向，宽度朝上", 0, 1800, 0, 19},
                     {0, "1列 × 1排 × 1层", "宽边沿集装箱长度方向，长度朝上", 0, 1800, 1700, 20},
                 },
                 {0, 3, 4}, 22);
    // The upright A's 85 cm rows make two walls: the B on it only as far as
    // the A's row under it reaches; the lying A in front makes the third.
    expect_steps(two_types(), two_type_list(),
                 {
                     {0, "3列 × 1排 × 2层", "宽边沿集装箱长度方向，高度朝上", 0, 0, 0, 6},
                     {1, "1列 × 5排 × 4层", "高边沿集装箱长度方向，长度朝上", 0, 1800, 0, 26},
                     {1, "4列 × 1排 × 1层", "长边沿集装箱长度方向，高度朝上", 0, 0, 800, 30},
                     {0, "3列 × 1排 × 2层", "宽边沿集装箱长度方向，高度朝上", 850, 0, 0, 36},
                     {1, "4列 × 2排 × 1层", "长边沿集装箱长度方向，高度朝上", 500, 0, 800, 44},
                     {0, "3列 × 2排 × 1层", "高边沿集装箱长度方向，宽度朝上", 1700, 0, 0, 50},
                 },
                 {3, 2, 1, 3, 1, 0}, 6);
}

TEST(LoadingSteps, EveryOrientationInALoadersWords) {
    const char* const expected[] = {
        "宽边沿集装箱长度方向，高度朝上", "高边沿集装箱长度方向，宽度朝上",
        "长边沿集装箱长度方向，高度朝上", "长边沿集装箱长度方向，宽度朝上",
        "高边沿集装箱长度方向，长度朝上", "宽边沿集装箱长度方向，长度朝上",
    };
    for (std::int16_t o = 1; o <= 6; ++o) EXPECT_EQ(stance_text(o), expected[o - 1]) << o;
}

// A load added to a report is summarised over the report's types and
// container: with every weight, a weight and a centre; without, neither.
TEST(LoadingSteps, ALoadCarriesTheFiguresOfItsContainer) {
    loading_report r;
    r.container = {"", {2350, 5900, 2390}, 26000.0};
    r.types = two_type_list();
    add_load(r, "", two_types());
    const container_summary& f = r.loads[0].figures;
    EXPECT_EQ(f.per_type[0].cartons, 18);
    EXPECT_EQ(f.per_type[1].cartons, 32);
    EXPECT_EQ(f.cartons, 50);
    EXPECT_FLOAT_EQ(cut_percent(f.utilisation), 16.87f);  // 5.592 of 33.137 cubic metres
    ASSERT_TRUE(f.weight);
    EXPECT_DOUBLE_EQ(*f.weight, 18 * 20.0 + 32 * 5.0);
    // 240 kg at 85 cm, 120 kg at 210 cm, 160 kg at 75 cm from the far end.
    ASSERT_TRUE(f.centre_of_gravity);
    EXPECT_NEAR((*f.centre_of_gravity)[1], (240 * 850.0 + 120 * 2100.0 + 160 * 750.0) / 520.0,
                1e-9);

    r.types = two_type_list(std::nullopt);
    add_load(r, "", two_types());
    EXPECT_FALSE(r.loads[1].figures.weight);
    EXPECT_FALSE(r.loads[1].figures.centre_of_gravity);
    EXPECT_FALSE(r.loads[1].weights.most_carried);

    // B on end four high: its bottom carton carries three of 5 kg, of the 20
    // it may; the cargo lies far from the middle of the length.
    r.types = two_type_list();
    r.types[1].max_load = 20.0;
    r.balance_share = 0.05;
    add_load(r, "", two_types());
    const weight_figures& b = r.loads[2].weights;
    ASSERT_TRUE(b.most_carried && b.carried_allowed);
    EXPECT_NEAR(*b.most_carried, 15.0, 1e-9);
    EXPECT_EQ(*b.carried_allowed, 20.0);
    ASSERT_TRUE(b.balance);
    EXPECT_NEAR(b.balance->offset[1], (*r.loads[0].figures.centre_of_gravity)[1] - 2950, 1e-6);
    EXPECT_NEAR(b.balance->band[1], 295, 1e-9);
    EXPECT_FALSE(b.balance->holds);
}

// Every optimised plan's steps as the report reads them: each a box of
// the block's cartons whose counts, corner and running total are its part's,
// never before a step under it, and together every carton of the plan.
TEST(LoadingSteps, OptimisedPlansLoadInAnOrderALoaderCanFollow) {
    std::mt19937 random(25);
    std::uniform_int_distribution<int> side(250, 900);
    for (int instance = 0; instance < 8; ++instance) {
        const float l = static_cast<float>(side(random)), w = static_cast<float>(side(random)),
                    h = static_cast<float>(side(random));
        SCOPED_TRACE(std::to_string(l) + " " + std::to_string(w) + " " + std::to_string(h));
        optimise_request request{{l, w, h, 2350, 5900, 2390}};
        request.work_budget = 1'000'000;
        const block_list blocks = optimise_plan(request).blocks;
        const std::vector<report_carton> types{carton("", l, w, h, std::nullopt)};
        const std::vector<loading_step> steps = loading_steps(blocks, types);

        std::int64_t total = 0;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const loading_step& s = steps[i];
            const carton_block& b = s.part;
            EXPECT_EQ(b.orientation, blocks[s.block].orientation);
            total += std::int64_t{b.count_x} * b.count_y * b.count_z;
            EXPECT_EQ(s.running_total, total);
            EXPECT_EQ(s.columns * s.rows * s.layers, s.cartons);
            EXPECT_EQ(std::tie(s.columns, s.rows, s.layers),
                      std::tie(b.count_x, b.count_y, b.count_z));
            EXPECT_EQ(std::tie(s.from_left, s.from_far_end, s.from_floor), std::tie(b.x, b.y, b.z));
            const block_extent one = extent_of({0, 0, 0, b.orientation, 1, 1, 1}, l, w, h);
            EXPECT_EQ(s.carton, (std::array<double, 3>{one.x, one.y, one.z}));
            // Whatever this step stands on came before it.
            const block_extent e = extent_of(b, l, w, h);
            for (std::size_t j = 0; j < steps.size(); ++j) {
                const carton_block& u = steps[j].part;
                const block_extent f = extent_of(u, l, w, h);
                const bool under = std::fabs(u.z + f.z - b.z) < 0.01 && u.x < b.x + e.x &&
                                   b.x < u.x + f.x && u.y < b.y + e.y && b.y < u.y + f.y;
                if (under) {
                    EXPECT_LT(j, i);
                }
            }
        }
        EXPECT_EQ(total, carton_count(blocks));
    }
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// A mixed order's report: the list as its types in its colours, one load a
// container, headed only when there are several, and what it leaves.
TEST(LoadingSteps, MixedOrderReport) {
    const mixed_plan_file two = test_support::mixed_example();
    mixed_plan_file one = two;
    one.plan.containers.resize(1);
    one.plan.unloaded = {0, 0};
    struct order {
        const mixed_plan_file* file;
        std::vector<std::string> headings;
        std::vector<std::string> notes;
    };
    for (const order& r :
         {order{&two, {"第1个集装箱（共2个）", "第2个集装箱（共2个）"}, {"未装入2个包装箱"}},
          order{&one, {""}, {}}}) {
        const mixed_plan_file& f = *r.file;
        const mixed_summary summary = summarise_mixed(f.plan, f.cartons, f.container.size);
        const loading_report report =
            mixed_loading_report("20尺柜", f.container, f.cartons, f.plan, summary);
        EXPECT_EQ(report.container.name, "20尺柜");
        EXPECT_EQ(report.container.size, f.container.size);
        ASSERT_EQ(report.types.size(), 2u);
        EXPECT_EQ(report.types[1].name, "B");
        EXPECT_EQ(report.types[1].colour, 1u);
        EXPECT_EQ(report.types[0].weight, 12.5);
        EXPECT_EQ(report.order_containers, static_cast<std::int64_t>(r.headings.size()));
        ASSERT_EQ(report.loads.size(), r.headings.size());
        for (std::size_t k = 0; k < r.headings.size(); ++k) {
            EXPECT_EQ(report.loads[k].heading, r.headings[k]);
            EXPECT_EQ(report.loads[k].blocks, f.plan.containers[k].blocks);
            EXPECT_EQ(report.loads[k].figures.cartons, summary.containers[k].cartons);
        }
        EXPECT_EQ(report.notes, r.notes);
        const auto steps = loading_steps(report.loads[0].blocks, report.types);
        ASSERT_EQ(steps.size(), 2u);
        EXPECT_EQ(steps.back().running_total, 8);
    }
}

}  // namespace
}  // namespace varnel
