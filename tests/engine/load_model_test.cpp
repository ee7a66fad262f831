#include "engine/load_model.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(Extents, FollowTheOrientationTable) {
    // Carton 1 long, 2 wide, 3 high: each orientation's extents on X, Y, Z.
    const struct {
        int orientation;
        float x, y, z;
    } cases[] = {
        {1, 1, 2, 3}, {2, 1, 3, 2}, {3, 2, 1, 3}, {4, 3, 1, 2},
        {5, 2, 3, 1}, {6, 3, 2, 1}, {0, 0, 0, 0}, {7, 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(extent_x(1, 2, 3, c.orientation), c.x) << c.orientation;
        EXPECT_EQ(extent_y(1, 2, 3, c.orientation), c.y) << c.orientation;
        EXPECT_EQ(extent_z(1, 2, 3, c.orientation), c.z) << c.orientation;
    }
}

TEST(ScaleBox, EachDimensionTakesTheScaleOfItsAxis) {
    // kx 2, ky 10, kz 100 make the axis of each dimension visible.
    EXPECT_EQ((scale_box(1, 1, 1, 1, 2, 10, 100).length), 2.0f);
    EXPECT_EQ((scale_box(1, 1, 1, 1, 2, 10, 100).width), 10.0f);
    const box_size upright_turned = scale_box(1, 1, 1, 3, 2, 10, 100);
    EXPECT_EQ(upright_turned.length, 10.0f);
    EXPECT_EQ(upright_turned.width, 2.0f);
    EXPECT_EQ(upright_turned.height, 100.0f);
    const box_size on_side = scale_box(1, 1, 1, 2, 2, 10, 100);
    EXPECT_EQ(on_side.width, 100.0f);
    EXPECT_EQ(on_side.height, 10.0f);
}

TEST(StackTable, ClearingKeepsSpacesAndResetsTheRest) {
    stack_table t{};
    stack_record r;
    r.box_length = 600;
    r.space_x = 2350;
    r.space_y = 5900;
    r.space_z = 2390;
    r.count_x = 3;
    r.orientation = 4;
    r.in_use = 1;
    r.stage = 2;
    ASSERT_TRUE(fill_record(t, 30, r));
    clear_table(t);
    EXPECT_EQ(t[30].space_x, 2350.0f);
    EXPECT_EQ(t[30].space_z, 2390.0f);
    EXPECT_EQ(t[30].box_length, 0.0f);
    EXPECT_EQ(t[30].count_x, 0);
    EXPECT_EQ(t[30].in_use, 0);
    EXPECT_EQ(t[30].orientation, 1);
    EXPECT_EQ(t[30].stage, -1);
}

TEST(StackTable, FillOutsideTheTableWritesNothing) {
    stack_table t{};
    stack_record r;
    r.in_use = 1;
    EXPECT_FALSE(fill_record(t, 31, r));
    EXPECT_FALSE(fill_record(t, -1, r));
    EXPECT_EQ(stack_count(t), 0);
}

TEST(StackTable, CountStopsAtTheFirstRecordNotInUse) {
    stack_table t{};
    for (int i : {0, 1, 3}) t[static_cast<std::size_t>(i)].in_use = 1;
    EXPECT_EQ(stack_count(t), 2);
    t[2].in_use = 2;  // only 1 counts as in use
    EXPECT_EQ(stack_count(t), 2);
    for (auto& r : t) r.in_use = 1;
    EXPECT_EQ(stack_count(t), 31);
}

}  // namespace
}  // namespace varnel
