#include "engine/mixed/request.h"

namespace varnel {

std::int64_t container_count(const mixed_plan& plan) {
    std::int64_t n = 0;
    for (const container_load& load : plan.containers) n += load.repeat;
    return n;
}

std::vector<carton_rules> rules_of(std::span<const carton_type> cartons) {
    std::vector<carton_rules> rules;
    for (const carton_type& t : cartons) {
        rules.push_back({t.size, t.allowed, t.stackable, std::nullopt, t.weight});
    }
    return rules;
}

}  // namespace varnel
