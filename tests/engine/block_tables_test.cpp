#include "engine/block_tables.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/calculation.h"
#include "engine/single/bound_text.h"
#include "engine/summary.h"
#include "tests/support/worked_example.h"

namespace varnel {
namespace {

struct placed {
    double x, y, z;
    int orientation, nx, ny, nz;
};

void expect_blocks(const block_list& got, std::initializer_list<placed> want) {
    ASSERT_EQ(got.size(), want.size());
    std::size_t i = 0;
    for (const placed& p : want) {
        const carton_block& b = got[i++];
        EXPECT_NEAR(b.x, p.x, 1e-3) << "block " << i;
        EXPECT_NEAR(b.y, p.y, 1e-3) << "block " << i;
        EXPECT_NEAR(b.z, p.z, 1e-3) << "block " << i;
        EXPECT_EQ(b.orientation, p.orientation) << "block " << i;
        EXPECT_EQ(b.count_x, p.nx) << "block " << i;
        EXPECT_EQ(b.count_y, p.ny) << "block " << i;
        EXPECT_EQ(b.count_z, p.nz) << "block " << i;
    }
}

TEST(StackBlocks, StandWhereTheirSpacesPutThem) {
    load_model m;
    // Stage 2 along stack 0 (2b) and stage 1 on top of 1a (1b).
    run_calculation(m, test_support::worked_example_mm, false, true);
    expect_blocks(standard_blocks(m), {{0, 0, 0, 1, 3, 6, 5},
                                       {0, 5100, 0, 2, 3, 2, 2},
                                       {0, 5100, 1700, 5, 2, 2, 1},
                                       {1800, 0, 0, 4, 1, 9, 2},
                                       {1800, 0, 1700, 6, 1, 6, 1}});
    // Stage 3 over the full length: 3b stands in front of 3a.
    run_calculation(m, {550, 600, 1200, 2350, 5900, 2390}, false, true);
    expect_blocks(standard_blocks(m), {{0, 0, 0, 2, 4, 4, 3},
                                       {0, 4800, 0, 3, 3, 2, 1},
                                       {0, 4800, 1200, 4, 1, 2, 1},
                                       {0, 0, 1800, 5, 3, 4, 1},
                                       {0, 4800, 1800, 6, 1, 1, 1}});
}

// Where the view draws a record's near, bottom, left corner: the stack
// geometry's point (0, near, 0).
std::pair<double, double> drawn_corner(const stack_record& r) {
    const double ey = extent_y(r.box_length, r.box_width, r.box_height, r.orientation);
    const double near = r.space_y - r.count_y * ey;
    return {r.origin_x + near * std::cos(0.4), r.origin_y + r.space_z - near * std::sin(0.4)};
}

TEST(BlocksToTables, TheViewDrawsEveryBlockWhereItStands) {
    load_model m = test_support::model_of(test_support::worked_example_mm);
    const block_list blocks{{1800, 0, 1700, 6, 1, 6, 1},
                            {0, 0, 0, 1, 3, 6, 5},
                            {0, 5100, 0, 2, 3, 2, 2},
                            {1800, 0, 0, 4, 1, 9, 2}};
    ASSERT_TRUE(blocks_to_tables(m, blocks));
    ASSERT_EQ(stack_count(m.stacks), 4);
    EXPECT_EQ(count_plan(m.stacks).cartons, carton_count(blocks));
    EXPECT_EQ(m.stacks[0].space_x * m.stacks[0].space_y * m.stacks[0].space_z,
              2350.f * 5900 * 2390);
    EXPECT_EQ(m.stacks[0].count_z, 5);  // the corner block comes first

    const double kx = 2000.0 / 2350, ky = 5000.0 / 5900, kz = 2500.0 / 2390;
    for (std::size_t i = 0; i < 4; ++i) {
        const carton_block& b = i == 0 ? blocks[1] : blocks[i == 1 ? 0 : i];
        const block_extent e = extent_of(b, 600, 850, 400);
        const double near = 5900 - b.y - e.y;  // from the container's near end
        const auto [x, y] = drawn_corner(m.draw_stacks[i]);
        EXPECT_NEAR(x, 350 + b.x * kx + near * ky * std::cos(0.4), 0.05) << i;
        EXPECT_NEAR(y, 2600 + 2500 - b.z * kz - near * ky * std::sin(0.4), 0.05) << i;
    }
}

// The tables keep no positions; placed_blocks reads them back from the
// projected corners, and takes a standard plan's from its spaces.
TEST(PlacedBlocks, ReadBackWhatTheTablesHold) {
    load_model m;
    run_calculation(m, {600, 850, 400, 2350, 5900, 2390}, false, true);
    const block_list standard = standard_blocks(m);
    EXPECT_EQ(placed_blocks(m), standard);

    ASSERT_TRUE(blocks_to_tables(m, {{1800, 0, 1700, 6, 1, 6, 1},
                                     {0, 0, 0, 1, 3, 6, 5},
                                     {0, 5100, 0, 2, 3, 2, 2},
                                     {1800, 0, 0, 4, 1, 9, 2}}));
    expect_blocks(placed_blocks(m), {{0, 0, 0, 1, 3, 6, 5},
                                     {1800, 0, 1700, 6, 1, 6, 1},
                                     {0, 5100, 0, 2, 3, 2, 2},
                                     {1800, 0, 0, 4, 1, 9, 2}});
}

TEST(BlocksToTables, RefusesListsTheTablesCannotHold) {
    load_model m;
    m.container_width = m.container_length = m.container_height = 3000;
    m.carton_length = m.carton_width = m.carton_height = 150;
    const block_list too_many(32, carton_block{0, 0, 0, 1, 1, 1, 1});
    const block_list no_corner{{150, 0, 0, 1, 1, 1, 1}};
    for (const block_list& blocks : {block_list{}, too_many, no_corner}) {
        EXPECT_FALSE(blocks_to_tables(m, blocks));
        EXPECT_EQ(stack_count(m.stacks), 0);
        EXPECT_EQ(stack_count(m.draw_stacks), 0);
    }
}

TEST(BoundText, ProvenOrTheShareCutToTwoDecimals) {
    const struct {
        std::int64_t cartons, bound;
        const char* text;
    } cases[] = {
        {130, 130, "已是最优方案：最多只能放130个包装箱"},
        {2, 3, "理论上最多可放3个包装箱，本方案已达其66.66%"},
        {999, 1000, "理论上最多可放1000个包装箱，本方案已达其99.9%"},
        {1, 7, "理论上最多可放7个包装箱，本方案已达其14.28%"},
    };
    for (const auto& c : cases) EXPECT_EQ(bound_text(c.cartons, c.bound), c.text);
}

}  // namespace
}  // namespace varnel
