#include "engine/stack_planning.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/calculation.h"
#include "tests/support/worked_example.h"

namespace varnel {
namespace {

struct expected_stack {
    int stage;
    float space_x, space_y, space_z;
    int orientation;
    int count_x, count_y, count_z;
    float origin_x, origin_y;
};

load_model planned(float width, float length, float height, float carton_length, float carton_width,
                   float carton_height, bool single, bool side, int* n = nullptr) {
    load_model m;
    const calculation_input in{carton_length, carton_width, carton_height, width, length, height};
    const plan_outcome out = run_calculation(m, in, single, side);
    EXPECT_EQ(out.status, search_status::ok);
    if (n) *n = out.stack_count;
    return m;
}

void expect_table(const stack_table& t, const std::vector<expected_stack>& want) {
    ASSERT_EQ(stack_count(t), static_cast<int>(want.size()));
    for (std::size_t i = 0; i < want.size(); ++i) {
        const stack_record& r = t[i];
        const expected_stack& e = want[i];
        SCOPED_TRACE("record " + std::to_string(i));
        EXPECT_EQ(r.stage, e.stage);
        EXPECT_NEAR(r.space_x, e.space_x, 0.005);
        EXPECT_NEAR(r.space_y, e.space_y, 0.005);
        EXPECT_NEAR(r.space_z, e.space_z, 0.005);
        EXPECT_EQ(r.orientation, e.orientation);
        EXPECT_EQ(r.count_x, e.count_x);
        EXPECT_EQ(r.count_y, e.count_y);
        EXPECT_EQ(r.count_z, e.count_z);
        EXPECT_NEAR(r.origin_x, e.origin_x, 0.005);
        EXPECT_NEAR(r.origin_y, e.origin_y, 0.005);
        EXPECT_EQ(r.in_use, 1);
    }
}

TEST(StackPlanning, FiveStacksInFrontOfAndBesideTheFirst) {
    int n = 0;
    const load_model m = planned(2350, 5900, 2390, 600, 850, 400, false, true, &n);
    EXPECT_EQ(n, 5);
    expect_table(m.stacks, {
                               {0, 2350, 5900, 2390, 1, 3, 6, 5, 350, 2600},
                               {1, 2350, 800, 2390, 2, 3, 2, 2, 350, 2600},
                               {1, 2350, 800, 690, 5, 2, 2, 1, 350, 2600},
                               {2, 550, 5900, 2390, 4, 1, 9, 2, 2150, 2600},
                               {2, 550, 5100, 690, 6, 1, 6, 1, 2886.849f, 2288.465f},
                           });
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(m.stacks[i].box_length, 600.0f);
        EXPECT_EQ(m.stacks[i].box_width, 850.0f);
        EXPECT_EQ(m.stacks[i].box_height, 400.0f);
    }
    // The same plan in drawing units, to the two decimals worked out by hand.
    const stack_table& d = m.draw_stacks;
    EXPECT_NEAR(d[0].box_length, 510.64, 0.005);
    EXPECT_NEAR(d[0].box_width, 720.34, 0.005);
    EXPECT_NEAR(d[0].box_height, 418.41, 0.005);
    // Scale factors are floats, so the whole container is drawn to within a
    // few ten-thousandths of its 2000 x 5000 x 2500 units.
    EXPECT_NEAR(d[0].space_x, 2000.0, 0.001);
    EXPECT_NEAR(d[0].space_y, 5000.0, 0.001);
    EXPECT_NEAR(d[0].space_z, 2500.0, 0.001);
    EXPECT_NEAR(d[1].box_length, 510.64, 0.005);
    EXPECT_NEAR(d[1].box_width, 889.12, 0.005);  // on its side: width along Z
    EXPECT_NEAR(d[1].box_height, 338.98, 0.005);
    EXPECT_NEAR(d[3].origin_x, 1881.91, 0.005);
    EXPECT_EQ(d[3].origin_y, 2600.0f);
    EXPECT_NEAR(d[4].space_x, 468.09, 0.005);
    EXPECT_NEAR(d[4].space_y, 4322.03, 0.005);
    EXPECT_NEAR(d[4].space_z, 721.76, 0.005);
    EXPECT_NEAR(d[4].origin_x, 2506.36, 0.005);
    EXPECT_NEAR(d[4].origin_y, 2335.99, 0.005);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(d[i].count_x, m.stacks[i].count_x);
        EXPECT_EQ(d[i].orientation, m.stacks[i].orientation);
        EXPECT_EQ(d[i].stage, m.stacks[i].stage);
    }
}

TEST(StackPlanning, RoomAboveTheFirstStackRunsTheFullLengthWhenNoColumnIsTaller) {
    int n = 0;
    const load_model m = planned(2350, 5900, 2390, 550, 600, 1200, false, true, &n);
    EXPECT_EQ(n, 5);
    expect_table(m.stacks, {
                               {0, 2350, 5900, 2390, 2, 4, 4, 3, 350, 2600},
                               {1, 2350, 1100, 2390, 3, 3, 2, 1, 350, 2600},
                               {1, 2350, 1100, 1190, 4, 1, 2, 1, 350, 2600},
                               {3, 2350, 5900, 590, 5, 3, 4, 1, 350, 2600},
                               {3, 2350, 1100, 590, 6, 1, 1, 1, 350, 2600},
                           });
}

TEST(StackPlanning, EmptyStageOneStillTriesTheRoomAbove) {
    // Stack 0 takes the whole length, so nothing stands in front of it and
    // stage 2 is skipped; the room above spans the container.
    int n = 0;
    const load_model m = planned(1500, 1500, 1800, 400, 200, 150, false, true, &n);
    EXPECT_EQ(n, 2);
    expect_table(m.stacks, {
                               {0, 1500, 1500, 1800, 5, 7, 10, 4, 350, 2600},
                               {3, 1500, 1500, 200, 2, 3, 10, 1, 350, 2600},
                           });
}

TEST(StackPlanning, StripBesideANarrowerFirstStackRunsOnlyAlongIt) {
    // Stack 1a (1500 wide) is wider than stack 0 (1300): the strip beside
    // stack 0 is only as long as stack 0 and starts at L - uy_0.
    int n = 0;
    const load_model m = planned(1500, 1700, 2400, 650, 500, 200, false, true, &n);
    EXPECT_EQ(n, 3);
    expect_table(m.stacks, {
                               {0, 1500, 1700, 2400, 1, 2, 3, 12, 350, 2600},
                               {1, 1500, 200, 2400, 5, 3, 1, 3, 350, 2600},
                               {2, 200, 1500, 2400, 6, 1, 3, 3, 1834.212f, 2522.116f},
                           });
    EXPECT_NEAR(m.draw_stacks[2].origin_x, 2625.134, 0.005);
    EXPECT_NEAR(m.draw_stacks[2].origin_y, 2370.93, 0.005);
}

TEST(StackPlanning, SinglePlacementStopsAfterTheFirstStack) {
    int n = 0;
    const load_model m = planned(2350, 5900, 2390, 600, 850, 400, true, true, &n);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(m.stacks[1].in_use, 0);
    EXPECT_EQ(m.draw_stacks[1].in_use, 0);
}

TEST(StackPlanning, NothingFitsLeavesBothTablesCleared) {
    int n = -1;
    const load_model m = planned(1000, 1000, 1000, 1200, 300, 300, false, true, &n);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(stack_count(m.stacks), 0);
    EXPECT_EQ(stack_count(m.draw_stacks), 0);
    EXPECT_EQ(m.stacks[0].stage, -1);
}

TEST(StackPlanning, ANewRunReplacesEveryRecordOfTheLastOne) {
    load_model m;
    run_calculation(m, test_support::worked_example_mm, false, true);
    ASSERT_EQ(stack_count(m.stacks), 5);
    const plan_outcome again = run_calculation(m, test_support::worked_example_mm, true, true);
    EXPECT_EQ(again.stack_count, 1);
    for (std::size_t i = 1; i < 5; ++i) {
        EXPECT_EQ(m.stacks[i].in_use, 0);
        EXPECT_EQ(m.draw_stacks[i].count_x, 0);
    }
}

// Whatever the sizes, a plan keeps the load model's invariants: every stack
// fits its space, stages never go back, both tables describe the same stacks.
TEST(StackPlanning, RandomPlansKeepTheInvariants) {
    std::mt19937 rng(20261208);
    std::uniform_real_distribution<float> container(1000, 14000), carton(150, 2500);
    std::bernoulli_distribution coin;
    for (int round = 0; round < 3000; ++round) {
        const float w = container(rng) / 4, l = container(rng), h = container(rng) / 4;
        int n = 0;
        const load_model m =
            planned(w, l, h, carton(rng), carton(rng), carton(rng), coin(rng), coin(rng), &n);
        ASSERT_LE(n, max_planned_stacks);
        ASSERT_EQ(stack_count(m.stacks), n);
        ASSERT_EQ(stack_count(m.draw_stacks), n);
        for (int i = 0; i < n; ++i) {
            const stack_record& r = m.stacks[static_cast<std::size_t>(i)];
            const stack_record& d = m.draw_stacks[static_cast<std::size_t>(i)];
            const int o = r.orientation;
            ASSERT_GE(r.count_x, 1);
            ASSERT_GE(r.count_y, 1);
            ASSERT_GE(r.count_z, 1);
            ASSERT_LE(r.count_x * extent_x(r.box_length, r.box_width, r.box_height, o),
                      r.space_x * 1.00001f);
            ASSERT_LE(r.count_y * extent_y(r.box_length, r.box_width, r.box_height, o),
                      r.space_y * 1.00001f);
            ASSERT_LE(r.count_z * extent_z(r.box_length, r.box_width, r.box_height, o),
                      r.space_z * 1.00001f);
            if (m.side_allowed == 0) {
                ASSERT_FALSE(lies_on_side(o));
            }
            if (i > 0) {
                ASSERT_GE(r.stage, m.stacks[static_cast<std::size_t>(i) - 1].stage);
            }
            ASSERT_EQ(d.count_x, r.count_x);
            ASSERT_EQ(d.count_y, r.count_y);
            ASSERT_EQ(d.count_z, r.count_z);
            ASSERT_EQ(d.orientation, o);
            ASSERT_EQ(d.stage, r.stage);
        }
        if (n > 0) {
            EXPECT_EQ(m.stacks[0].stage, 0);
            EXPECT_EQ(m.stacks[0].space_x, w);
            EXPECT_EQ(m.stacks[0].space_y, l);
            EXPECT_EQ(m.stacks[0].space_z, h);
        }
    }
}

}  // namespace
}  // namespace varnel
