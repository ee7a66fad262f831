#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "engine/core/block.h"
#include "engine/load_model.h"
#include "view/canvas.h"
#include "view/projection.h"
#include "view/step_walk.h"

namespace varnel {

// What a picture of a load of several carton types needs: each type's
// length, width and height and the container's size along x (across), y
// (along) and z (up), all in millimetres.
struct typed_load {
    const block_list& blocks;
    std::span<const std::array<double, 3>> sizes;
    std::array<double, 3> container{};
};

// A block's record in drawing units, whatever its carton's size. Cartons
// drawn thinner than `min_cell` drawing units along an axis merge along it
// into one cell, so a load of thousands of tiny cartons draws as blocks, not
// as millions of lines.
stack_record drawn_block(carton_block b, std::array<double, 3> carton,
                         const std::array<double, 3>& container, double min_cell);

// Draws the blocks `shown` (indices into the load's blocks, in that order)
// in the load view's projection, each type's grid in its own colour
// (type_colour of its index). Blocks of a type the load does not know are
// passed over. Neither clears nor draws the outline.
draw_status draw_typed_blocks(canvas& target, const typed_load& load,
                              std::span<const std::size_t> shown);

// The container's outline as draw_standard_outline draws it, every edge in
// typed_outline_colour: over the background's, its coloured edges go.
draw_status draw_typed_outline(canvas& target);

// The draw button's walk through the blocks of one container in loading
// order (`order`, indices into the load's blocks): each block alone, then
// the load growing block by block, with the stack text telling which, as
// the walk through a plan of one carton size does. Each view ends with the
// typed outline.
class typed_steps {
public:
    // One press, the view before, and a jump to the first k blocks together;
    // what is shown, for the stack text. Nothing happens without blocks.
    std::optional<step_shown> forward(canvas& target, const typed_load& load,
                                      std::span<const std::size_t> order);
    std::optional<step_shown> back(canvas& target, const typed_load& load,
                                   std::span<const std::size_t> order);
    std::optional<step_shown> first(canvas& target, const typed_load& load,
                                    std::span<const std::size_t> order, int k);

    void reset() {
        walk_.reset();
        shown_.reset();
    }
    std::optional<step_shown> shown() const { return shown_; }

private:
    step_shown draw(canvas& target, const typed_load& load, std::span<const std::size_t> order,
                    step_shown view);

    step_walk walk_;
    std::optional<step_shown> shown_;
};

}  // namespace varnel
