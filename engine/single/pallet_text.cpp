#include "engine/single/pallet_text.h"

#include "engine/loading_steps.h"
#include "engine/messages.h"
#include "engine/shipment.h"
#include "engine/single/bound_text.h"

namespace varnel {

std::vector<std::string> pallet_lines(const pallet_plan& plan) {
    std::string counts = text::pallet_cartons_prefix + std::to_string(plan.cartons) +
                         text::pallet_cartons_suffix + std::to_string(plan.layers) +
                         text::pallet_layers_suffix + std::to_string(plan.per_layer) +
                         text::pallet_boxes;
    if (plan.top_layer < plan.per_layer) {
        counts +=
            text::pallet_top_layer_prefix + std::to_string(plan.top_layer) + text::pallet_boxes;
    }
    counts +=
        plan.limit == pallet_limit::weight ? text::pallet_weight_limit : text::pallet_height_limit;
    std::vector<std::string> lines{
        counts, plan.interlocked ? text::pallet_interlocked : text::pallet_columns,
        std::string(text::pallet_stance_prefix) + text::sides_up[plan.standing_side],
        bound_text(plan.cartons, plan.upper_bound),
        text::pallet_size_prefix + size_text(plan.size)};
    if (plan.weight) {
        lines.push_back(text::pallet_weight_prefix + weight_text(*plan.weight) + text::kilograms);
    }
    return lines;
}

}  // namespace varnel
