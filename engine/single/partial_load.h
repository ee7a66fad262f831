#pragma once

#include <cstdint>

#include "engine/core/block.h"
#include "engine/core/work_meter.h"
#include "engine/load_model.h"

namespace varnel {

// The blocks of a container that takes only `cartons` of a plan's cartons.
// Each block of `plan` is loaded in rows across the container, far end
// first; the next row is always the one nearest the far end whose every
// carton below it in the plan is already loaded and holds it wholly, so the
// load grows as whole floor-to-ceiling columns from the far end, the door end
// stays clear and every carton stands wholly on the floor or on cartons. The
// row cut at the boundary becomes at most two blocks: whole columns and the
// bottom of the next, or whole layers and part of the next. When that would
// need more than the tables' 31 blocks, loaded rows are given back and the
// rest cut where it needs fewer. Rows a plan itself leaves short of support
// are loaded only when nothing else is left. `carton` gives the carton's
// length, width and height in millimetres; a count of at least the plan's
// gives the plan's blocks back, a count of 0 or less none. Joining blocks
// draws on `meter` in the optimiser's units; once it refuses, the blocks
// stay as cut, more of them than the tables may hold.
block_list partial_load(const block_list& plan, const box_size& carton, std::int64_t cartons,
                        work_meter& meter);
// The same, with no limit on its work: a part load of a plan of the tables
// joins at most a few dozen blocks.
block_list partial_load(const block_list& plan, const box_size& carton, std::int64_t cartons);

}  // namespace varnel
