#include "view/type_colours.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varnel {
namespace {

// Relative luminance after WCAG 2, written out here so the palette is
// checked against the standard, not against itself.
double grey(rgb c) {
    const auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.red) + 0.7152 * lin(c.green) + 0.0722 * lin(c.blue);
}

double distance(rgb a, rgb b) {
    const auto d = [](int x, int y) { return static_cast<double>(x - y) * (x - y); };
    return std::sqrt(d(a.red, b.red) + d(a.green, b.green) + d(a.blue, b.blue));
}

// Thin lines read on white, and neighbouring types stay apart in colour and,
// printed in black and white, in grey.
TEST(TypeColours, EveryTypeReadsOnWhiteAndDiffersFromItsNeighbours) {
    for (std::size_t i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        const rgb c = type_colour(i), next = type_colour(i + 1);
        EXPECT_GE(1.05 / (grey(c) + 0.05), 3.0);
        EXPECT_GE(std::fabs(grey(c) - grey(next)), 0.07);
        EXPECT_GE(distance(c, next), 80.0);
        EXPECT_NEAR(luminance(c), grey(c), 1e-12);
    }
}

TEST(TypeColours, LighterMovesTowardsWhite) {
    const rgb c = type_colour(4);
    EXPECT_EQ(lighter(c, 0.0), c);
    EXPECT_EQ(lighter(c, 1.0), (rgb{255, 255, 255}));
    const rgb half = lighter(c, 0.5);
    EXPECT_GT(grey(half), grey(c));
    EXPECT_LT(grey(half), 1.0);
}

}  // namespace
}  // namespace varnel
