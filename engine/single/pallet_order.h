#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/mixed/mixed_summary.h"
#include "engine/mixed/request.h"
#include "engine/single/pallet_load.h"

namespace varnel {

// A line of an order: a carton type and, when it goes palletised, its
// pallet type.
struct order_line {
    carton_type carton;
    std::optional<pallet_measures> pallet;
    std::string pallet_name;
};

// What is left over after the full pallets of a type: one last part pallet,
// or loose cartons.
enum class pallet_remainder { pallet, loose };

// One palletised type: its pallet plan, the full pallets, and the cartons
// on the part pallet (or loose).
struct palletised_type {
    std::size_t line = 0;
    pallet_plan plan;
    std::int64_t full = 0;
    std::int64_t rest = 0;
    bool rest_loose = false;
    // The order line it came from: the pallet type and the cartons, all of
    // them.
    std::string pallet_name{};
    pallet_measures pallet{};
    carton_type carton{};
    // Its items in the order: the full pallets, and the part pallet or the
    // loose rest.
    std::optional<std::size_t> full_item{};
    std::optional<std::size_t> rest_item{};

    // The cartons on one pallet of `item`; 0 for the loose rest or an item
    // not this type's.
    std::int64_t cartons_on(std::size_t item) const;
};

// The palletised type whose pallets (or loose rest) `item` is; none for a
// loose line.
const palletised_type* palletised_item(const std::vector<palletised_type>& pallets,
                                       std::size_t item);

// The cartons in `items` of `item`: a pallet's by the cartons on it, a
// loose carton one.
std::int64_t cartons_in(const std::vector<palletised_type>& pallets, std::size_t item,
                        std::int64_t items);

// A summary of an order on pallets counted as a crew counts it: every
// total in cartons (a pallet by the cartons on it) and a container's types
// as the order's lines, a type's pallets and its loose rest once. The
// per-type figures stay counts of items, as the lines naming pallets read.
void count_cartons_on_pallets(mixed_summary& summary, const std::vector<palletised_type>& pallets);

// The order back from its items: each palletised type's line once, where
// its first item stands, with its pallet; loose lines as they are.
std::vector<order_line> order_lines_of(const std::vector<carton_type>& items,
                                       const std::vector<palletised_type>& pallets);

// What a loaded pallet holds, as its item and its loading step name it:
// "（纸箱A，每托48箱）".
std::string pallet_load_text(const std::string& carton_name, std::int64_t cartons);

// The order as the mixed planner takes it: every full pallet of a type one
// rigid item (the loaded pallet's outer size and gross weight, never on a
// side, carrying another only when `stackable`), a part pallet another, and
// loose cartons as typed. `source[k]` is the order line of items[k].
struct palletised_order {
    std::vector<carton_type> items;
    std::vector<std::size_t> source;
    std::vector<palletised_type> pallets;
};

// The order line whose cartons no pallet can take, and why.
struct order_refusal {
    std::size_t line = 0;
    const char* message = nullptr;
};

// Plans each palletised line on its pallet and turns the order into the
// items of a mixed load.
std::variant<palletised_order, order_refusal> palletise_order(const std::vector<order_line>& lines,
                                                              pallet_remainder remainder,
                                                              bool stackable);

}  // namespace varnel
