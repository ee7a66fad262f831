#include "engine/core/load_summary.h"

#include <algorithm>

#include "engine/core/orientation.h"

namespace varnel {

namespace {

// What a pass over the blocks adds up for some cartons.
struct moments {
    std::int64_t cartons = 0;
    double weight = 0.0;
    bool weighed = true;  // every carton counted has a weight
    std::array<double, 3> moment{};

    void add(std::int64_t n, const std::optional<double>& carton_weight,
             const std::array<double, 3>& centre) {
        cartons += n;
        if (!carton_weight) {
            weighed = false;
            return;
        }
        // The cartons of a block weigh alike, so its weight acts at its middle.
        const double w = *carton_weight * static_cast<double>(n);
        weight += w;
        for (std::size_t k = 0; k < 3; ++k) moment[k] += w * centre[k];
    }

    cargo_figures figures() const {
        cargo_figures f;
        f.cartons = cartons;
        if (cartons == 0 || !weighed) return f;
        f.weight = weight;
        if (weight > 0.0) {
            f.centre_of_gravity = {moment[0] / weight, moment[1] / weight, moment[2] / weight};
        }
        return f;
    }
};

}  // namespace

container_summary summarise_container(const block_list& blocks, std::span<const carton_rules> types,
                                      const std::array<double, 3>& container) {
    moments all;
    std::vector<moments> own(types.size());
    double volume = 0.0;
    for (const carton_block& b : blocks) {
        if (b.type >= types.size() || holds_nothing(b)) continue;
        const carton_rules& t = types[b.type];
        const std::int64_t n = carton_count(b);
        volume += t.size[1] * t.size[0] * t.size[2] * static_cast<double>(n);
        const std::array<double, 3> e = rotated(t.size, b.orientation);
        const std::array<double, 3> centre{b.x + e[0] * b.count_x / 2.0,
                                           b.y + e[1] * b.count_y / 2.0,
                                           b.z + e[2] * b.count_z / 2.0};
        all.add(n, t.weight, centre);
        own[b.type].add(n, t.weight, centre);
    }
    container_summary s;
    static_cast<cargo_figures&>(s) = all.figures();
    for (const moments& m : own) s.per_type.push_back(m.figures());
    s.types = static_cast<std::size_t>(
        std::count_if(own.begin(), own.end(), [](const moments& m) { return m.cartons > 0; }));
    const double space = container[1] * container[0] * container[2];
    if (volume > 0.0 && space > 0.0) s.utilisation = volume / space * 100.0;
    return s;
}

}  // namespace varnel
