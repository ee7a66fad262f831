#pragma once

// What the guillotine searches over raster points share, the 2-D patterns
// (engine/single/rect_patterns) and the 3-D cuts (engine/single/box_cuts):
// each keeps, for every box of points, its best value and the choice that
// gives it, and finds where the rest of a cut side ends.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/core/tolerance.h"

namespace varnel {

// A box's value: more cartons first, then fewer grids. `Count` is as wide as
// the search's counts need; the 3-D table holds millions of boxes, so it
// counts in 32 bits.
template <typename Count>
struct pattern_score {
    Count count = 0;
    Count grids = 0;

    bool operator>(const pattern_score& o) const {
        return count != o.count ? count > o.count : grids < o.grids;
    }
    friend pattern_score operator+(pattern_score a, pattern_score b) {
        return {a.count + b.count, a.grids + b.grids};
    }
};

// A box's choice: one grid standing in `pose` (no axis), or a cut across
// `axis` at point `cut`. `Pose` is how the search names a grid's
// orientation: turned or not in 2-D, 1..6 in 3-D.
template <typename Pose>
struct pattern_choice {
    std::int32_t cut = -1;
    std::int8_t axis = -1;
    Pose pose{};
};

// The points ascending, each within the fit tolerance of the one before
// left out: the places a cut may lie, each once.
inline std::vector<double> distinct_points(std::vector<double> points) {
    std::sort(points.begin(), points.end());
    std::vector<double> distinct;
    for (const double v : points) {
        if (distinct.empty() || v - distinct.back() > fit_tolerance) distinct.push_back(v);
    }
    return distinct;
}

// Index of the largest of the ascending `points` not above `value`, or -1.
inline int floor_index(const std::vector<double>& points, double value) {
    const auto it = std::upper_bound(points.begin(), points.end(), value + fit_tolerance);
    return static_cast<int>(it - points.begin()) - 1;
}

}  // namespace varnel
