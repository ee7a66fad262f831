#pragma once

#include <cstdint>

#include "engine/block.h"
#include "engine/load_model.h"

namespace varnel {

// The blocks of a container that takes only `cartons` of a plan's cartons.
// Each block of `plan` is loaded in rows across the container, far end
// first; the next row is always the one nearest the far end whose every
// carton below it in the plan is already loaded, so the load grows as whole
// floor-to-ceiling columns from the far end and the door end stays clear.
// The block cut at the boundary becomes at most three blocks: its whole
// rows, whole columns of the next row, and the bottom of one column. With a
// plan of up to 29 blocks the result has at most 31. `carton` gives the
// carton's length, width and height in millimetres; a count of at least the
// plan's gives the plan's blocks back, a count of 0 or less none.
block_list partial_load(const block_list& plan, const box_size& carton, std::int64_t cartons);

}  // namespace varnel
