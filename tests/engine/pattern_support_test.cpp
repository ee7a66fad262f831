#include <gtest/gtest.h>

#include <random>

#include "engine/core/placement.h"
#include "engine/single/box_cuts.h"
#include "engine/single/rect_patterns.h"

namespace varnel {
namespace {

// Whole millimetres from lo to hi.
double between(std::mt19937& random, unsigned lo, unsigned hi) {
    return static_cast<double>(lo + random() % (hi - lo + 1));
}

// Standing 2-D patterns of seeded rectangles, made one carton deep and set
// upright, pass the placement checker: every piece rests wholly on pieces
// under it.
TEST(PatternSupport, StandingPatternsStand) {
    std::mt19937 random(20);
    for (int n = 0; n < 60; ++n) {
        const double p = between(random, 150, 700), q = between(random, 150, 700),
                     depth = between(random, 150, 700);
        const double U = between(random, 600, 2400), V = between(random, 600, 2700);
        work_meter meter(50'000'000, nullptr, 1e9);
        const pattern2d pattern = best_pattern(U, V, p, q, meter, {.up = upward::v});
        // U across, V up: a carton p x depth x q in orientation 1 (turned:
        // q x depth x p, orientation 6 stands its length up).
        const carton_rules rules = single_carton(p, depth, q);
        block_list blocks;
        for (const rect_grid& g : pattern.grids) {
            blocks.push_back({g.u, 0, g.v, static_cast<std::int16_t>(g.turned ? 6 : 1),
                              static_cast<std::int16_t>(g.nu), 1, static_cast<std::int16_t>(g.nv)});
        }
        const placement_report report =
            check_placement(blocks, std::span(&rules, 1), {{U, depth, V}, std::nullopt});
        EXPECT_EQ(report.fault, placement_fault::none)
            << n << ": " << U << " x " << V << " of " << p << " x " << q;
        EXPECT_GT(pattern.count, 0);
    }
}

// Every 3-D cut pattern of seeded boxes passes the placement checker.
TEST(PatternSupport, BoxCutsStand) {
    std::mt19937 random(3);
    for (int n = 0; n < 40; ++n) {
        const std::array<double, 3> box{between(random, 300, 900), between(random, 300, 900),
                                        between(random, 300, 900)};
        const std::array<double, 3> space{between(random, 900, 2400), between(random, 900, 4000),
                                          between(random, 900, 2700)};
        work_meter meter(50'000'000, nullptr, 1e9);
        const box_pattern pattern = best_box_cuts(space, box, meter, 20'000'000, 3000);
        const carton_rules rules = single_carton(box[0], box[1], box[2]);
        block_list blocks;
        for (const box_grid& g : pattern.grids) {
            blocks.push_back(
                {g.at[0], g.at[1], g.at[2], g.orientation, static_cast<std::int16_t>(g.count[0]),
                 static_cast<std::int16_t>(g.count[1]), static_cast<std::int16_t>(g.count[2])});
        }
        const placement_report report =
            check_placement(blocks, std::span(&rules, 1), {space, std::nullopt});
        EXPECT_EQ(report.fault, placement_fault::none) << n;
    }
}

}  // namespace
}  // namespace varnel
