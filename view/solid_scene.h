#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/core/block.h"
#include "engine/loading_steps.h"
#include "view/camera.h"
#include "view/canvas.h"

namespace varnel {

// One carton type as the solid view shows and names it.
struct solid_type {
    std::string name;              // as the tip names it
    std::array<double, 3> size{};  // length, width, height in mm
    std::optional<double> weight;  // kg per carton, when known
    rgb colour;                    // its colour in every picture of the plan

    bool operator==(const solid_type&) const = default;
};

// What the solid view shows: one container and its blocks in loading
// order, block i loaded in step i + 1.
struct solid_scene {
    vec3 container;  // x across, y along, z up; mm
    std::vector<solid_type> types;
    block_list blocks;
    // A plan of one carton size shows each carton face in its own colour
    // (the front, top and side colours), as the load view does, so the faces
    // tell how the cartons lie; a plan of several types shows each type in
    // its colour.
    bool face_colours = false;

    bool operator==(const solid_scene&) const = default;
};

// The solid scene of load `load` of a report: its types named and coloured
// as the report does, its loading steps' parts in the report's order.
solid_scene scene_of(const loading_report& report, std::size_t load, bool face_colours);
// The report's types and container with the blocks given, in the order a
// window steps through them.
solid_scene scene_of(const loading_report& report, bool face_colours, block_list blocks);

// How much of the load shows: the first `steps` blocks. With `current`, the
// last `current_blocks` of them are the step being loaded: drawn bright, the
// earlier ones pale. With `cartons`, only that many cartons of the last block
// show, in the order a loader puts them in (see carton_index).
struct solid_shown {
    std::size_t steps = 0;
    bool current = false;
    std::optional<std::int64_t> cartons;
    std::size_t current_blocks = 1;

    bool operator==(const solid_shown&) const = default;
};

// A carton's place in its block: `column` across, `row` along, `layer` up.
struct carton_place {
    std::int64_t column = 0, row = 0, layer = 0;

    bool operator==(const carton_place&) const = default;
};

// The number of a carton within its block, from 0, in the order a loader
// puts them in: rows from the far end, each row from the floor up, each
// layer from the left.
std::int64_t carton_index(const carton_block& b, carton_place p);

// A carton's extents along x, y and z in its block (the orientation table's).
std::array<double, 3> carton_extents(const solid_scene& scene, const carton_block& b);

// Whether the view can draw the block: a known type, sizes above zero,
// cartons in it, all within `farthest`.
bool drawable(const solid_scene& scene, const carton_block& b);

}  // namespace varnel
