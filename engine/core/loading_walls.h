#pragma once

// The order a crew loads a plan in from the door: walls across the width
// from the far end to the door, each built bottom up, every step reachable
// from the floor in front of the load. The plan's blocks stay as they are;
// only the instructions cut a block running along the length into the parts
// that belong to successive walls, whole rows each.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "engine/core/block.h"
#include "engine/core/placement.h"

namespace varnel {

// How deep over the load a loader puts a carton from its face, standing in
// front of it: an arm's length and a push, no climbing onto the load.
inline constexpr double loader_reach = 1500.0;

// The rules of a loading order, in the order they are checked for a step.
enum class order_fault {
    none,
    blocked,       // a carton loaded before lies between the step and the door
    out_of_reach,  // above the floor, deeper than the reach behind the load's face
    support_after  // the step stands on one loaded after it
};

struct order_check {
    order_fault fault = order_fault::none;
    std::optional<std::size_t> step;  // the first step that breaks a rule

    bool valid() const { return fault == order_fault::none; }
};

// Checks that a crew can follow `steps` in their order. A step is blocked
// when a carton loaded before it lies between it and the door within its
// width and height; out of reach when it lies above the floor and its far
// side is deeper than the reach (or its own cartons' length along the
// container, when longer) behind the door-side face of what is loaded in its
// lane across the width; a loaded pallet goes in by fork-lift, out of no
// one's reach. Every step it stands on comes before it.
order_check check_loading_order(std::span<const carton_block> steps,
                                std::span<const carton_rules> types);

// One step of the order: whole rows of one block, or neighbouring parts of
// one type and orientation in one wall that together form one box.
struct wall_step {
    carton_block part;
    std::size_t block = 0;  // the plan's block its first carton comes from
    std::size_t wall = 0;   // counted from 0 at the far end
};

// Where a wall lies along the length, millimetres from the far end.
struct wall_span {
    double from = 0.0;
    double to = 0.0;
};

struct wall_order {
    std::vector<wall_step> steps;  // in loading order, wall by wall
    std::vector<wall_span> walls;
    // The order checked: where the plan admits no order the crew can follow,
    // the first step that breaks a rule.
    order_check check;
};

// The loading order of `blocks`: walls as deep as the cartons allow within
// the reach, neighbouring parts merged into as few steps as they form boxes.
// Blocks with a count of 0, or of a type not in `types`, are left out.
wall_order loading_walls(const block_list& blocks, std::span<const carton_rules> types);

// The steps' cartons as a block list, in loading order.
block_list step_parts(const wall_order& order);

}  // namespace varnel
