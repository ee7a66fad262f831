#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/core/block.h"
#include "engine/core/orientation.h"
#include "engine/core/placement.h"

namespace varnel::test_support {

// The weight rules checked carton by carton, apart from the blocks the
// planner and the placement checker think in: each carton's load is its
// own weight and load shared among the cartons under it by the area it
// rests on each, cartons taken from the highest down. Empty when the plan
// keeps them; else what it breaks.
inline std::string weight_fault(const block_list& blocks, std::span<const carton_rules> types,
                                bool heavy_not_on_light) {
    struct carton {
        std::array<double, 3> lo{}, hi{};
        std::size_t type = 0;
        double load = 0.0;
        std::int64_t layers = 1;
    };
    std::vector<carton> all;
    for (const carton_block& b : blocks) {
        if (holds_nothing(b)) continue;
        const std::array<double, 3> e = rotated(types[b.type].size, b.orientation);
        for (int i = 0; i < b.count_x; ++i) {
            for (int j = 0; j < b.count_y; ++j) {
                for (int k = 0; k < b.count_z; ++k) {
                    carton c;
                    c.lo = {b.x + i * e[0], b.y + j * e[1], b.z + k * e[2]};
                    c.hi = {c.lo[0] + e[0], c.lo[1] + e[1], c.lo[2] + e[2]};
                    c.type = b.type;
                    all.push_back(c);
                }
            }
        }
    }
    const auto weight = [&](const carton& c) { return types[c.type].weight.value_or(0.0); };
    // By the height of their tops, so that those under a base are found by
    // a search.
    std::vector<std::size_t> by_top(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) by_top[i] = i;
    std::sort(by_top.begin(), by_top.end(),
              [&](std::size_t a, std::size_t b) { return all[a].hi[2] < all[b].hi[2]; });
    const auto under = [&](const carton& c) {
        std::vector<std::pair<std::size_t, double>> out;
        auto it = std::lower_bound(by_top.begin(), by_top.end(), c.lo[2] - 1e-3,
                                   [&](std::size_t i, double z) { return all[i].hi[2] < z; });
        for (; it != by_top.end() && all[*it].hi[2] <= c.lo[2] + 1e-3; ++it) {
            const carton& d = all[*it];
            const double a =
                std::max(0.0, std::min(c.hi[0], d.hi[0]) - std::max(c.lo[0], d.lo[0])) *
                std::max(0.0, std::min(c.hi[1], d.hi[1]) - std::max(c.lo[1], d.lo[1]));
            if (a > 1e-6) out.emplace_back(*it, a);
        }
        return out;
    };
    std::vector<std::size_t> order = by_top;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return all[a].lo[2] > all[b].lo[2]; });
    for (const std::size_t i : order) {
        const auto rests = under(all[i]);
        double area = 0.0;
        for (const auto& r : rests) area += r.second;
        for (const auto& [j, a] : rests) {
            all[j].load += (all[i].load + weight(all[i])) * a / area;
            if (heavy_not_on_light && types[all[i].type].weight && types[all[j].type].weight &&
                weight(all[i]) > weight(all[j]))
                return "heavy on light";
            if (!types[all[j].type].stackable) return "on a carton that may not carry";
        }
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        carton& c = all[*it];
        for (const auto& [j, a] : under(c)) {
            if (all[j].type == c.type) c.layers = std::max(c.layers, all[j].layers + 1);
        }
        const std::optional<std::int64_t>& most = types[c.type].max_layers;
        if (most && c.layers > *most) return "too many layers";
        const std::optional<double>& bears = types[c.type].max_load;
        if (bears && c.load > *bears * (1 + 1e-9) + 1e-9) return "overloaded";
    }
    return {};
}

}  // namespace varnel::test_support
