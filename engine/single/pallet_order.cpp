#include "engine/single/pallet_order.h"

#include <algorithm>

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
    item.name = line.pallet_name + pallet_load_text(line.carton.name, cartons);
    item.size = {p.length, p.width,
                 p.height + static_cast<double>(layers) * line.carton.size[plan.standing_side]};
    item.quantity = quantity;
    if (line.carton.weight)
        item.weight = p.weight + static_cast<double>(cartons) * *line.carton.weight;
    // Pallets go in by fork-lift: the deck stays down, either way round.
    item.allowed = orientation_set::upright();
    item.stackable = stackable;
    item.pallet = true;
    // Two high at most, and only where the pallet under it may carry the
    // weight: what its own deck is rated for.
    if (stackable) {
        item.max_layers = 2;
        item.max_load = p.load_weight;
    }
    return item;
}

}  // namespace

std::string pallet_load_text(const std::string& carton_name, std::int64_t cartons) {
    return text::pallet_item_open + carton_name + text::pallet_item_middle +
           text::pallet_cartons_prefix + std::to_string(cartons) + text::pallet_boxes +
           text::pallet_item_close;
}

std::int64_t palletised_type::cartons_on(std::size_t item) const {
    if (full_item == item) return plan.cartons;
    if (rest_item == item && !rest_loose) return rest;
    return 0;
}

const palletised_type* palletised_item(const std::vector<palletised_type>& pallets,
                                       std::size_t item) {
    for (const palletised_type& p : pallets) {
        if (p.full_item == item || p.rest_item == item) return &p;
    }
    return nullptr;
}

std::int64_t cartons_in(const std::vector<palletised_type>& pallets, std::size_t item,
                        std::int64_t items) {
    const palletised_type* type = palletised_item(pallets, item);
    const std::int64_t each = type == nullptr ? 0 : type->cartons_on(item);
    return items * (each == 0 ? 1 : each);
}

void count_cartons_on_pallets(mixed_summary& summary, const std::vector<palletised_type>& pallets) {
    if (pallets.empty()) return;
    const auto cartons_of = [&](std::size_t item, std::int64_t items) {
        return cartons_in(pallets, item, items);
    };
    const std::size_t n = summary.loaded.size();
    std::int64_t total = 0;
    std::int64_t left = 0;
    for (std::size_t t = 0; t < n; ++t) {
        total += cartons_of(t, summary.loaded[t]);
        left += cartons_of(t, summary.unloaded[t]);
    }
    summary.cartons = total;
    summary.unloaded_cartons = left;
    for (container_summary& s : summary.containers) {
        std::int64_t cartons = 0;
        // A loose line by its item, a palletised one past every item.
        std::vector<std::size_t> lines;
        for (std::size_t t = 0; t < n && t < s.per_type.size(); ++t) {
            if (s.per_type[t].cartons == 0) continue;
            cartons += cartons_of(t, s.per_type[t].cartons);
            const palletised_type* type = palletised_item(pallets, t);
            const std::size_t line =
                type == nullptr ? t : n + static_cast<std::size_t>(type - pallets.data());
            if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
        }
        s.cartons = cartons;
        s.types = lines.size();
    }
}

std::vector<order_line> order_lines_of(const std::vector<carton_type>& items,
                                       const std::vector<palletised_type>& pallets) {
    std::vector<order_line> lines;
    for (std::size_t k = 0; k < items.size(); ++k) {
        const palletised_type* type = palletised_item(pallets, k);
        if (type == nullptr) {
            lines.push_back({items[k], std::nullopt, {}});
        } else if (k == type->full_item.value_or(type->rest_item.value_or(k))) {
            lines.push_back({type->carton, type->pallet, type->pallet_name});
        }
    }
    return lines;
}

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
        palletised_type type{.line = k, .plan = std::get<pallet_plan>(result)};
        type.pallet_name = line.pallet_name;
        type.pallet = *line.pallet;
        type.carton = line.carton;
        const pallet_plan& plan = type.plan;
        type.full = line.carton.quantity / plan.cartons;
        type.rest = line.carton.quantity % plan.cartons;
        type.rest_loose = remainder == pallet_remainder::loose;
        if (type.full > 0) {
            type.full_item = order.items.size();
            order.items.push_back(pallet_item(line, plan, plan.cartons, type.full, stackable));
            order.source.push_back(k);
        }
        if (type.rest > 0) {
            type.rest_item = order.items.size();
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
