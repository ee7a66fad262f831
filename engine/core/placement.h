#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/core/block.h"
#include "engine/core/container.h"
#include "engine/core/orientation.h"
#include "engine/core/tolerance.h"

namespace varnel {

// What a plan may do with one carton type.
struct carton_rules {
    std::array<double, 3> size{};  // length, width, height in millimetres
    orientation_set allowed = orientation_set::any();
    bool stackable = true;                     // may anything stand on it
    std::optional<std::int64_t> quantity;      // at most this many in the plan
    std::optional<double> weight;              // kg per carton, when known
    std::optional<double> max_load{};          // kg one carton may carry on its top
    std::optional<std::int64_t> max_layers{};  // cartons of the type in one column at most
    // A loaded pallet: it stands only on the floor or on loaded pallets, and
    // only loaded pallets stand on it (a wrapped load's top is no floor for
    // loose cartons); it goes in by fork-lift.
    bool pallet = false;
};

// The rules about weight a plan keeps beyond each type's own: no carton on
// one of a lighter type, and the cargo's centre of gravity within a band
// around the container's middle (this share of its width across and of its
// length along). Both need the weights; a type without one is not judged.
struct weight_rules {
    bool heavy_not_on_light = false;
    std::optional<double> balance_share;
};

// The rules of every plan, in the order they are checked.
enum class placement_fault {
    none,
    unknown_type,     // a block's type is not in the list
    orientation,      // an orientation the type does not allow
    outside,          // a carton beyond the container's walls, floor or roof
    overlap,          // two cartons share space
    unsupported,      // a carton's base not wholly on the floor or on tops at its height
    on_unstackable,   // a carton on a carton that may not carry any
    pallet_mixed,     // a loaded pallet on loose cartons, or loose cartons on one
    quantity,         // more cartons of a type than the list holds
    overweight,       // the cargo heavier than the payload
    overloaded,       // a carton carries more than its type may
    too_many_layers,  // a column of one type higher than its type allows
    heavy_on_light,   // a carton on a carton of a lighter type
    unbalanced,       // the centre of gravity outside the band
};

struct placement_report {
    placement_fault fault = placement_fault::none;  // the first rule broken
    std::optional<std::size_t> block;               // where it was found
    std::int64_t unsupported_cartons = 0;           // cartons short of support

    bool valid() const { return fault == placement_fault::none; }
};

// Checks a plan against every rule. Blocks with a count of 0 hold nothing
// and are passed over.
placement_report check_placement(const block_list& blocks, std::span<const carton_rules> types,
                                 const container_space& container,
                                 const weight_rules& weights = {});

// The most weight, kg, a carton of each block carries on its top: its
// cartons' own above it and what stands on the block, each carton passing
// its weight and its load to those under it in proportion to the area it
// rests on each. Types without a weight weigh nothing. One figure per block,
// 0 for a block that holds nothing.
std::vector<double> loads_carried(const block_list& blocks, std::span<const carton_rules> types);

// Where the cargo's weight lies against the container's middle.
struct balance_figures {
    std::array<double, 3> centre{};  // x across, y along, z up, mm
    std::array<double, 2> offset{};  // from the middle across and along, mm
    std::array<double, 2> band{};    // the offsets allowed across and along, mm
    bool holds = true;
};

// The balance of `blocks` within `share` of the container's width and
// length; none unless every type loaded has a weight and they weigh some.
std::optional<balance_figures> balance_of(const block_list& blocks,
                                          std::span<const carton_rules> types,
                                          const container_space& container, double share);

// The cartons of `blocks` whose whole base is neither on the floor nor on
// tops of cartons at exactly its height.
std::int64_t unsupported_cartons(const block_list& blocks, std::span<const carton_rules> types);

// The cartons of `block` whose base is neither on the floor nor wholly on
// tops of `below` at exactly its height: whether a block can be loaded on
// what is already loaded.
std::int64_t unsupported_on(const carton_block& block, const block_list& below,
                            std::span<const carton_rules> types);

// The order a plan lists its blocks in: far end first, bottom up, then from
// the side X = 0, but never a block before every block under it (a crew's
// order from the door is loading_walls, engine/core/loading_walls.h). Indices into
// `blocks`; blocks with a count of 0 are left out.
std::vector<std::size_t> loading_order(const block_list& blocks,
                                       std::span<const carton_rules> types);

// One carton size in the orientations `allowed`: the rules of a single plan.
inline carton_rules single_carton(double length, double width, double height,
                                  orientation_set allowed = orientation_set::any()) {
    return {{length, width, height},
            allowed,
            true,
            std::nullopt,
            std::nullopt,
            std::nullopt,
            std::nullopt,
            false};
}

}  // namespace varnel
