// A load of several carton types drawn in the load view: each type's
// colour is where its blocks are, and nowhere else.
#include "view/mixed_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "view/colours.h"
#include "view/pixel_canvas.h"
#include "view/projection.h"
#include "view/stack_drawing.h"
#include "view/type_colours.h"

namespace varnel {
namespace {

constexpr int width = 515, height = 383;  // the drawing area, in pixels

struct box {
    int left = width, top = height, right = -1, bottom = -1;
};

// The pixels a block's faces cover, from their corners.
box pixels_under(const stack_record& r) {
    box b;
    const auto faces = stack_faces(r);
    for (const stack_face& face : *faces) {
        for (const view_point& p : face) {
            b.left = std::min(b.left, static_cast<int>(p.x / 15) - 1);
            b.right = std::max(b.right, static_cast<int>(p.x / 15) + 1);
            b.top = std::min(b.top, static_cast<int>(p.y / 15) - 1);
            b.bottom = std::max(b.bottom, static_cast<int>(p.y / 15) + 1);
        }
    }
    return b;
}

TEST(mixed_drawing, EachTypesColourIsWhereItsBlocksAre) {
    // Three types in a 590 x 235 x 239 cm container: A on the floor at the
    // far end, B beside it, C near the door on top of nothing but the floor.
    const std::vector<std::array<double, 3>> sizes{
        {600, 400, 300}, {800, 600, 1000}, {500, 300, 250}};
    const block_list blocks{{0, 0, 0, 1, 3, 2, 4, 0},
                            {1800, 0, 0, 1, 2, 1, 1, 1},
                            {0, 4000, 0, 3, 4, 3, 2, 2},
                            {1500, 4500, 0, 1, 1, 1, 1, 7}};  // a type the list lacks
    const typed_load load{blocks, sizes, {2350, 5900, 2390}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        pixel_canvas alone(width, height, background_colour);
        const std::size_t one[] = {i};
        ASSERT_EQ(draw_typed_blocks(alone, load, one), draw_status::ok);
        const box b =
            pixels_under(drawn_block(blocks[i], sizes[blocks[i].type], load.container, 15));
        int coloured = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const rgb p = alone.pixel(x, y);
                if (p == background_colour) continue;
                EXPECT_EQ(p, type_colour(blocks[i].type)) << x << "," << y;
                EXPECT_TRUE(x >= b.left && x <= b.right && y >= b.top && y <= b.bottom)
                    << x << "," << y;
                ++coloured;
            }
        }
        EXPECT_GT(coloured, 50);
    }
    // All together: every type shows, the unknown one draws nothing.
    pixel_canvas all(width, height, background_colour);
    const std::size_t every[] = {0, 1, 2, 3, 9};
    ASSERT_EQ(draw_typed_blocks(all, load, every), draw_status::ok);
    std::vector<rgb> seen;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const rgb p = all.pixel(x, y);
            if (p != background_colour && std::find(seen.begin(), seen.end(), p) == seen.end()) {
                seen.push_back(p);
            }
        }
    }
    EXPECT_EQ(seen.size(), 3u);
}

// Over the drawing area's background (the outline in the faces' colours)
// every view of a mixed load shows the outline in one neutral colour, so
// red, green and blue stand for types alone.
TEST(mixed_drawing, TheOutlineTakesNoTypesColour) {
    pixel_canvas area(width, height, background_colour);
    ASSERT_EQ(draw_standard_outline(area), draw_status::ok);
    area.keep_as_background();
    const std::vector<std::array<double, 3>> sizes{{600, 400, 300}};
    const block_list blocks{{0, 0, 0, 1, 3, 2, 4, 0}, {0, 800, 0, 1, 3, 2, 4, 0}};
    const typed_load load{blocks, sizes, {2350, 5900, 2390}};
    const std::size_t order[] = {0, 1};
    const auto colours_shown = [&] {
        std::vector<rgb> seen;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const rgb p = area.pixel(x, y);
                if (std::find(seen.begin(), seen.end(), p) == seen.end()) seen.push_back(p);
            }
        }
        std::sort(seen.begin(), seen.end(), [](rgb a, rgb b) {
            return std::tie(a.red, a.green, a.blue) < std::tie(b.red, b.green, b.blue);
        });
        return seen;
    };
    typed_steps steps;
    for (int press = 0; press < 4; ++press) {
        SCOPED_TRACE(press);
        ASSERT_TRUE(steps.forward(area, load, order).has_value());
        std::vector<rgb> expected{typed_outline_colour, type_colour(0), background_colour};
        std::sort(expected.begin(), expected.end(), [](rgb a, rgb b) {
            return std::tie(a.red, a.green, a.blue) < std::tie(b.red, b.green, b.blue);
        });
        EXPECT_EQ(colours_shown(), expected);
    }
}

// Cartons a pixel thin draw as one cell along that axis: a block of 32767
// tiny cartons a row is a handful of lines, not tens of thousands.
TEST(mixed_drawing, CartonsThinnerThanAPixelMerge) {
    const carton_block b{0, 0, 0, 1, 3000, 2, 1, 0};
    const stack_record r = drawn_block(b, {1, 400, 300}, {2350, 5900, 2390}, 15);
    EXPECT_EQ(r.count_x, 1);
    EXPECT_EQ(r.count_y, 2);
    EXPECT_FLOAT_EQ(
        r.box_length * r.count_x,
        drawn_block({0, 0, 0, 1, 1, 2, 1, 0}, {3000, 400, 300}, {2350, 5900, 2390}, 15).box_length);
}

}  // namespace
}  // namespace varnel
