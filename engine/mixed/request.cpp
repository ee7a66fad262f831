#include "engine/mixed/request.h"

namespace varnel {

std::vector<carton_rules> rules_of(const std::vector<carton_type>& cartons) {
    std::vector<carton_rules> rules;
    for (const carton_type& t : cartons) {
        rules.push_back({t.size, t.allowed, t.stackable, std::nullopt, t.weight});
    }
    return rules;
}

}  // namespace varnel
