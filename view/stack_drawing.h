#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/load_model.h"
#include "view/canvas.h"
#include "view/projection.h"

namespace varnel {

// The grids of carton outlines on a stack's three visible faces. Each takes
// a record of draw_stacks (drawing units) and draws two families of lines,
// counters 0..count inclusive, in the colour of the carton face that lies in
// that plane. An orientation outside 1..6 draws nothing.
draw_status draw_stack_side(canvas& target, const stack_record& stack);
draw_status draw_stack_front(canvas& target, const stack_record& stack);
draw_status draw_stack_top(canvas& target, const stack_record& stack);

// The three faces those grids cover (side, front, top), each as its four
// corners in drawing units, so a picture can shade a block; none for an
// orientation outside 1..6.
using stack_face = std::array<view_point, 4>;
std::optional<std::array<stack_face, 3>> stack_faces(const stack_record& stack);

// Side, front and top of record `index`; an index outside 0..30 draws
// nothing and reports index_out_of_range.
draw_status draw_stack(canvas& target, const stack_table& draw_stacks, int index);

// Records 0..m-1 in ascending order; m of 0 or less draws nothing. Neither
// clears nor draws the outline. Stops at the first fault: m above 31 draws
// the whole table and then reports index_out_of_range.
draw_status draw_first_stacks(canvas& target, const stack_table& draw_stacks, std::int16_t m);

}  // namespace varnel
