#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/core/work_meter.h"

namespace varnel {

// A grid of cartons in a box: `orientation` (1..6, engine/core/orientation.h)
// puts the carton's sides along X, Y and Z, `count` says how many fit along
// each.
struct box_grid {
    std::array<double, 3> at{};
    std::int16_t orientation = 1;
    std::array<int, 3> count{};
};

struct box_pattern {
    std::int64_t count = 0;
    std::vector<box_grid> grids;
};

// The best three-dimensional guillotine pattern in which every carton stands
// wholly on the floor or on cartons: every cut runs across the whole box it
// divides, at a sum of the carton's sides; a cut across the height leaves
// below it a part filled without a gap; every piece not cut again holds one
// grid in any of the six orientations. Walls, layers and containers split
// into parts filled different ways are all such patterns. Once the meter
// stops, the remaining sub-boxes hold single grids: the pattern still fits.
// A Y longer than `section` is filled with sections of the whole X and Z laid
// along it, their lengths chosen by a knapsack; where the search would count
// more than `work_limit` units or the meter has left, or hold too much, the
// sections are halved until it would not. No pattern when a section too short
// for the longest side still would. Z is up.
box_pattern best_box_cuts(const std::array<double, 3>& space, const std::array<double, 3>& box,
                          work_meter& meter, std::uint64_t work_limit, double section);

}  // namespace varnel
