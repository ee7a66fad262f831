#include "engine/single/packing_bound.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/single/optimise.h"
#include "engine/summary.h"

namespace varnel {
namespace {

constexpr orientation_set any = orientation_set::any(), upright = orientation_set::upright();

// The most any sizes that fit side by side in `capacity` can weigh together.
double heaviest_fill(std::int64_t capacity, const std::function<double(std::int64_t)>& f) {
    std::vector<double> best(static_cast<std::size_t>(capacity) + 1, 0.0);
    for (std::int64_t room = 1; room <= capacity; ++room) {
        for (std::int64_t x = 1; x <= room; ++x) {
            best[static_cast<std::size_t>(room)] =
                std::max(best[static_cast<std::size_t>(room)],
                         best[static_cast<std::size_t>(room - x)] + f(x));
        }
    }
    return best.back();
}

TEST(PackingBound, FunctionsAreDualFeasible) {
    const struct {
        std::string name;
        std::function<double(std::int64_t, std::int64_t, std::int64_t)> f;
        bool half;  // the parameter runs to half the capacity only
    } families[] = {
        {"rounding", dff_rounding, false},
        {"threshold", dff_threshold, true},
        {"steps", dff_steps, true},
    };
    for (const auto& family : families) {
        for (std::int64_t c = 2; c <= 30; ++c) {
            const std::int64_t last = family.half ? c / 2 : c + 2;
            for (std::int64_t k = 1; k <= last; ++k) {
                SCOPED_TRACE(family.name + " capacity " + std::to_string(c) + " parameter " +
                             std::to_string(k));
                EXPECT_LE(heaviest_fill(c, [&](std::int64_t x) { return family.f(k, x, c); }),
                          1.0 + 1e-12);
                EXPECT_DOUBLE_EQ(family.f(k, c, c), 1.0);
            }
        }
    }
}

// Every weight vector offered for a few sizes keeps every count of them
// that fits within 1.
TEST(PackingBound, SizeWeightsKeepEveryFittingCountWithinOne) {
    const struct {
        std::int64_t capacity;
        std::vector<std::int64_t> sizes;
    } cases[] = {
        {2350, {591, 656}},      {5896, {591, 656}}, {2350, {601, 838}}, {1000, {350, 420, 500}},
        {2393, {166, 423, 601}}, {97, {13, 29, 41}}, {60, {7, 11, 31}},  {5896, {585, 596, 893}},
    };
    for (const auto& c : cases) {
        const std::int64_t p = c.sizes[0], q = c.sizes[1], r = c.sizes.size() > 2 ? c.sizes[2] : 0;
        const auto weights = size_weights(c.capacity, c.sizes);
        ASSERT_GT(weights.size(), 1u);
        for (const auto& w : weights) {
            double heaviest = 0.0;
            for (std::int64_t i = 0; i * p <= c.capacity; ++i) {
                for (std::int64_t j = 0; i * p + j * q <= c.capacity; ++j) {
                    const std::int64_t k = r > 0 ? (c.capacity - i * p - j * q) / r : 0;
                    heaviest = std::max(
                        heaviest, static_cast<double>(i) * w[0] + static_cast<double>(j) * w[1] +
                                      (r > 0 ? static_cast<double>(k) * w[2] : 0.0));
                }
            }
            EXPECT_LE(heaviest, 1.0 + 1e-12) << "capacity " << c.capacity;
        }
    }
}

TEST(PackingBound, LinearProgramOptimum) {
    const struct {
        std::vector<std::vector<double>> rows;
        std::size_t columns;
        double value;
    } cases[] = {
        {{{1.0, 1.0}}, 2, 1.0},
        // x + y at most where both halves meet: x = y = 4/3.
        {{{0.5, 0.25}, {0.25, 0.5}}, 2, 8.0 / 3.0},
        // The tighter row wins for each column.
        {{{0.1, 0.2, 0.3}, {0.2, 0.1, 0.3}, {0.05, 0.05, 0.5}}, 3, 20.0 / 3.0},
        {{{1.0 / 27, 1.0 / 27, 1.0 / 27, 1.0 / 27, 1.0 / 27, 1.0 / 27}}, 6, 27.0},
        // A column no row weighs has no bound.
        {{{1.0, 0.0}}, 2, std::numeric_limits<double>::infinity()},
    };
    for (const auto& c : cases) {
        const double value = packing_lp(c.rows, c.columns);
        if (std::isinf(c.value)) {
            EXPECT_TRUE(std::isinf(value));
        } else {
            EXPECT_NEAR(value, c.value, 1e-9);
        }
    }
}

TEST(PackingBound, HandProvenBounds) {
    const struct {
        calculation_input in;
        orientation_set allowed;
        std::int64_t bound;
    } cases[] = {
        // Across 2350 at most three 591 or 656 sides fit, along 5896 at most
        // nine, so every carton weighs at least 1/27 of the floor; 4 layers.
        {{591, 656, 511, 2350, 5896, 2393}, upright, 4 * 27},
        // 1/3 across, 1/3 up, 1/9 along for any side: 81.
        {{601, 838, 601, 2350, 5896, 2393}, any, 81},
        // Two sides of any kind along each edge: 8 of the volume's 13.
        {{350, 420, 500, 1000, 1000, 1000}, any, 8},
        // The same in tenths of a millimetre.
        {{35.5f, 42.5f, 49.5f, 100.0f, 100.0f, 100.0f}, any, 8},
        // Upright, two by two on the floor, two layers.
        {{350, 420, 500, 1000, 1000, 1000}, upright, 8},
        // A container 400 m each way: the same tolerances at 64e9 cartons.
        {{100, 100, 100, 400'000, 400'000, 400'000}, any, 64'000'000'000},
        // Nothing fits.
        {{350, 420, 1500, 1000, 1000, 1000}, upright, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(packing_bound(c.in, c.allowed), c.bound);
        EXPECT_EQ(upper_bound(c.in, false, c.allowed), c.bound);
    }
    // Sides off the hundredth-millimetre grid are left to the other bounds.
    EXPECT_EQ(packing_bound({350.123f, 420, 500, 1000, 1000, 1000}, any), no_bound);
}

// Sizes far beyond the grid's range are refused before any is converted to
// a whole number: under UBSan a conversion out of the 64-bit range stops the
// test. The other bounds still bound the standard plan.
TEST(PackingBound, TheLargestSizesAreNotConverted) {
    for (const bool side_allowed : {true, false}) {
        const calculation_input in{1.1e34f, 1.1e34f, 1.1e34f, 3.4e38f, 3.4e38f, 3.4e38f};
        EXPECT_EQ(packing_bound(in, orientations_of(side_allowed)), no_bound);
        load_model standard;
        run_calculation(standard, in, false, side_allowed);
        EXPECT_GE(upper_bound(in, false, orientations_of(side_allowed)),
                  count_plan(standard.stacks).cartons);
    }
}

// The standard calculation counts a row a hair longer than its space (by up
// to 1e-5 of a carton); the bound counts the same row, so it is never below
// the standard plan's count, whatever the options.
TEST(UpperBound, NeverBelowTheStandardCount) {
    std::mt19937 random(21);
    const auto side = [&] { return 150.0 + static_cast<double>(random() % 7500) / 10.0; };
    for (int n = 0; n < 300; ++n) {
        const double a = side(), b = side(), c = side();
        // Each container side a whole number of some carton side, less a
        // hair of up to 1e-5 of that side, as typed to a tenth of a
        // micrometre.
        const auto short_of = [&](double s, int k) {
            const double hair = s * 1e-6 * static_cast<double>(random() % 11);
            return static_cast<float>(std::round((k * s - hair) * 1e4) / 1e4);
        };
        const std::array<double, 3> sides{a, b, c};
        const calculation_input in{static_cast<float>(a),
                                   static_cast<float>(b),
                                   static_cast<float>(c),
                                   short_of(sides[random() % 3], 2 + n % 5),
                                   short_of(sides[random() % 3], 5 + n % 13),
                                   short_of(sides[random() % 3], 2 + n % 4)};
        for (const bool single : {false, true}) {
            for (const bool side_allowed : {true, false}) {
                load_model standard;
                run_calculation(standard, in, single, side_allowed);
                EXPECT_GE(upper_bound(in, single, orientations_of(side_allowed)),
                          count_plan(standard.stacks).cartons)
                    << n << " " << in.container_width << " x " << in.container_length << " x "
                    << in.container_height << " / " << a << " " << b << " " << c;
            }
        }
    }
    // A row of three 200 mm cartons in 599.999 mm.
    const calculation_input row{200, 200, 200, 200, 599.999f, 200};
    EXPECT_GE(upper_bound(row, false, any), 3);
}

}  // namespace
}  // namespace varnel
