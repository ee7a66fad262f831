#include "engine/mixed/mixed_summary.h"

#include <algorithm>

namespace varnel {

mixed_summary summarise_mixed(const mixed_plan& plan, std::span<const carton_type> cartons,
                              const std::array<double, 3>& container) {
    const std::vector<carton_rules> rules = rules_of(cartons);
    mixed_summary m;
    m.loaded.assign(cartons.size(), 0);
    m.weight = 0.0;
    for (const container_load& load : plan.containers) {
        container_summary s = summarise_container(load.blocks, rules, container);
        for (std::size_t t = 0; t < cartons.size(); ++t) {
            m.loaded[t] += s.per_type[t].cartons * load.repeat;
        }
        m.cartons += s.cartons * load.repeat;
        m.container_count += load.repeat;
        if (m.weight && s.weight) {
            *m.weight += *s.weight * static_cast<double>(load.repeat);
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
