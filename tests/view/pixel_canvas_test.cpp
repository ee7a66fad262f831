#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "view/pixel_canvas.h"

namespace varnel {
namespace {

constexpr rgb grey{212, 208, 200};
constexpr rgb ink{1, 2, 3};

// The canvas as rows of '.' (background) and '#' (anything else).
std::string picture(const pixel_canvas& c) {
    std::string rows;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) rows += c.pixel(x, y) == grey ? '.' : '#';
        rows += '\n';
    }
    return rows;
}

// Drawing units of pixel p.
constexpr float px(int p) { return static_cast<float>(p * units_per_pixel); }

// Lines leave out their last pixel, and are clipped to the area however far
// outside their ends lie.
TEST(PixelCanvas, DrawsTheLinesPixels) {
    const float big = std::numeric_limits<float>::max();
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* what;
        float x1, y1, x2, y2;
        const char* expected;
    } cases[] = {
        {"rightward", px(1), px(1), px(4), px(1), ".....\n.###.\n.....\n"},
        {"leftward", px(4), px(1), px(1), px(1), ".....\n..###\n.....\n"},
        {"zero length", px(2), px(1), px(2), px(1), ".....\n.....\n.....\n"},
        {"diagonal", px(0), px(0), px(2), px(2), "#....\n.#...\n.....\n"},
        {"7 units round down, 8 up", 7, 7, px(3) + 8, 7, "####.\n.....\n.....\n"},
        {"across the area", -big, px(1), big, px(1), ".....\n#####\n.....\n"},
        {"down the area", px(3), big, px(3), -big, "...#.\n...#.\n...#.\n"},
        {"from inside out", px(2), px(2), px(2), -big, "..#..\n..#..\n..#..\n"},
        {"inside to far corner", px(0), px(0), big, big, "#....\n.#...\n..#..\n"},
        {"far corner to inside", big, big, px(0), px(0), ".....\n.#...\n..#..\n"},
        {"wholly beside", px(6), -big, px(6), big, ".....\n.....\n.....\n"},
        {"wholly above", -big, -px(1), big, -px(1), ".....\n.....\n.....\n"},
        {"infinite", px(0), px(0), inf, px(0), ".....\n.....\n.....\n"},
        {"not a number", nan, px(1), px(4), px(1), ".....\n.....\n.....\n"},
    };
    for (const auto& k : cases) {
        pixel_canvas c(5, 3, grey);
        c.draw_line(k.x1, k.y1, k.x2, k.y2, ink);
        EXPECT_EQ(picture(c), k.expected) << k.what;
    }
}

TEST(PixelCanvas, ClearingKeepsTheBackgroundPictureOnly) {
    pixel_canvas c(5, 3, grey);
    c.draw_line(px(0), px(0), px(5), px(0), ink);
    c.keep_as_background();
    for (int round = 0; round < 2; ++round) {
        c.clear_drawing();
        // The same line again after a clear must show again.
        c.draw_line(px(0), px(2), px(5), px(2), ink);
        EXPECT_EQ(picture(c), "#####\n.....\n#####\n") << round;
    }
    c.clear_drawing();
    EXPECT_EQ(picture(c), "#####\n.....\n.....\n");
}

TEST(PixelCanvas, DenseGridShowsEveryDistinctLine) {
    // Lines a third of a pixel apart: three requests per pixel column, none
    // of the columns left out; a repeat in another colour still shows.
    constexpr rgb dark{9, 9, 9};
    pixel_canvas c(5, 3, grey);
    for (int i = 0; i < 15; ++i) {
        const float x = static_cast<float>(i) * 5.0f;
        c.draw_line(x, px(0), x, px(3), dark);
    }
    c.draw_line(px(4) + 1, px(0), px(4) + 1, px(3), ink);
    EXPECT_EQ(picture(c), "#####\n#####\n#####\n");
    EXPECT_EQ(c.pixel(3, 0), dark);
    EXPECT_EQ(c.pixel(4, 0), ink);
}

}  // namespace
}  // namespace varnel
