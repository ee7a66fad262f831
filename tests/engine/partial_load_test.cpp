#include "engine/single/partial_load.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "engine/block_tables.h"
#include "engine/calculation.h"
#include "engine/core/placement.h"
#include "engine/single/optimise.h"

namespace varnel {
namespace {

constexpr double tol = 0.5;

struct box {
    double x0, y0, z0, x1, y1, z1;
    auto key() const { return std::make_tuple(std::lround(x0), std::lround(y0), std::lround(z0)); }
};

bool overlaps(double a0, double a1, double b0, double b1) { return a0 < b1 - tol && b0 < a1 - tol; }
bool footprints_overlap(const box& a, const box& b) {
    return overlaps(a.x0, a.x1, b.x0, b.x1) && overlaps(a.y0, a.y1, b.y0, b.y1);
}

std::vector<box> cartons_of(const block_list& blocks, const box_size& c) {
    std::vector<box> out;
    for (const carton_block& b : blocks) {
        const double ex = extent_x(c.length, c.width, c.height, b.orientation);
        const double ey = extent_y(c.length, c.width, c.height, b.orientation);
        const double ez = extent_z(c.length, c.width, c.height, b.orientation);
        for (int i = 0; i < b.count_x; ++i)
            for (int j = 0; j < b.count_y; ++j)
                for (int k = 0; k < b.count_z; ++k) {
                    const double x = b.x + i * ex, y = b.y + j * ey, z = b.z + k * ez;
                    out.push_back({x, y, z, x + ex, y + ey, z + ez});
                }
    }
    return out;
}

TEST(PartialLoad, CutsOneBlockIntoRowsColumnsAndAColumnBottom) {
    const box_size carton{400, 500, 300};
    const block_list plan{{0, 0, 0, 1, 3, 4, 2}};  // 24 cartons, 6 a row
    const block_list loaded = partial_load(plan, carton, 11);
    ASSERT_EQ(loaded.size(), 3u);
    const std::tuple<double, double, double, int, int, int> expected[] = {
        {0, 0, 0, 3, 1, 2}, {0, 500, 0, 2, 1, 2}, {800, 500, 0, 1, 1, 1}};
    for (std::size_t i = 0; i < 3; ++i) {
        const carton_block& b = loaded[i];
        EXPECT_EQ(std::make_tuple(b.x, b.y, b.z, int{b.count_x}, int{b.count_y}, int{b.count_z}),
                  expected[i])
            << i;
    }
}

// A block on top waits for the rows under it, then goes up before the floor
// goes on towards the door.
TEST(PartialLoad, UpperRowsFollowTheRowsUnderThem) {
    const box_size carton{400, 500, 300};
    const block_list plan{{0, 0, 0, 1, 2, 4, 1}, {0, 0, 300, 3, 1, 5, 1}};
    const struct {
        std::int64_t cartons;
        int lower_rows, upper_rows;
    } cases[] = {{2, 1, 0}, {3, 1, 1}, {5, 2, 1}, {6, 2, 2}, {12, 4, 4}};
    for (const auto& c : cases) {
        const block_list loaded = partial_load(plan, carton, c.cartons);
        int lower = 0, upper = 0;
        for (const carton_block& b : loaded) (b.z == 0 ? lower : upper) += b.count_y;
        EXPECT_EQ(lower, c.lower_rows) << c.cartons;
        EXPECT_EQ(upper, c.upper_rows) << c.cartons;
    }
    EXPECT_EQ(partial_load(plan, carton, 13).size(), 2u);
    EXPECT_TRUE(partial_load(plan, carton, 0).empty());
}

// A random guillotine plan: boxes split along random axes, each leaf holding
// one block at its corner (often not filling it, so upper blocks overhang).
void grow(std::mt19937& rng, const box_size& carton, double x, double y, double z, double sx,
          double sy, double sz, int depth, block_list& plan) {
    std::uniform_int_distribution<int> pick(0, 5);
    const int axis = depth < 3 ? pick(rng) : 5;
    std::uniform_real_distribution<double> cut(0.25, 0.75);
    if (axis < 3) {
        const double f = cut(rng);
        if (axis == 0) {
            grow(rng, carton, x, y, z, sx * f, sy, sz, depth + 1, plan);
            grow(rng, carton, x + sx * f, y, z, sx * (1 - f), sy, sz, depth + 1, plan);
        } else if (axis == 1) {
            grow(rng, carton, x, y, z, sx, sy * f, sz, depth + 1, plan);
            grow(rng, carton, x, y + sy * f, z, sx, sy * (1 - f), sz, depth + 1, plan);
        } else {
            grow(rng, carton, x, y, z, sx, sy, sz * f, depth + 1, plan);
            grow(rng, carton, x, y, z + sz * f, sx, sy, sz * (1 - f), depth + 1, plan);
        }
        return;
    }
    const int o = std::uniform_int_distribution<int>(1, 6)(rng);
    const auto count = [&](double room, float ext) {
        const int n = static_cast<int>(std::floor(room / ext));
        return n <= 1 ? n : std::uniform_int_distribution<int>(n - 1, n)(rng);
    };
    carton_block b{x,
                   y,
                   z,
                   static_cast<std::int16_t>(o),
                   static_cast<std::int16_t>(
                       count(sx, extent_x(carton.length, carton.width, carton.height, o))),
                   static_cast<std::int16_t>(
                       count(sy, extent_y(carton.length, carton.width, carton.height, o))),
                   static_cast<std::int16_t>(
                       count(sz, extent_z(carton.length, carton.width, carton.height, o)))};
    if (b.count_x > 0 && b.count_y > 0 && b.count_z > 0) plan.push_back(b);
}

// Every carton of a part load stands wholly on the floor or on loaded
// cartons, by the engine's checker, unless the plan itself leaves it short of
// support. Only a block's bottom cartons need support from other blocks.
void expect_standing(const block_list& plan, const block_list& loaded, const box_size& c) {
    const carton_rules rules = single_carton(c.length, c.width, c.height);
    const auto types = std::span(&rules, 1);
    if (unsupported_cartons(loaded, types) == 0) return;
    ASSERT_GT(unsupported_cartons(plan, types), 0) << "a part load of a plan whose cartons stand";
    for (const carton_block& b : loaded) {
        for (const box& u :
             cartons_of({{b.x, b.y, b.z, b.orientation, b.count_x, b.count_y, 1}}, c)) {
            const carton_block one{u.x0, u.y0, u.z0, b.orientation, 1, 1, 1};
            if (unsupported_on(one, loaded, types) > 0) {
                EXPECT_GT(unsupported_on(one, plan, types), 0)
                    << "a carton at y " << u.y0 << " z " << u.z0 << " the plan holds";
            }
        }
    }
}

// Checks the part load of `k` cartons of `plan` in a container w × l × h.
void check_partial_load(const block_list& plan, const box_size& carton, double w, double l,
                        double h, std::int64_t k) {
    const std::vector<box> all = cartons_of(plan, carton);
    const block_list loaded = partial_load(plan, carton, k);
    SCOPED_TRACE(testing::Message() << k << " of " << all.size());
    EXPECT_LE(loaded.size(), 31u);
    EXPECT_LE(loaded.size(), plan.size() + 2);
    const std::vector<box> in = cartons_of(loaded, carton);
    ASSERT_EQ(static_cast<std::int64_t>(in.size()), k);

    // Plan cartons, each once: inside the container, no two in one place.
    std::set<std::tuple<long, long, long>> plan_keys, loaded_keys;
    for (const box& b : all) plan_keys.insert(b.key());
    for (const box& b : in) {
        EXPECT_TRUE(plan_keys.count(b.key()));
        EXPECT_TRUE(loaded_keys.insert(b.key()).second);
        EXPECT_TRUE(b.x0 > -tol && b.y0 > -tol && b.z0 > -tol && b.x1 < w + tol && b.y1 < l + tol &&
                    b.z1 < h + tol);
    }

    double far_unloaded_floor = 1e18, near_loaded_floor = -1;
    for (const box& u : all) {
        if (loaded_keys.count(u.key())) {
            if (u.z0 < tol) near_loaded_floor = std::max(near_loaded_floor, u.y0);
            continue;
        }
        if (u.z0 < tol) far_unloaded_floor = std::min(far_unloaded_floor, u.y0);
        // Nothing under a loaded carton is left out.
        for (const box& c : in) {
            ASSERT_FALSE(u.z1 < c.z0 + tol && footprints_overlap(u, c))
                << "carton at y " << c.y0 << " z " << c.z0 << " misses one at y " << u.y0;
        }
    }
    // The floor fills from the far end.
    EXPECT_LE(near_loaded_floor, far_unloaded_floor + tol);

    expect_standing(plan, loaded, carton);
}

std::vector<std::int64_t> counts_to_try(std::int64_t total, std::mt19937& rng) {
    if (total < 2) return {};
    return {1, std::max<std::int64_t>(1, total / 3),
            std::uniform_int_distribution<std::int64_t>(1, total - 1)(rng), total - 1};
}

TEST(PartialLoad, InvariantsOnSeededPlans) {
    int checked = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> side(300, 900);
        const box_size carton{static_cast<float>(side(rng)), static_cast<float>(side(rng)),
                              static_cast<float>(side(rng))};
        const double w = 2350, l = std::uniform_real_distribution<double>(3000, 12000)(rng),
                     h = 2390;
        block_list plan;
        grow(rng, carton, 0, 0, 0, w, l, h, 0, plan);
        for (const std::int64_t k : counts_to_try(carton_count(plan), rng)) {
            SCOPED_TRACE(testing::Message() << "seed " << seed);
            check_partial_load(plan, carton, w, l, h, k);
            ++checked;
        }
    }
    EXPECT_GT(checked, 300);
}

// Plans drawn inputs with `plan_for(input, seed)` and checks part loads of
// each plan, also drawing them through the stack tables. Returns how many.
template <typename PlanFor>
int check_planned_inputs(unsigned seeds, PlanFor plan_for) {
    int checked = 0;
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<float> side(150, 1000);
        const calculation_input in{side(rng),
                                   side(rng),
                                   side(rng),
                                   2350,
                                   std::uniform_real_distribution<float>(3000, 12000)(rng),
                                   2390};
        const block_list plan = plan_for(in, seed);
        const box_size carton{in.carton_length, in.carton_width, in.carton_height};
        for (const std::int64_t k : counts_to_try(carton_count(plan), rng)) {
            SCOPED_TRACE(testing::Message() << "seed " << seed);
            check_partial_load(plan, carton, in.container_width, in.container_length,
                               in.container_height, k);
            load_model drawn;
            run_calculation(drawn, in, false, true);
            EXPECT_TRUE(blocks_to_tables(drawn, partial_load(plan, carton, k)));
            ++checked;
        }
    }
    return checked;
}

// The standard plans, whose upper stacks may overhang lower ones.
TEST(PartialLoad, InvariantsOnStandardPlans) {
    const int checked = check_planned_inputs(150, [](const calculation_input& in, unsigned seed) {
        load_model model;
        run_calculation(model, in, seed % 5 == 0, seed % 3 != 0);
        return standard_blocks(model);
    });
    EXPECT_GT(checked, 300);
}

TEST(PartialLoad, InvariantsOnOptimisedPlans) {
    const int checked = check_planned_inputs(40, [](const calculation_input& in, unsigned seed) {
        optimise_request request{in, false, orientations_of(seed % 3 != 0)};
        request.work_budget = 2'000'000;
        return optimise_plan(request).blocks;
    });
    EXPECT_GT(checked, 100);
}

// A plan of 31 blocks an earlier search made, of cartons 549 × 168 × 160.
block_list thirty_one_blocks() {
    return {{0, 0, 0, 3, 2, 1, 13},      {336, 0, 0, 1, 1, 3, 13},      {885, 0, 0, 1, 3, 2, 13},
            {885, 336, 0, 3, 2, 1, 13},  {1221, 336, 0, 1, 1, 3, 13},   {1770, 336, 0, 3, 2, 1, 13},
            {2106, 336, 0, 1, 1, 3, 13}, {549, 504, 0, 3, 2, 1, 13},    {0, 549, 0, 1, 1, 3, 13},
            {1434, 840, 0, 3, 2, 1, 13}, {2319, 840, 0, 3, 2, 1, 13},   {885, 885, 0, 1, 1, 3, 13},
            {1770, 885, 0, 1, 1, 3, 13}, {0, 1053, 0, 3, 2, 1, 13},     {336, 1053, 0, 1, 1, 3, 13},
            {885, 1389, 0, 3, 4, 7, 13}, {1557, 1389, 0, 1, 2, 23, 13}, {549, 1557, 0, 3, 2, 1, 13},
            {0, 1602, 0, 1, 1, 3, 13},   {0, 2106, 0, 3, 2, 1, 13},     {336, 2106, 0, 1, 1, 3, 13},
            {549, 2610, 0, 3, 2, 1, 13}, {0, 2655, 0, 1, 1, 3, 13},     {0, 3159, 0, 3, 2, 1, 13},
            {336, 3159, 0, 1, 1, 3, 13}, {549, 3663, 0, 3, 2, 1, 13},   {0, 3708, 0, 1, 1, 3, 13},
            {0, 4212, 0, 3, 2, 1, 13},   {336, 4212, 0, 1, 1, 3, 13},   {549, 4716, 0, 3, 2, 1, 13},
            {0, 4761, 0, 1, 1, 3, 13}};
}

// A plan of 29 blocks, the optimiser's most (the first 29 of the 31): every
// part load of it fits the tables' 31.
TEST(PartialLoad, EveryCountFitsTheTables) {
    const box_size carton{549, 168, 160};
    const block_list plan = thirty_one_blocks();
    ASSERT_EQ(carton_count(plan), 1950);
    const block_list most(plan.begin(), plan.begin() + 29);
    for (std::int64_t k = 1; k < carton_count(most); ++k) {
        const block_list loaded = partial_load(most, carton, k);
        ASSERT_LE(loaded.size(), 31u) << k;
        ASSERT_EQ(carton_count(loaded), k);
    }
}

// Joining blocks draws on the meter given: with nothing left on it, a part
// load joins none and spends nothing, yet keeps its count, takes its cartons
// from the plan and stands every one; it only may need more blocks.
TEST(PartialLoad, AMeterWithNothingLeftJoinsNoBlocks) {
    const box_size carton{549, 168, 160};
    const block_list plan = thirty_one_blocks();
    std::set<std::tuple<long, long, long>> plan_keys;
    for (const box& b : cartons_of(plan, carton)) plan_keys.insert(b.key());
    int joined = 0;
    for (std::int64_t k = 1; k < carton_count(plan); k += 7) {
        SCOPED_TRACE(testing::Message() << k);
        work_meter none(0, nullptr, 60.0);
        const block_list loaded = partial_load(plan, carton, k, none);
        EXPECT_EQ(none.used(), 0u);
        EXPECT_EQ(carton_count(loaded), k);
        for (const box& b : cartons_of(loaded, carton)) EXPECT_TRUE(plan_keys.count(b.key()));
        expect_standing(plan, loaded, carton);
        const std::size_t unbounded = partial_load(plan, carton, k).size();
        EXPECT_GE(loaded.size(), unbounded);
        joined += loaded.size() > unbounded;
    }
    // Some of those counts need blocks joined to fit the tables.
    EXPECT_GT(joined, 0);
}

}  // namespace
}  // namespace varnel
