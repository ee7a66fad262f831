#pragma once

// The mixed-load benchmark classes BR0-BR15, made by their published
// procedure (Bischoff & Ratcliff 1995, "Issues in the development of
// approaches to container loading", Omega 23:377-390; Davies & Bischoff 1999,
// "Weight distribution considerations in container loading", EJOR
// 114:509-527): 100 instances a class, n carton types in a 587 x 233 x 220
// cm container, the cargo about as large as the container.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace varnel {

struct br_type {
    std::array<int, 3> sides{};      // cm, longest first
    std::array<bool, 3> vertical{};  // may that side stand vertical
    std::int64_t quantity = 0;
};

struct br_instance {
    std::array<int, 3> container{587, 233, 220};  // length, width, height in cm
    std::vector<br_type> types;
};

// Carton types per class: BR0 has one, BR1-BR7 3 to 20, BR8-BR15 30 to 100.
inline constexpr std::array<std::size_t, 16> br_type_counts{1,  3,  5,  8,  10, 12, 15, 20,
                                                            30, 40, 50, 60, 70, 80, 90, 100};

// Instance p (1..100) of class `c` (0..15).
inline br_instance br_problem(std::size_t c, int p) {
    // Park and Miller's minimal standard generator.
    std::int64_t x = 2502505 + 100 * static_cast<std::int64_t>(p - 1);
    const auto next = [&x] {
        constexpr std::int64_t m = 2147483647;
        x = 16807 * x % m;
        return static_cast<double>(x) / static_cast<double>(m);
    };
    for (int i = 0; i < 10; ++i) next();
    const std::size_t n = br_type_counts[c];
    const std::array<int, 3> lo{30, 25, 20}, hi{120, 100, 80};
    br_instance b;
    for (std::size_t t = 0; t < n; ++t) {
        br_type type;
        for (std::size_t j = 0; j < 3; ++j) {
            type.sides[j] = lo[j] + static_cast<int>(next() * (hi[j] - lo[j] + 1));
        }
        std::sort(type.sides.begin(), type.sides.end(), std::greater<>());
        for (std::size_t j = 0; j < 3; ++j) type.vertical[j] = type.sides[j] < 2 * type.sides[2];
        type.quantity = 1;
        b.types.push_back(type);
    }
    const auto volume = [](const br_type& t) {
        return std::int64_t{t.sides[0]} * t.sides[1] * t.sides[2];
    };
    const std::int64_t room = std::int64_t{587} * 233 * 220;
    std::int64_t cargo = 0;
    for (const br_type& t : b.types) cargo += volume(t);
    // One more box of a type drawn at random while the cargo still fits.
    for (;;) {
        br_type& t = b.types[static_cast<std::size_t>(next() * static_cast<double>(n))];
        if (cargo + volume(t) > room) break;
        ++t.quantity;
        cargo += volume(t);
    }
    return b;
}

// What a weighed instance adds to a carton type.
struct br_weight {
    double weight = 0.0;    // kg a carton
    double max_load = 0.0;  // kg a carton bears on its top
    bool stackable = true;
};

// The weights of `b`, instance p of class c, drawn by std::mt19937 seeded
// with 1000 c + p: each type a density of 80 to 400 kg per cubic metre of
// its volume, a load it bears of 2 to 10 times its own weight, and one type
// in ten, as drawn, nothing on it.
inline std::vector<br_weight> br_weights(std::size_t c, int p, const br_instance& b) {
    std::mt19937 random(static_cast<std::uint32_t>(1000 * c + static_cast<std::size_t>(p)));
    const auto uniform = [&random](double lo, double hi) {
        return lo + (hi - lo) * static_cast<double>(random()) / 4294967296.0;
    };
    std::vector<br_weight> out;
    for (const br_type& t : b.types) {
        const double cubic_metres = t.sides[0] * t.sides[1] * t.sides[2] / 1e6;
        br_weight w;
        w.weight = std::round(uniform(80, 400) * cubic_metres * 10) / 10;
        w.max_load = std::round(uniform(2, 10) * w.weight);
        w.stackable = uniform(0, 1) >= 0.1;
        out.push_back(w);
    }
    return out;
}

}  // namespace varnel
