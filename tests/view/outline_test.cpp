#include <gtest/gtest.h>

#include <limits>

#include "tests/support/recording_canvas.h"
#include "view/projection.h"

namespace varnel {
namespace {

constexpr rgb red{255, 9, 14};
constexpr rgb green{0, 166, 13};
constexpr rgb blue{0, 86, 188};

TEST(ContainerOutline, StandardArgumentsJoinTheContainerCorners) {
    recording_canvas c;
    ASSERT_EQ(draw_container_outline(c, 2000, 5000, 2500, 350, 2600, 0.4f), draw_status::ok);

    const struct {
        float x1, y1, x2, y2;
        rgb colour;
    } expected[] = {
        {350, 2600, 2350, 2600, red},         {350, 2600, 350, 5100, red},
        {350, 5100, 2350, 5100, red},         {2350, 2600, 2350, 5100, red},
        {350, 2600, 4955.3f, 652.9f, green},  {4955.3f, 652.9f, 6955.3f, 652.9f, green},
        {6955.3f, 652.9f, 2350, 2600, green}, {6955.3f, 652.9f, 6955.3f, 3152.9f, blue},
        {2350, 5100, 6955.3f, 3152.9f, blue},
    };
    ASSERT_EQ(c.lines().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i + 1);
        const recorded_line& got = c.lines()[i];
        EXPECT_NEAR(got.x1, expected[i].x1, 0.1);
        EXPECT_NEAR(got.y1, expected[i].y1, 0.1);
        EXPECT_NEAR(got.x2, expected[i].x2, 0.1);
        EXPECT_NEAR(got.y2, expected[i].y2, 0.1);
        EXPECT_EQ(got.colour, expected[i].colour);
    }
}

}  // namespace
}  // namespace varnel
