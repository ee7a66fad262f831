#pragma once

// Loads for the solid view's benchmark and pictures: a 40-foot container
// packed with blocks of `types` carton types, about `cartons` cartons in
// all. The floor is cut into sections along the length and each section
// into columns across; each column holds a block of one type and, above it,
// a block of another, as a mixed plan's stacks stand. Seeded: the same
// arguments give the same load.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "view/solid_scene.h"
#include "view/type_colours.h"

namespace varnel {

inline std::int64_t carton_count(const solid_scene& s) { return carton_count(s.blocks); }

// The load with cartons of about `side` mm.
inline solid_scene packed_with(double side, int types, bool one_block_per_carton, unsigned seed) {
    solid_scene s;
    s.container = {2350, 12030, 2390};
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> share(0.6, 1.4);
    for (int t = 0; t < types; ++t) {
        solid_type type;
        type.name = "T" + std::to_string(t + 1);
        type.size = {std::round(side * share(random)), std::round(side * share(random)),
                     std::round(side * share(random))};
        type.weight = 5.0 + t;
        type.colour = type_colour(static_cast<std::size_t>(t));
        s.types.push_back(type);
    }
    std::uniform_int_distribution<int> pick_type(0, types - 1);
    std::uniform_int_distribution<int> columns(1, 4);
    std::uniform_real_distribution<double> height_share(0.3, 0.8);
    const auto add = [&](std::size_t t, double x, double y, double z, std::int16_t nx,
                         std::int16_t ny, std::int16_t nz) {
        if (nx <= 0 || ny <= 0 || nz <= 0) return;
        const auto e = s.types[t].size;
        if (!one_block_per_carton) {
            s.blocks.push_back({x, y, z, 1, nx, ny, nz, t});
            return;
        }
        for (std::int16_t j = 0; j < ny; ++j) {
            for (std::int16_t k = 0; k < nz; ++k) {
                for (std::int16_t i = 0; i < nx; ++i) {
                    s.blocks.push_back({x + i * e[0], y + j * e[1], z + k * e[2], 1, 1, 1, 1, t});
                }
            }
        }
    };
    double y = 0;
    while (true) {
        const std::size_t first = static_cast<std::size_t>(pick_type(random));
        const double depth = s.types[first].size[1] * 2;
        if (y + depth > s.container.y) break;
        double x = 0;
        while (true) {
            const std::size_t t = static_cast<std::size_t>(pick_type(random));
            const auto e = s.types[t].size;
            const auto nx = static_cast<std::int16_t>(
                std::min<double>(std::floor((s.container.x - x) / e[0]), columns(random)));
            if (nx <= 0) break;
            const auto ny = static_cast<std::int16_t>(std::floor(depth / e[1]));
            const auto nz =
                static_cast<std::int16_t>(std::floor(s.container.z * height_share(random) / e[2]));
            add(t, x, y, 0, nx, ny, nz);
            // Another type on top, within the column's width and depth.
            const std::size_t u = static_cast<std::size_t>(pick_type(random));
            const auto f = s.types[u].size;
            const double top = nz * e[2];
            add(u, x, y, top, static_cast<std::int16_t>(std::floor(nx * e[0] / f[0])),
                static_cast<std::int16_t>(std::floor(ny * e[1] / f[1])),
                static_cast<std::int16_t>(std::floor((s.container.z - top) / f[2])));
            x += nx * e[0];
        }
        y += depth;
    }
    return s;
}

// The carton size is settled in a few rounds so that the load holds
// within 3 % of `cartons`.
inline solid_scene packed_load(int cartons, int types, bool one_block_per_carton = false,
                               unsigned seed = 39) {
    double side = std::cbrt(0.6 * 2350.0 * 12030.0 * 2390.0 / cartons);
    solid_scene s;
    for (int round = 0; round < 8; ++round) {
        s = packed_with(side, types, one_block_per_carton, seed);
        const double share = static_cast<double>(carton_count(s)) / cartons;
        if (std::fabs(share - 1.0) < 0.03) break;
        side *= std::cbrt(share);
    }
    return s;
}

}  // namespace varnel
