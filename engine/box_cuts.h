#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/core/work_meter.h"

namespace varnel {

// A grid of cartons in a box: `dims` says which carton side (0, 1, 2) lies
// along X, Y and Z, `count` how many fit along each.
struct box_grid {
    std::array<double, 3> at{};
    std::array<int, 3> dims{};
    std::array<int, 3> count{};
};

struct box_pattern {
    std::int64_t count = 0;
    std::vector<box_grid> grids;
};

// The best three-dimensional guillotine pattern: every cut runs across the
// whole box it divides, at a sum of the carton's sides, and every piece not
// cut again holds one grid in any of the six orientations. Walls, layers and
// containers split into parts filled different ways are all such patterns.
// Once the meter stops, the remaining sub-boxes hold single grids: the
// pattern still fits. A Y longer than `section` is filled with sections of
// the whole X and Z laid along it, their lengths chosen by a knapsack. No
// pattern when the search would count more than `work_limit` units.
box_pattern best_box_cuts(const std::array<double, 3>& space, const std::array<double, 3>& box,
                          work_meter& meter, std::uint64_t work_limit, double section);

}  // namespace varnel
