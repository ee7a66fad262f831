#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/mixed/request.h"

namespace varnel {

struct bench_instance {
    calculation_input input;
    bool upright = false;  // 不可侧放
    std::string container;

    orientation_set allowed() const {
        return upright ? orientation_set::upright() : orientation_set::any();
    }
};

// The seeded benchmark set: the four ISO containers of the delivered
// catalogue in turn, carton sides uniform whole millimetres from 150 to 900,
// upright (不可侧放) in every other group of four. The generator and the
// mapping to sides are spelt out, so every standard library draws the same.
inline std::vector<bench_instance> benchmark_set(std::size_t size = 2000, std::uint32_t seed = 15) {
    struct iso {
        const char* name;
        float length, width, height;
    };
    const iso containers[] = {{"20尺柜", 5896, 2350, 2393},
                              {"40尺柜", 12032, 2350, 2392},
                              {"40尺高柜", 12032, 2350, 2697},
                              {"45尺高柜", 13556, 2347, 2696}};
    std::mt19937 random(seed);
    const auto side = [&random] {
        const std::uint32_t span = 751, limit = 0xFFFFFFFFu - 0xFFFFFFFFu % span;
        std::uint32_t v = 0;
        do v = static_cast<std::uint32_t>(random());
        while (v >= limit);
        return static_cast<float>(150 + v % span);
    };
    std::vector<bench_instance> set;
    for (std::size_t i = 0; i < size; ++i) {
        const iso& c = containers[i % 4];
        bench_instance b;
        b.input.carton_length = side();
        b.input.carton_width = side();
        b.input.carton_height = side();
        b.input.container_width = c.width;
        b.input.container_length = c.length;
        b.input.container_height = c.height;
        b.upright = (i / 4) % 2 == 1;
        b.container = c.name;
        set.push_back(b);
    }
    return set;
}

// An instance as a one-type packing list for one container, holding
// `quantity` cartons, so the mixed planner can be set beside the optimiser.
inline mixed_request one_type_request(const bench_instance& b, std::int64_t quantity) {
    const calculation_input& in = b.input;
    mixed_request r;
    r.container = container_axes(in);
    carton_type c;
    c.size = {in.carton_length, in.carton_width, in.carton_height};
    c.allowed = b.allowed();
    c.quantity = quantity;
    r.cartons.push_back(c);
    r.max_containers = 1;
    return r;
}

}  // namespace varnel
