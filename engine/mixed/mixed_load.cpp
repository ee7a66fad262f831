#include "engine/mixed/mixed_load.h"

namespace varnel {

std::vector<carton_rules> rules_of(const std::vector<carton_type>& cartons) {
    std::vector<carton_rules> rules;
    for (const carton_type& t : cartons) {
        rules.push_back({t.size, t.allowed, t.stackable, std::nullopt, t.weight});
    }
    return rules;
}

mixed_plan plan_mixed_load(const mixed_request& request) {
    // Not yet planned: every carton is left over.
    mixed_plan plan;
    for (const carton_type& t : request.cartons) plan.unloaded.push_back(t.quantity);
    return plan;
}

}  // namespace varnel
