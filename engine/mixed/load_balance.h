#pragma once

// A container's load settled as a whole once it is planned: its walls (runs
// of blocks along the length that no block crosses) closed up from the far
// end, so that a part load stands together, and, when a balance is asked,
// moved as units along the length, turned end for end or the whole load
// shifted, so that its centre of gravity lies within the band. A wall moved
// whole keeps every carton on what it stood on.

#include <optional>
#include <span>

#include "engine/core/block.h"
#include "engine/core/container.h"
#include "engine/core/placement.h"

namespace varnel {

// `blocks` settled in `container`, the centre of gravity brought within
// `share` of its length and width from its middle where moving walls and
// the whole load can bring it. Blocks keep their order.
block_list settled_load(const block_list& blocks, std::span<const carton_rules> types,
                        const container_space& container, std::optional<double> share);

}  // namespace varnel
