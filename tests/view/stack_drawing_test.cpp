#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/recording_canvas.h"
#include "view/stack_drawing.h"

namespace varnel {
namespace {

constexpr rgb red{255, 9, 14};
constexpr rgb green{0, 166, 13};
constexpr rgb blue{0, 86, 188};

// A 2000 × 5000 × 2500 container filled by one stack of 500 × 1000 × 500
// cartons, counts 4, 5, 5, all scales 1: the stack's faces lie on the
// container's. It draws 34 lines: side 6 + 6, front 6 + 5, top 6 + 5.
stack_table filled_container(std::int16_t orientation = 1) {
    stack_table table{};
    table[0] = {0, 500, 1000, 500, 2000, 5000, 2500, 350, 2600, 4, 5, 5, orientation, 1, 0};
    return table;
}

void expect_line(const recorded_line& got, float x1, float y1, float x2, float y2) {
    EXPECT_NEAR(got.x1, x1, 0.1);
    EXPECT_NEAR(got.y1, y1, 0.1);
    EXPECT_NEAR(got.x2, x2, 0.1);
    EXPECT_NEAR(got.y2, y2, 0.1);
}

TEST(StackDrawing, EachFaceDrawsCountPlusOneLinesPerFamily) {
    stack_table table = filled_container();
    stack_record& r = table[0];
    r.count_x = 2;
    r.count_y = 3;
    r.count_z = 4;
    recording_canvas side, front, top, whole;
    draw_stack_side(side, r);
    draw_stack_front(front, r);
    draw_stack_top(top, r);
    EXPECT_EQ(side.lines().size(), 5u + 4u);
    EXPECT_EQ(front.lines().size(), 5u + 3u);
    EXPECT_EQ(top.lines().size(), 4u + 3u);
    EXPECT_EQ(draw_stack(whole, table, 0), draw_status::ok);
    EXPECT_EQ(whole.lines().size(), 24u);
}

// The faces a picture shades are the grids' outer lines: side, front, top.
TEST(StackDrawing, FacesAreTheGridsOutlines) {
    const auto faces = stack_faces(filled_container()[0]);
    ASSERT_TRUE(faces);
    const float expected[3][4][2] = {
        {{2350, 5100}, {6955.3f, 3152.9f}, {6955.3f, 652.9f}, {2350, 2600}},
        {{350, 5100}, {2350, 5100}, {2350, 2600}, {350, 2600}},
        {{350, 2600}, {2350, 2600}, {6955.3f, 652.9f}, {4955.3f, 652.9f}},
    };
    for (std::size_t f = 0; f < 3; ++f) {
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_NEAR((*faces)[f][k].x, expected[f][k][0], 0.1) << f << k;
            EXPECT_NEAR((*faces)[f][k].y, expected[f][k][1], 0.1) << f << k;
        }
    }
    EXPECT_FALSE(stack_faces(filled_container(0)[0]));
}

// The first and the last line of each face, on the container's own corners.
TEST(StackDrawing, FilledContainerGridsLieOnTheContainerFaces) {
    recording_canvas c;
    ASSERT_EQ(draw_stack(c, filled_container(), 0), draw_status::ok);
    const auto& l = c.lines();
    ASSERT_EQ(l.size(), 34u);
    expect_line(l[0], 6955.3f, 3152.9f, 2350, 5100);       // side, bottom row
    expect_line(l[11], 2350, 5100, 2350, 2600);            // side, nearest column
    expect_line(l[12], 350, 5100, 2350, 5100);             // front, bottom row
    expect_line(l[22], 2350, 5100, 2350, 2600);            // front, right column
    expect_line(l[23], 4955.3f, 652.9f, 6955.3f, 652.9f);  // top, farthest row
    expect_line(l[33], 6955.3f, 652.9f, 2350, 2600);       // top, right column
}

TEST(StackDrawing, FaceColoursFollowTheOrientation) {
    const struct {
        std::int16_t orientation;
        rgb side, front, top;
    } cases[] = {
        {1, blue, red, green}, {2, blue, green, red}, {3, red, blue, green},
        {4, green, blue, red}, {5, red, green, blue}, {6, green, red, blue},
    };
    for (const auto& k : cases) {
        recording_canvas c;
        draw_stack(c, filled_container(k.orientation), 0);
        ASSERT_EQ(c.lines().size(), 34u);
        for (std::size_t i = 0; i < 34; ++i) {
            const rgb expected = i < 12 ? k.side : i < 23 ? k.front : k.top;
            EXPECT_EQ(c.lines()[i].colour, expected) << k.orientation << ", line " << i;
        }
    }
}

TEST(StackDrawing, ZeroCountsDrawSixZeroLengthLinesAtTheFarBottomCorner) {
    // The whole container, and a space of its own (the worked example's
    // stack 2b, on top of 2a): the point comes from the record, not the view.
    const struct {
        float origin_x, origin_y, space_y, space_z;
    } cases[] = {{350, 2600, 5000, 2500}, {2506.36f, 2335.99f, 4322.03f, 721.76f}};
    for (const auto& k : cases) {
        stack_table table = filled_container();
        stack_record& r = table[0];
        r.count_x = r.count_y = r.count_z = 0;
        r.origin_x = k.origin_x;
        r.origin_y = k.origin_y;
        r.space_y = k.space_y;
        r.space_z = k.space_z;
        recording_canvas c;
        draw_stack(c, table, 0);
        ASSERT_EQ(c.lines().size(), 6u);
        const auto x = static_cast<float>(k.origin_x + k.space_y * std::cos(0.4));
        const auto y = static_cast<float>(k.origin_y + k.space_z - k.space_y * std::sin(0.4));
        for (const recorded_line& line : c.lines()) expect_line(line, x, y, x, y);
    }
}

TEST(StackDrawing, FirstStacksDrawsRecordsInOrderAndNoMore) {
    // Every record draws six zero-length lines at x = 1000 · index.
    stack_table table{};
    for (int i = 0; i < stack_table_size; ++i) {
        table[static_cast<std::size_t>(i)].origin_x = 1000.0f * static_cast<float>(i);
        table[static_cast<std::size_t>(i)].orientation = 1;
    }
    const struct {
        std::int16_t m;
        std::size_t records;
        draw_status status;
    } cases[] = {
        {0, 0, draw_status::ok},
        {-5, 0, draw_status::ok},
        {3, 3, draw_status::ok},
        {31, 31, draw_status::ok},
        {40, 31, draw_status::index_out_of_range},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.m);
        recording_canvas c;
        EXPECT_EQ(draw_first_stacks(c, table, k.m), k.status);
        ASSERT_EQ(c.lines().size(), 6 * k.records);
        for (std::size_t i = 0; i < c.lines().size(); ++i) {
            EXPECT_EQ(c.lines()[i].x1, 1000.0f * static_cast<float>(i / 6));
        }
    }
}

}  // namespace
}  // namespace varnel
