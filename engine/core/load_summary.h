#pragma once

// The figures of one loaded container, whatever planned it: the one answer
// the window, the packing list window, the planner and the loading report
// give. Pure C++20.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/core/block.h"
#include "engine/core/placement.h"

namespace varnel {

// Some cartons: how many, what they weigh and where their weight acts.
struct cargo_figures {
    std::int64_t cartons = 0;
    // kg; none unless there are cartons and every one has a known weight.
    std::optional<double> weight;
    // x across from the left wall (seen from the door), y along from the far
    // end, z up, in millimetres; none unless the weight is known and above
    // 0. Where a weight is unknown there is no centre of gravity to sign
    // for: a centre of the volumes would only look like one.
    std::optional<std::array<double, 3>> centre_of_gravity;
};

// One container: every carton in it, and each type's.
struct container_summary : cargo_figures {
    std::vector<cargo_figures> per_type;  // in the types' order
    std::size_t types = 0;                // how many types it holds
    double utilisation = 0.0;             // per cent of the container's volume, not cut
};

// The container holding `blocks`; `types` give each type's size and weight
// (a block's `type` indexes them; blocks of an unknown type or without
// cartons are passed over) and `container` its inner size along x, y and z.
// A carton's volume is the product of its own sides, width × length ×
// height, as the design's summary counts a plan; every sum runs in the
// blocks' order.
container_summary summarise_container(const block_list& blocks, std::span<const carton_rules> types,
                                      const std::array<double, 3>& container);

}  // namespace varnel
