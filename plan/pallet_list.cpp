#include "plan/pallet_list.h"

#include "plan/messages.h"

namespace varnel {

namespace {

// A loaded pallet as what it is against the container: it stands upright,
// so its outer size must fit as it is or turned end for end.
std::optional<const char*> pallet_item_fault(const carton_type& item,
                                             const container_space& container) {
    const std::array<double, 3>& c = container.size;  // x across, y along, z up
    const std::array<double, 3>& s = item.size;       // length, width, height
    const bool fits =
        s[2] <= c[2] && ((s[0] <= c[1] && s[1] <= c[0]) || (s[0] <= c[0] && s[1] <= c[1]));
    if (!fits) return text::list_pallet_does_not_fit;
    if (item.weight && container.payload && *item.weight > *container.payload)
        return text::list_pallet_over_payload;
    return std::nullopt;
}

}  // namespace

std::variant<palletised_order, list_refusal> palletise_list(const packing_list& list,
                                                            const pallet_catalogue& pallets,
                                                            const container_space& container,
                                                            const palletise_options& options) {
    std::vector<order_line> lines;
    for (std::size_t k = 0; k < list.cartons.size(); ++k) {
        order_line line{list.cartons[k], std::nullopt, {}};
        const std::string name = k < list.pallets.size() ? list.pallets[k] : std::string();
        if (!name.empty()) {
            const auto found = pallets.find(name);
            if (found == pallets.end())
                return type_refusal(list, k, list_field::pallet, text::list_pallet_unknown);
            line.pallet = found->second;
            line.pallet_name = name;
        }
        lines.push_back(std::move(line));
    }
    auto made = palletise_order(lines, options.remainder, options.stackable);
    if (const auto* refusal = std::get_if<order_refusal>(&made))
        return type_refusal(list, refusal->line, list_field::pallet, refusal->message);
    palletised_order& order = std::get<palletised_order>(made);
    for (std::size_t k = 0; k < order.items.size(); ++k) {
        const palletised_type* type = palletised_item(order.pallets, k);
        if (type == nullptr || type->cartons_on(k) == 0) continue;
        if (const auto fault = pallet_item_fault(order.items[k], container))
            return type_refusal(list, order.source[k], list_field::pallet, *fault);
    }
    return std::move(order);
}

}  // namespace varnel
