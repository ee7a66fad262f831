#pragma once

#include <vector>

#include "engine/core/box.h"
#include "engine/mixed/request.h"
#include "engine/single/pallet_order.h"

namespace varnel::test_support {

// Whether every loaded pallet of `blocks` (the items of an order on
// `pallets`) stands on the floor or on loaded pallets alone, and nothing but
// loaded pallets stands on one: a fork-lift sets no pallet on loose cartons,
// and a wrapped load's top is no floor for them.
inline bool pallets_on_pallets(const block_list& blocks, const std::vector<carton_rules>& rules,
                               const std::vector<palletised_type>& pallets) {
    const auto is_pallet = [&](std::size_t type) {
        const palletised_type* p = palletised_item(pallets, type);
        return p != nullptr && p->cartons_on(type) > 0;
    };
    for (const carton_block& b : blocks) {
        if (b.z == 0) continue;
        const block_box base = box_of(b, rules[b.type].size);
        for (const carton_block& under : blocks) {
            if (stands_on(base, box_of(under, rules[under.type].size)) &&
                is_pallet(under.type) != is_pallet(b.type))
                return false;
        }
    }
    return true;
}

}  // namespace varnel::test_support
