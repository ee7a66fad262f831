#pragma once

// The packing list as the planner sees it: whole lengths on one grid,
// converted once from millimetres, so that nothing inside needs a tolerance.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/mixed/request.h"

namespace varnel::mixed {

// A length in grid steps (see `grid`).
using length = std::int64_t;
using extent = std::array<length, 3>;  // along x (across), y (along), z (up)

// The grid lengths are counted on: the coarsest of 1, 0.1 and 0.01 mm on
// which every carton side lies, so that sides that add up in millimetres add
// up on the grid and tops meet exactly. A side off every grid is rounded up
// and the container down, so a plan never overlaps or leaves the container.
struct grid {
    double step_mm = 1.0;

    length carton(double mm) const;     // rounded up (grid_noise aside)
    length container(double mm) const;  // rounded down (grid_noise aside)
    double mm(length l) const { return static_cast<double>(l) * step_mm; }
};

grid grid_for(const mixed_request& request);
// The coarsest of 1, 0.1 and 0.01 mm on which every one of these sides lies.
grid grid_of_sides(std::span<const double> sides_mm);

// One way a carton type may stand: its extents and the orientation 1..6.
struct pose {
    extent size{};
    std::int16_t orientation = 1;
};

struct cargo_type {
    std::vector<pose> poses;  // allowed, each extent once
    std::int64_t quantity = 0;
    double weight = 0.0;  // kg per carton; 0 when unknown
    bool stackable = true;
    std::int64_t volume = 0;                 // one carton's, in grid steps cubed
    std::optional<double> max_load;          // kg on one carton's top
    std::optional<std::int64_t> max_layers;  // cartons of the type in one column
    bool pallet = false;                     // a loaded pallet: see carton_rules::pallet
};

// What the search keeps besides space: the load cartons bear, columns of one
// type no higher than allowed, loaded pallets and loose cartons each on
// their own kind and, when asked, no carton on a lighter one.
// Off for a list that asks none of these, which then plans as it always has.
struct weight_limits {
    bool on = false;
    bool weighed = false;  // the list gives weights: the search counts room lost over tops
    bool heavy_not_on_light = false;
    std::optional<double> balance_share;
    bool pallets = false;  // loaded pallets among the types: pallets stand on pallets alone
};

struct cargo {
    grid steps;
    extent container{};
    std::optional<double> payload;  // kg
    std::vector<cargo_type> types;  // in list order
    weight_limits limits;
};

// The request's list with `left` cartons of each type, on the grid.
cargo cargo_of(const mixed_request& request, const std::vector<std::int64_t>& left);

}  // namespace varnel::mixed
