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
    bool stackable = true;                 // may anything stand on it
    std::optional<std::int64_t> quantity;  // at most this many in the plan
    std::optional<double> weight;          // kg per carton, when known
};

// The rules of every plan, in the order they are checked.
enum class placement_fault {
    none,
    unknown_type,    // a block's type is not in the list
    orientation,     // an orientation the type does not allow
    outside,         // a carton beyond the container's walls, floor or roof
    overlap,         // two cartons share space
    unsupported,     // a carton's base not wholly on the floor or on tops at its height
    on_unstackable,  // a carton on a carton that may not carry any
    quantity,        // more cartons of a type than the list holds
    overweight,      // the cargo heavier than the payload
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
                                 const container_space& container);

// The cartons of `blocks` whose whole base is neither on the floor nor on
// tops of cartons at exactly its height.
std::int64_t unsupported_cartons(const block_list& blocks, std::span<const carton_rules> types);

// The cartons of `block` whose base is neither on the floor nor wholly on
// tops of `below` at exactly its height: whether a block can be loaded on
// what is already loaded.
std::int64_t unsupported_on(const carton_block& block, const block_list& below,
                            std::span<const carton_rules> types);

// The order a loader follows: far end first, bottom up, then from the side
// X = 0, but never a block before every block under it. Indices into
// `blocks`; blocks with a count of 0 are left out.
std::vector<std::size_t> loading_order(const block_list& blocks,
                                       std::span<const carton_rules> types);

// One carton size in the orientations `allowed`: the rules of a single plan.
inline carton_rules single_carton(double length, double width, double height,
                                  orientation_set allowed = orientation_set::any()) {
    return {{length, width, height}, allowed, true, std::nullopt, std::nullopt};
}

}  // namespace varnel
