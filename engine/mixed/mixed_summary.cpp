#include "engine/mixed/mixed_summary.h"

#include <algorithm>

#include "engine/core/orientation.h"

namespace varnel {

container_summary summarise_container(const block_list& blocks,
                                      std::span<const carton_type> cartons,
                                      const std::array<double, 3>& container) {
    container_summary s;
    s.per_type.assign(cartons.size(), 0);
    double volume = 0.0;
    double weight = 0.0;
    bool weight_known = true;
    std::array<double, 3> volume_moment{}, weight_moment{};
    for (const carton_block& b : blocks) {
        if (b.type >= cartons.size() || holds_nothing(b)) continue;
        const carton_type& t = cartons[b.type];
        const std::int64_t n = carton_count(b);
        const std::array<double, 3> e = rotated(t.size, b.orientation);
        const std::array<double, 3> centre{b.x + e[0] * b.count_x / 2, b.y + e[1] * b.count_y / 2,
                                           b.z + e[2] * b.count_z / 2};
        const double block_volume = e[0] * e[1] * e[2] * static_cast<double>(n);
        s.cartons += n;
        s.per_type[b.type] += n;
        volume += block_volume;
        if (t.weight) {
            weight += *t.weight * static_cast<double>(n);
        } else {
            weight_known = false;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            volume_moment[k] += centre[k] * block_volume;
            if (t.weight) weight_moment[k] += centre[k] * *t.weight * static_cast<double>(n);
        }
    }
    s.types = static_cast<std::size_t>(
        std::count_if(s.per_type.begin(), s.per_type.end(), [](std::int64_t n) { return n > 0; }));
    const double space = container[0] * container[1] * container[2];
    if (space > 0.0) s.utilisation = volume / space * 100.0;
    if (s.cartons == 0) return s;
    if (weight_known) s.weight = weight;
    const bool by_weight = weight_known && weight > 0.0;
    for (std::size_t k = 0; k < 3; ++k) {
        s.centre_of_gravity[k] = by_weight ? weight_moment[k] / weight : volume_moment[k] / volume;
    }
    return s;
}

mixed_summary summarise_mixed(const mixed_plan& plan, std::span<const carton_type> cartons,
                              const std::array<double, 3>& container) {
    mixed_summary m;
    m.loaded.assign(cartons.size(), 0);
    m.weight = 0.0;
    for (const container_load& load : plan.containers) {
        container_summary s = summarise_container(load.blocks, cartons, container);
        s.repeat = load.repeat;
        for (std::size_t t = 0; t < cartons.size(); ++t) m.loaded[t] += s.per_type[t] * s.repeat;
        m.cartons += s.cartons * s.repeat;
        m.container_count += s.repeat;
        if (m.weight && s.weight) {
            *m.weight += *s.weight * static_cast<double>(s.repeat);
        } else if (s.cartons > 0) {
            m.weight.reset();
        }
        m.containers.push_back(std::move(s));
    }
    for (std::size_t t = 0; t < cartons.size(); ++t) {
        m.unloaded.push_back(std::max<std::int64_t>(cartons[t].quantity - m.loaded[t], 0));
        m.unloaded_cartons += m.unloaded.back();
    }
    return m;
}

}  // namespace varnel
