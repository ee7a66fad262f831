#include "engine/single/pallet_text.h"

#include <algorithm>

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

std::string pallet_count_line(const palletised_type& type) {
    std::string line =
        text::pallet_full_prefix + std::to_string(type.full) + text::pallets_count_middle;
    if (type.rest > 0 && type.rest_loose) {
        line += text::pallet_loose_prefix + std::to_string(type.rest) + text::pallet_loose_suffix;
    } else if (type.rest > 0) {
        line += text::pallet_part_prefix + std::to_string(type.rest) + text::pallet_part_suffix;
    }
    return line;
}

std::vector<std::string> layer_lines(const pallet_plan& plan) {
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < plan.layer_patterns.size(); ++k) {
        const layer_pattern& layer = plan.layer_patterns[k];
        const auto along = std::count_if(layer.begin(), layer.end(),
                                         [](const layer_carton& c) { return c.length >= c.width; });
        lines.push_back(
            text::pallet_layer_prefix + std::to_string(k + 1) + text::pallet_layer_middle +
            std::to_string(layer.size()) + text::pallet_along_prefix + std::to_string(along) +
            text::pallet_across_prefix +
            std::to_string(static_cast<std::ptrdiff_t>(layer.size()) - along) + text::pallet_boxes);
    }
    return lines;
}

void add_pallets(loading_report& report, const std::vector<palletised_type>& pallets) {
    for (const palletised_type& type : pallets) {
        for (const auto& item : {type.full_item, type.rest_item}) {
            if (item && *item < report.types.size() && type.cartons_on(*item) > 0) {
                report.types[*item].pallet_load =
                    pallet_load_text(type.carton.name, type.cartons_on(*item));
                report.types[*item].cartons_each = type.cartons_on(*item);
            }
        }
        report_pallet page{
            type.pallet_name + text::pallet_item_open + type.carton.name + text::pallet_item_close,
            {type.pallet.length, type.pallet.width},
            {},
            pallet_lines(type.plan)};
        page.lines.insert(page.lines.begin() + 1, pallet_count_line(type));
        for (const std::string& line : layer_lines(type.plan)) page.lines.push_back(line);
        for (const layer_pattern& layer : type.plan.layer_patterns) {
            auto& cartons = page.layers.emplace_back();
            for (const layer_carton& c : layer) cartons.push_back({c.x, c.y, c.length, c.width});
        }
        report.pallets.push_back(std::move(page));
    }
}

}  // namespace varnel
