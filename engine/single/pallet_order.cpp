#include "engine/single/pallet_order.h"

#include "engine/messages.h"

namespace varnel {

namespace {

// A loaded pallet as one rigid item of the mixed load: `cartons` of the
// plan's pattern, layer by layer.
carton_type pallet_item(const order_line& line, const pallet_plan& plan, std::int64_t cartons,
                        std::int64_t quantity, bool stackable) {
    const pallet_measures& p = *line.pallet;
    const std::int64_t layers = (cartons + plan.per_layer - 1) / plan.per_layer;
    carton_type item;
    item.name = line.pallet_name + text::pallet_item_open + line.carton.name +
                text::pallet_item_middle + text::pallet_cartons_prefix + std::to_string(cartons) +
                text::pallet_boxes + text::pallet_item_close;
    item.size = {p.length, p.width,
                 p.height + static_cast<double>(layers) * line.carton.size[plan.standing_side]};
    item.quantity = quantity;
    if (line.carton.weight)
        item.weight = p.weight + static_cast<double>(cartons) * *line.carton.weight;
    // Pallets go in by fork-lift: the deck stays down, either way round.
    item.allowed = orientation_set::upright();
    item.stackable = stackable;
    return item;
}

}  // namespace

std::variant<palletised_order, order_refusal> palletise_order(const std::vector<order_line>& lines,
                                                              pallet_remainder remainder,
                                                              bool stackable) {
    palletised_order order;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const order_line& line = lines[k];
        if (!line.pallet) {
            order.items.push_back(line.carton);
            order.source.push_back(k);
            continue;
        }
        const bool upright = line.carton.allowed == orientation_set::upright();
        const auto result = plan_pallet({.pallet = *line.pallet,
                                         .carton = line.carton.size,
                                         .carton_weight = line.carton.weight,
                                         .any_side = !upright});
        if (const auto* refusal = std::get_if<pallet_refusal>(&result))
            return order_refusal{k, refusal->message};
        palletised_type type{k, std::get<pallet_plan>(result)};
        const pallet_plan& plan = type.plan;
        type.full = line.carton.quantity / plan.cartons;
        type.rest = line.carton.quantity % plan.cartons;
        type.rest_loose = remainder == pallet_remainder::loose;
        if (type.full > 0) {
            order.items.push_back(pallet_item(line, plan, plan.cartons, type.full, stackable));
            order.source.push_back(k);
        }
        if (type.rest > 0) {
            if (type.rest_loose) {
                carton_type loose = line.carton;
                loose.quantity = type.rest;
                order.items.push_back(loose);
            } else {
                order.items.push_back(pallet_item(line, plan, type.rest, 1, stackable));
            }
            order.source.push_back(k);
        }
        order.pallets.push_back(std::move(type));
    }
    return order;
}

}  // namespace varnel
