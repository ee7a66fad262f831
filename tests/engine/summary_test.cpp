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

// Where a container's weight lies and whether its band holds it, as the
// packing list window words it.
TEST(Summary, CentreOfGravityTexts) {
    const struct {
        balance_figures figures;  // centre x, y, z; offset x, y; band x, y; holds
        const char* centre;
        const char* offset;
        const char* verdict;
    } cases[] = {
        {{{1000.5, 400, 300}, {-174.5, -2550}, {188, 472}, false},
         "距里端 0.40 m，距左侧 1.00 m",
         "偏向里端 255 cm，偏左 17 cm",
         "重心偏离中心255 cm，超出允许的47 cm"},
        {{{1176, 2954.9, 900}, {1, 4.9}, {117.5, 295}, true},
         "距里端 2.95 m，距左侧 1.18 m",
         "纵向居中，横向居中",
         "重心在允许范围内"},
        // Across is the farther out of the band.
        {{{1315, 6015, 900}, {140, 15}, {117.5, 601.6}, false},
         "距里端 6.02 m，距左侧 1.32 m",
         "偏向箱门 2 cm，偏右 14 cm",
         "重心偏离中心14 cm，超出允许的12 cm"},
        {{{50, 10050, 900}, {-1125, 3975}, {117.5, 601.6}, false},
         "距里端 10.05 m，距左侧 0.05 m",
         "偏向箱门 398 cm，偏左 113 cm",
         "重心偏离中心398 cm，超出允许的60 cm"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(centre_text(c.figures), c.centre);
        EXPECT_EQ(centre_offset_text(c.figures), c.offset);
        EXPECT_EQ(balance_text(c.figures), c.verdict);
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
