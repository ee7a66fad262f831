#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "engine/core/tolerance.h"
#include "engine/core/work_meter.h"

namespace varnel {

// Sums i*p + j*q (i, j >= 0) up to `limit`, ascending, without 0: the only
// places where a guillotine cut or a rectangle's edge needs to lie. Listing
// them draws one unit per sum from `meter`; when it refuses, or the sums are
// too many to hold, only the multiples of p and of q are listed.
std::vector<double> raster_points(double limit, double p, double q, work_meter& meter);

// The largest sum i*p + j*q + k*r not above `limit` (0 when none fits).
double reduced_side(double limit, double p, double q, double r);

// A grid of nu x nv rectangles at (u, v); `turned` puts q along u.
struct rect_grid {
    double u = 0.0;
    double v = 0.0;
    int nu = 0;
    int nv = 0;
    bool turned = false;
};

struct pattern2d {
    std::int64_t count = 0;
    std::vector<rect_grid> grids;
};

// Which side of the rectangle points up: none for a floor, u or v for a
// vertical cross-section, whose pieces must each rest wholly on the pieces
// under them.
enum class upward : std::uint8_t { none, u, v };

struct pattern_options {
    // A side longer than this is filled with sections of the full other side,
    // their lengths chosen by a knapsack.
    double section = 5000.0;
    // With a meter, every rectangle also tries the first-order non-guillotine
    // cuts (four rectangles around a centre) while it lasts; floors only.
    work_meter* five_meter = nullptr;
    upward up = upward::none;
};

// A guillotine pattern of p x q rectangles (either way round) in a U x V
// rectangle: dynamic programming over the raster points. A standing pattern
// cuts across its height only above a part filled exactly, so that whatever
// stands on the cut stands on cartons. Once the meter stops, the search keeps
// what it has: every pattern it returns fits.
pattern2d best_pattern(double U, double V, double p, double q, work_meter& meter,
                       const pattern_options& options = {});

// Upper bound on p x q rectangles in U x V: the area of the reduced
// rectangle, for whole-numbered sides also the unavoidable waste of packing
// bars of length p, and of length q, and for any sides the counts that lines
// across and along the rectangle can meet.
std::int64_t pattern_bound(double U, double V, double p, double q);

// How many sides fit in a space, forgiving the rounding of float sums.
inline int fitting(double space, double side) {
    const double n = side > 0.0 ? (space + fit_tolerance) / side : 0.0;
    if (!(n >= 1.0)) return 0;
    return n < std::numeric_limits<int>::max() ? static_cast<int>(n)
                                               : std::numeric_limits<int>::max();
}

// A bound's whole count from its real value; a value too large for a count,
// or no number, bounds nothing and gives the largest count.
inline std::int64_t bound_count(double value) {
    const double v = std::floor(value + count_rounding);
    if (!(v < 9.2e18)) return std::numeric_limits<std::int64_t>::max();
    return v > 0.0 ? static_cast<std::int64_t>(v) : 0;
}

}  // namespace varnel
