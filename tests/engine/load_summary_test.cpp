#include "engine/core/load_summary.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "engine/core/orientation.h"

namespace varnel {
namespace {

// Carton by carton, as a loader would weigh them: every carton's own centre,
// nothing shared with the summary's pass over blocks.
struct by_carton {
    std::int64_t cartons = 0;
    double weight = 0.0, volume = 0.0;
    bool weighed = true;
    std::array<double, 3> moment{};
};

void add_cartons(by_carton& c, const carton_block& b, const carton_rules& t) {
    const auto e = rotated(t.size, b.orientation);
    for (int i = 0; i < b.count_x; ++i) {
        for (int j = 0; j < b.count_y; ++j) {
            for (int k = 0; k < b.count_z; ++k) {
                ++c.cartons;
                c.volume += t.size[0] * t.size[1] * t.size[2];
                if (!t.weight) {
                    c.weighed = false;
                    continue;
                }
                c.weight += *t.weight;
                const std::array<double, 3> at{b.x + e[0] * (i + 0.5), b.y + e[1] * (j + 0.5),
                                               b.z + e[2] * (k + 0.5)};
                for (std::size_t a = 0; a < 3; ++a) c.moment[a] += *t.weight * at[a];
            }
        }
    }
}

void expect_figures(const cargo_figures& f, const by_carton& c, const char* what) {
    EXPECT_EQ(f.cartons, c.cartons) << what;
    const bool known = c.cartons > 0 && c.weighed;
    ASSERT_EQ(f.weight.has_value(), known) << what;
    if (known) {
        EXPECT_NEAR(*f.weight, c.weight, 1e-6 * c.weight) << what;
    }
    ASSERT_EQ(f.centre_of_gravity.has_value(), known && c.weight > 0.0) << what;
    if (!f.centre_of_gravity) return;
    for (std::size_t a = 0; a < 3; ++a) {
        EXPECT_NEAR((*f.centre_of_gravity)[a], c.moment[a] / c.weight, 1e-6)
            << what << " axis " << a;
    }
}

// Seeded loads of a few types, some weights unknown or 0: the container's
// and each type's figures are what weighing every carton gives.
TEST(load_summary, EveryFigureIsWhatWeighingEachCartonGives) {
    std::mt19937 random(36);
    std::uniform_int_distribution<int> side(100, 900), count(0, 6), orientation(1, 6);
    for (int instance = 0; instance < 300; ++instance) {
        SCOPED_TRACE("instance " + std::to_string(instance));
        std::vector<carton_rules> types(static_cast<std::size_t>(1 + instance % 4));
        for (carton_rules& t : types) {
            t.size = {side(random) * 1.0, side(random) * 1.0, side(random) * 0.5};
            const int w = static_cast<int>(random() % 6);
            if (w > 0) t.weight = w == 1 ? 0.0 : w * 3.5;  // 0 kg, unknown, or a weight
        }
        block_list blocks;
        for (int b = 0; b < 5; ++b) {
            blocks.push_back({side(random) * 3.0, side(random) * 5.0, side(random) * 2.0,
                              static_cast<std::int16_t>(orientation(random)),
                              static_cast<std::int16_t>(count(random)),
                              static_cast<std::int16_t>(count(random)),
                              static_cast<std::int16_t>(count(random)),
                              random() % (types.size() + 1)});  // one past: an unknown type
        }
        const std::array<double, 3> container{2350, 12032, 2392};
        const container_summary s = summarise_container(blocks, types, container);

        by_carton all;
        std::vector<by_carton> own(types.size());
        for (const carton_block& b : blocks) {
            if (b.type >= types.size()) continue;
            add_cartons(all, b, types[b.type]);
            add_cartons(own[b.type], b, types[b.type]);
        }
        expect_figures(s, all, "container");
        ASSERT_EQ(s.per_type.size(), types.size());
        std::size_t held = 0;
        for (std::size_t t = 0; t < types.size(); ++t) {
            expect_figures(s.per_type[t], own[t], "type");
            if (own[t].cartons > 0) ++held;
        }
        EXPECT_EQ(s.types, held);
        EXPECT_NEAR(s.utilisation, all.volume / (2350.0 * 12032 * 2392) * 100, 1e-9);
    }
}

}  // namespace
}  // namespace varnel
