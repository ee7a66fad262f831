#include "engine/mixed/request.h"

#include <algorithm>

#include "engine/core/expects.h"

namespace varnel {

bool well_formed(const mixed_request& request) {
    const mixed_parameters& p = request.parameters;
    return positive_sides(request.container) &&
           std::all_of(request.cartons.begin(), request.cartons.end(),
                       [](const carton_type& t) { return positive_sides(t.size); }) &&
           p.successors >= 1 && p.first_width >= 1 && p.max_width >= 1;
}

std::int64_t container_count(const mixed_plan& plan) {
    std::int64_t n = 0;
    for (const container_load& load : plan.containers) n += load.repeat;
    return n;
}

bool weighed(std::span<const carton_type> cartons) {
    return std::any_of(cartons.begin(), cartons.end(),
                       [](const carton_type& t) { return t.weight.has_value(); });
}

std::vector<carton_rules> rules_of(std::span<const carton_type> cartons) {
    std::vector<carton_rules> rules;
    for (const carton_type& t : cartons) {
        rules.push_back({t.size, t.allowed, t.stackable, std::nullopt, t.weight, t.max_load,
                         t.max_layers, t.pallet});
    }
    return rules;
}

}  // namespace varnel
