#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace varnel {

// One layer of the manufacturer's pallet loading problem: an L x W pallet
// and l x w boxes, whole millimetres.
struct cover_instance {
    int L = 0, W = 0, l = 0, w = 0;
};

// A seeded sample of the set the literature calls Cover I (Nelissen 1993;
// Lins, Lins & Morabito 2003): 1 <= L/W <= 2, 1 <= l/w <= 4 and
// 1 <= LW/(lw) < 51, every box fitting the pallet. The pallet's width is
// drawn in [500, 1500] mm, the two ratios and the area ratio uniformly in
// their ranges, and the sizes rounded to whole millimetres; a draw that
// rounding takes out of a range is drawn again. The draws are mapped by
// hand, so every standard library gives the same sample.
inline std::vector<cover_instance> cover_one_sample(std::size_t size = 3000,
                                                    std::uint32_t seed = 40) {
    std::mt19937 random(seed);
    const auto uniform = [&random](double lo, double hi) {
        return lo + (hi - lo) * (static_cast<double>(random()) / 4294967296.0);
    };
    std::vector<cover_instance> set;
    while (set.size() < size) {
        const double W = std::round(uniform(500, 1500));
        const double L = std::round(W * uniform(1, 2));
        const double t = uniform(1, 4), area = L * W / uniform(1, 51);
        const double w = std::round(std::sqrt(area / t)), l = std::round(w * t);
        const double boxes = L * W / (l * w);
        if (L > 2 * W || l < w || l > 4 * w || boxes < 1 || boxes >= 51 || l > L || w > W) continue;
        set.push_back(
            {static_cast<int>(L), static_cast<int>(W), static_cast<int>(l), static_cast<int>(w)});
    }
    return set;
}

}  // namespace varnel
