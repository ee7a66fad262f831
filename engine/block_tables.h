#pragma once

#include <cstdint>

#include "engine/core/block.h"
#include "engine/load_model.h"

namespace varnel {

// A block's size on each axis in millimetres: its counts times the carton's
// extents in its orientation.
struct block_extent {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
block_extent extent_of(const carton_block& b, float length, float width, float height);

// The planned stacks of the model's millimetre table as blocks at the
// positions their planning gives them.
block_list standard_blocks(const load_model& model);

// The plan's blocks as they stand: those blocks_to_tables wrote when the
// tables read back as such (an optimised plan, also from a plan file), else
// the standard plan's.
block_list placed_blocks(const load_model& model);

// A block's records in both tables (millimetres and drawing units) as
// blocks_to_tables writes every block but the corner one: its space is the
// block itself. `carton` is its type's length, width and height; W, L and H
// the container's width, length and height, in millimetres.
struct block_records {
    stack_record mm;
    stack_record drawn;
};
block_records records_of(const carton_block& b, const box_size& carton, float W, float L, float H);

// Fills both stack tables from blocks, so that the summary, the drawing, the
// step-through and the plan file see them as planned stacks. The model's
// container and carton sizes must be set. The block standing in the first
// stack's corner (0, 0, 0) becomes record 0, whose space is the whole
// container; every other record's space is just the block, so the view draws
// it where it stands. False, with both tables cleared, when the list is
// empty, holds more than 31 blocks or has no block in that corner.
bool blocks_to_tables(load_model& model, const block_list& blocks);

}  // namespace varnel
