#include <gtest/gtest.h>

#include "engine/block_tables.h"
#include "engine/summary.h"
#include "plan/plan_format.h"
#include "tests/support/worked_example.h"

namespace varnel {
namespace {

// Blocks become tables, the tables a plan file, and reading it back gives the
// same stacks and cartons.
TEST(BlockPlan, SurvivesAPlanFile) {
    // A 40-foot container and cartons of 58.5 x 38.5 x 45 cm.
    load_model m = test_support::model_of({585, 385, 450, 2350, 12032, 2392});
    block_list blocks{{0, 0, 0, 1, 4, 31, 5}};
    for (std::int16_t i = 0; i < 30; ++i) {
        blocks.push_back({0, 0, 2250, static_cast<std::int16_t>(i % 2 ? 1 : 3), 1, 1, 0});
        blocks.back().x = 385.0 * i / 30;
        blocks.back().count_z = 1;
    }
    ASSERT_TRUE(blocks_to_tables(m, blocks));
    const plan_totals written = count_plan(m.stacks);

    load_model back;
    const plan_read_result r =
        read_plan(write_plan(m.draw_stacks, m.stacks), back.draw_stacks, back.stacks);
    ASSERT_EQ(r.status, plan_read_status::ok);
    EXPECT_FALSE(r.had_errors);
    EXPECT_EQ(r.records_to_draw(), 31);
    const plan_totals read = count_plan(back.stacks);
    EXPECT_EQ(read.stacks, 31);
    EXPECT_EQ(read.cartons, written.cartons);
    EXPECT_EQ(read.cartons, 620 + 30);
    EXPECT_EQ(read.utilisation, written.utilisation);
}

}  // namespace
}  // namespace varnel
