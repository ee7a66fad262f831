#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bench/br_instances.h"
#include "engine/mixed/request.h"

namespace varnel::test_support {

// A seeded packing list in one of three rooms: up to eight types, sides of
// 15 to 90 cm, some typed with a decimal and read through float as the
// list's reader does, any vertical sides, some not stackable, some weighed
// under a payload. A `small` list has stackable cartons of at most 50 cm,
// a fifth of the room at most.
inline mixed_request seeded_list(std::uint32_t seed, bool small) {
    std::mt19937 random(seed);
    const auto draw = [&random](int lo, int hi) {
        return lo + static_cast<int>(random() % static_cast<std::uint32_t>(hi - lo + 1));
    };
    const std::array<std::array<double, 3>, 3> rooms{
        {{2350, 5898, 2393}, {2352, 12032, 2698}, {1200, 1600, 1450}}};
    mixed_request r;
    r.container = rooms[seed % 3];
    const double room = r.container[0] * r.container[1] * r.container[2];
    const int types = draw(1, 8);
    for (int i = 0; i < types; ++i) {
        carton_type t;
        t.name = "carton " + std::to_string(i);
        for (double& side : t.size) {
            const float cm = static_cast<float>(draw(150, small ? 500 : 900)) / 10.0f;
            side = draw(0, 1) == 0 ? std::round(cm) * 10.0 : static_cast<double>(cm * 10.0f);
        }
        t.quantity = draw(1, 40);
        t.allowed = orientation_set::with_vertical_sides(static_cast<unsigned>(draw(1, 7)));
        t.stackable = small || draw(0, 4) != 0;
        if (draw(0, 2) != 0) t.weight = draw(5, 80);
        const double volume = t.size[0] * t.size[1] * t.size[2];
        if (small)
            t.quantity = std::max<std::int64_t>(
                1, std::min<std::int64_t>(t.quantity,
                                          static_cast<std::int64_t>(room / 5 / types / volume)));
        r.cartons.push_back(t);
    }
    if (!small && seed % 4 == 0) r.payload = draw(300, 3000);
    r.parameters.work_budget = 3'000'000;
    return r;
}

// Instance p of BR class `cls` made into an order, each type's quantity
// times `times`, in millimetres, as many containers as it takes. Weighed,
// the types get the weights, the loads they bear and whether they stack of
// br_weights, and the order every rule: heavy not on light, the balance
// band of 5 %.
inline mixed_request br_order(std::size_t cls, int p, std::int64_t times, bool weighed) {
    const br_instance b = br_problem(cls, p);
    const std::vector<br_weight> w = br_weights(cls, p, b);
    mixed_request r;
    r.container = {b.container[1] * 10.0, b.container[0] * 10.0, b.container[2] * 10.0};
    for (std::size_t t = 0; t < b.types.size(); ++t) {
        const br_type& in = b.types[t];
        carton_type out;
        out.name = "T" + std::to_string(t + 1);
        out.size = {in.sides[0] * 10.0, in.sides[1] * 10.0, in.sides[2] * 10.0};
        out.quantity = in.quantity * times;
        unsigned mask = 0;
        for (unsigned j = 0; j < 3; ++j) mask |= in.vertical[j] ? 1u << j : 0u;
        out.allowed = orientation_set::with_vertical_sides(mask);
        if (weighed) {
            out.weight = w[t].weight;
            out.max_load = w[t].max_load;
            out.stackable = w[t].stackable;
        }
        r.cartons.push_back(out);
    }
    r.weights = {true, 0.05};
    return r;
}

}  // namespace varnel::test_support
