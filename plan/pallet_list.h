#pragma once

// A packing list whose 托盘 column puts cartons on pallets: the pallet types
// resolved, each such type palletised, and the loaded pallets checked
// against the container, every refusal naming the list's line and column.

#include <map>
#include <optional>
#include <string>
#include <variant>

#include "engine/core/placement.h"
#include "engine/single/pallet_order.h"
#include "plan/packing_list.h"

namespace varnel {

// The pallet types an order may name, by name (the catalogue's).
using pallet_catalogue = std::map<std::string, pallet_measures>;

// How the pallets of an order are made.
struct palletise_options {
    pallet_remainder remainder = pallet_remainder::pallet;
    // A loaded pallet may carry one more (two high), within its deck's load
    // weight (托盘可堆码).
    bool stackable = false;
};

// The list as an order: each type on its pallets, or loose. Refuses a
// pallet type not among `pallets`, a carton no pallet of its type takes
// (larger than the deck, taller than the load height, heavier than the
// load weight) and a loaded pallet that stands in the container in no
// upright way or weighs more than its payload, at the type's 托盘 cell.
std::variant<palletised_order, list_refusal> palletise_list(const packing_list& list,
                                                            const pallet_catalogue& pallets,
                                                            const container_space& container,
                                                            const palletise_options& options);

}  // namespace varnel
