#include "engine/summary.h"

#include <gtest/gtest.h>

#include "engine/calculation.h"

namespace varnel {
namespace {

summary_texts summarise(calculation_input in, bool single, bool side) {
    load_model m;
    run_calculation(m, in, single, side);
    return write_summary(m.stacks);
}

TEST(Summary, TextsOfWholePlans) {
    const struct {
        calculation_input input;
        bool single, side;
        const char* utilisation;
        const char* arrangement;
    } cases[] = {
        // clang-format off
        {{600, 850, 400, 2350, 5900, 2390}, false, true, "集装箱的利用效率：80.03%",
         "分5堆摆放共放130个包装箱"},
        {{550, 600, 1200, 2350, 5900, 2390}, false, true, "集装箱的利用效率：82.45%",
         "分5堆摆放共放69个包装箱"},
        // 74.7796... is cut to 74.77, never rounded up to 74.78.
        {{600, 400, 300, 2350, 12000, 2390}, true, false, "集装箱的利用效率：74.77%",
         "分1堆摆放共放700个包装箱"},
        {{500, 1000, 500, 2000, 5000, 2500}, false, true, "集装箱的利用效率：100%",
         "分1堆摆放共放100个包装箱"},
        // clang-format on
    };
    for (const auto& c : cases) {
        const summary_texts t = summarise(c.input, c.single, c.side);
        EXPECT_EQ(t.utilisation, c.utilisation);
        EXPECT_EQ(t.arrangement, c.arrangement);
    }
}

TEST(Summary, NoStackLeavesUtilisationAtOne) {
    stack_table t{};
    clear_table(t);
    const summary_texts s = write_summary(t);
    EXPECT_EQ(s.utilisation, "集装箱的利用效率：1%");
    EXPECT_EQ(s.arrangement, "分0堆摆放共放0个包装箱");
}

TEST(Summary, HandEditedSharesAreShownWhileASingleCanHoldThem) {
    // One carton of side `box` in a container of 1 mm sides: a share of
    // box³ × 100 percent, as a plan file edited by hand can give.
    const struct {
        float box;
        const char* utilisation;
    } cases[] = {
        {1e9f, "集装箱的利用效率：1E+29%"},
        {1e10f, "集装箱的利用效率：1E+32%"},
        {1.4e12f, "集装箱的利用效率：2.744E+38%"},
        // Beyond the largest single the share cannot be stored: the start value.
        {1e13f, "集装箱的利用效率：1%"},
        {3e38f, "集装箱的利用效率：1%"},
    };
    for (const auto& c : cases) {
        stack_table t{};
        t[0] = {0, c.box, c.box, c.box, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 0};
        EXPECT_EQ(write_summary(t).utilisation, c.utilisation) << c.box;
    }
}

TEST(Summary, CartonCountsBeyondSixteenBitsAreCounted) {
    // A typed container far larger than any real one: each stack's counts fit
    // in 16 bits, their product does not.
    stack_table t{};
    for (std::size_t i = 0; i < 2; ++i) {
        t[i] = {0, 150, 150, 150, 4.5e6f, 4.5e6f, 4.5e6f, 350, 2600, 30000, 30000, 30000, 1, 1, 0};
    }
    const summary_texts s = write_summary(t);
    EXPECT_EQ(s.arrangement, "分2堆摆放共放54000000000000个包装箱");
    EXPECT_EQ(count_plan(t).cartons, 54'000'000'000'000);
}

}  // namespace
}  // namespace varnel
