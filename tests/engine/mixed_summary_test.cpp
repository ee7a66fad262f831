#include "engine/mixed/mixed_summary.h"

#include <gtest/gtest.h>

#include "tests/support/mixed_example.h"

namespace varnel {
namespace {

// The example's figures, worked out by hand: A's block fills 432 dm³ centred
// at (900, 400, 150), B's 1728 dm³ at (800, 1100, 900); the container holds
// 33137.35 dm³.
TEST(mixed_summary, CountsWeighsAndCentresEachContainer) {
    const mixed_plan_file f = test_support::mixed_example();
    const mixed_summary m = summarise_mixed(f.plan, f.cartons, f.container.size);
    ASSERT_EQ(m.containers.size(), 2u);

    const container_summary& first = m.containers[0];
    EXPECT_EQ(first.cartons, 8);
    ASSERT_EQ(first.per_type.size(), 2u);
    EXPECT_EQ(first.per_type[0].cartons, 6);
    EXPECT_EQ(first.per_type[1].cartons, 2);
    EXPECT_EQ(first.types, 2u);
    EXPECT_NEAR(first.utilisation, 2160.0 / 33137.35 * 100, 1e-9);
    // B's weight is unknown: no weight and no centre of gravity for the
    // container, while A's own are known.
    EXPECT_EQ(first.weight, std::nullopt);
    EXPECT_EQ(first.centre_of_gravity, std::nullopt);
    EXPECT_EQ(first.per_type[0].weight, 75.0);
    EXPECT_EQ(first.per_type[0].centre_of_gravity, (std::array<double, 3>{900, 400, 150}));
    EXPECT_EQ(first.per_type[1].weight, std::nullopt);
    EXPECT_EQ(first.per_type[1].centre_of_gravity, std::nullopt);

    const container_summary& second = m.containers[1];
    EXPECT_EQ(second.cartons, 4);
    EXPECT_EQ(second.types, 1u);
    EXPECT_EQ(second.weight, 50.0);
    EXPECT_EQ(second.centre_of_gravity, (std::array<double, 3>{600, 400, 150}));

    EXPECT_EQ(m.cartons, 12);
    EXPECT_EQ(m.loaded, (std::vector<std::int64_t>{10, 2}));
    EXPECT_EQ(m.unloaded, (std::vector<std::int64_t>{2, 0}));
    EXPECT_EQ(m.unloaded_cartons, 2);
    EXPECT_EQ(m.weight, std::nullopt);
}

// With weights, the centre follows the weight, not the volume: a heavy small
// carton pulls it.
TEST(mixed_summary, TheCentreOfGravityFollowsTheWeight) {
    const std::vector<carton_type> types{{"light", {1000, 1000, 1000}, 1, 1.0},
                                         {"heavy", {100, 100, 100}, 1, 9.0}};
    const block_list blocks{{0, 0, 0, 1, 1, 1, 1, 0}, {1000, 0, 0, 1, 1, 1, 1, 1}};
    const container_summary s = summarise_container(blocks, rules_of(types), {2000, 2000, 2000});
    EXPECT_EQ(s.weight, 10.0);
    ASSERT_TRUE(s.centre_of_gravity);
    EXPECT_NEAR((*s.centre_of_gravity)[0], (500 * 1.0 + 1050 * 9.0) / 10, 1e-9);
    EXPECT_NEAR((*s.centre_of_gravity)[2], (500 * 1.0 + 50 * 9.0) / 10, 1e-9);
}

}  // namespace
}  // namespace varnel
