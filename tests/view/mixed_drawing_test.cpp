// A load of several carton types drawn in the load view: each type's
// colour is where its blocks are, and nowhere else.
#include "view/mixed_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "view/colours.h"
#include "view/pixel_canvas.h"
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
