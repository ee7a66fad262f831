#include "engine/orientation_search.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

load_model with_carton(float length, float width, float height) {
    load_model m;
    m.carton_length = length;
    m.carton_width = width;
    m.carton_height = height;
    m.best_orientation = 1;
    return m;
}

TEST(OrientationSearch, UprightOnlyPicksTheBestOfOneAndThree) {
    load_model m = with_carton(600, 400, 300);
    ASSERT_EQ(find_best_orientation(m, 2350, 12000, 2390, 0), search_status::ok);
    EXPECT_NEAR(m.orientation_fill[1], 0.6730, 1e-4);
    EXPECT_NEAR(m.orientation_fill[3], 0.7477, 1e-4);
    for (int o : {2, 4, 5, 6}) EXPECT_EQ(m.orientation_fill[static_cast<std::size_t>(o)], 0.0f);
    EXPECT_EQ(m.best_orientation, 3);
    EXPECT_EQ(m.best_count_x, 5);
    EXPECT_EQ(m.best_count_y, 20);
    EXPECT_EQ(m.best_count_z, 7);
    EXPECT_EQ(m.best_fill, m.orientation_fill[3]);
}

TEST(OrientationSearch, AnEqualFillLaterDoesNotReplaceTheBest) {
    load_model m = with_carton(600, 400, 300);
    ASSERT_EQ(find_best_orientation(m, 2350, 12000, 2390, 1), search_status::ok);
    EXPECT_EQ(m.orientation_fill[4], m.orientation_fill[3]);
    EXPECT_NEAR(m.orientation_fill[2], 0.6409, 1e-4);
    EXPECT_NEAR(m.orientation_fill[5], 0.6409, 1e-4);
    EXPECT_NEAR(m.orientation_fill[6], 0.6730, 1e-4);
    EXPECT_EQ(m.best_orientation, 3);
}

TEST(OrientationSearch, ExactFitIsOrientationOne) {
    load_model m = with_carton(500, 700, 900);
    ASSERT_EQ(find_best_orientation(m, 500, 700, 900, 1), search_status::ok);
    EXPECT_EQ(m.best_orientation, 1);
    EXPECT_EQ(m.best_fill, 1.0f);
    EXPECT_EQ(m.best_count_x + m.best_count_y + m.best_count_z, 3);
}

TEST(OrientationSearch, SkipsOrientationsThatDoNotFit) {
    // The length fits only along Y, so orientation 1 is skipped and 3 is used.
    load_model m = with_carton(800, 400, 300);
    ASSERT_EQ(find_best_orientation(m, 500, 1000, 500, 0), search_status::ok);
    EXPECT_EQ(m.orientation_fill[1], 0.0f);
    EXPECT_EQ(m.best_orientation, 3);
    EXPECT_EQ(m.best_count_x, 1);
    EXPECT_EQ(m.best_count_y, 1);
    EXPECT_EQ(m.best_count_z, 1);
}

TEST(OrientationSearch, NothingFoundKeepsTheOrientationAndZeroCounts) {
    // Fits only laid on its side, which is not allowed.
    load_model m = with_carton(500, 500, 600);
    m.best_orientation = 4;
    ASSERT_EQ(find_best_orientation(m, 1000, 1000, 300, 0), search_status::ok);
    EXPECT_EQ(m.best_orientation, 4);
    EXPECT_EQ(m.best_count_x, 0);
    EXPECT_EQ(m.best_count_y, 0);
    EXPECT_EQ(m.best_count_z, 0);
    EXPECT_EQ(m.best_fill, 0.0f);
}

TEST(OrientationSearch, CountsToleranceDiffersBetweenOrientationOneAndTheOthers) {
    // A 1000 mm cube: every orientation has the same extents, so only the
    // offset under the floor tells them apart.
    const struct {
        float space_x;
        int count_upright;  // orientation 1
        int count_others;   // orientations 2 to 6
    } cases[] = {
        {3000.0f, 3, 3},
        {2999.995f, 3, 2},  // quotient 2.999995: within orientation 1's tolerance only
        {2999.992f, 3, 2},
        {2999.98f, 2, 2},
    };
    for (const auto& c : cases) {
        load_model m = with_carton(1000, 1000, 1000);
        ASSERT_EQ(find_best_orientation(m, c.space_x, 1000, 1000, 1), search_status::ok);
        EXPECT_FLOAT_EQ(m.orientation_fill[1],
                        static_cast<float>(c.count_upright) * 1000.0f / c.space_x)
            << c.space_x;
        for (int o = 2; o <= 6; ++o) {
            EXPECT_FLOAT_EQ(m.orientation_fill[static_cast<std::size_t>(o)],
                            static_cast<float>(c.count_others) * 1000.0f / c.space_x)
                << c.space_x << " orientation " << o;
        }
    }
}

TEST(OrientationSearch, RefusesACartonWithoutSize) {
    for (const load_model& start :
         {with_carton(0, 400, 300), with_carton(600, 0, 300), with_carton(600, 400, -1)}) {
        load_model m = start;
        EXPECT_EQ(find_best_orientation(m, 2350, 12000, 2390, 1), search_status::bad_carton_size);
        EXPECT_EQ(m.best_count_x, 0);
    }
}

TEST(OrientationSearch, ReportsACountBeyondSixteenBits) {
    load_model m = with_carton(150, 150, 150);
    EXPECT_EQ(find_best_orientation(m, 1e7f, 1000, 1000, 1), search_status::count_overflow);
}

}  // namespace
}  // namespace varnel
