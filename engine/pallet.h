#pragma once

#include <cstdint>
#include <vector>

#include "engine/core/work_meter.h"

namespace varnel {

// Sums i*p + j*q (i, j >= 0) up to `limit`, ascending, without 0: the only
// places where a guillotine cut or a rectangle's edge needs to lie.
std::vector<double> raster_points(double limit, double p, double q);

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

// A guillotine pattern of p x q rectangles (either way round) in a U x V
// rectangle: dynamic programming over the raster points; a side longer than
// `section` is filled with sections of the full other side, their lengths
// chosen by a knapsack. Once the meter stops, the search keeps what it has:
// every pattern it returns fits. With `five_meter`, every rectangle also
// tries the first-order non-guillotine cuts (four rectangles around a
// centre, each filled by the search in turn) while that meter lasts.
pattern2d best_pattern(double U, double V, double p, double q, work_meter& meter,
                       double section = 5000.0, work_meter* five_meter = nullptr);

// Upper bound on p x q rectangles in U x V: the area of the reduced
// rectangle, for whole-numbered sides also the unavoidable waste of packing
// bars of length p, and of length q, and for any sides the counts that lines
// across and along the rectangle can meet.
std::int64_t pattern_bound(double U, double V, double p, double q);

// Fit tests tolerate rounding in the sums of float sides.
inline constexpr double fit_tolerance = 1e-6;
inline int fitting(double space, double side) {
    return side > 0.0 ? static_cast<int>((space + fit_tolerance) / side) : 0;
}

}  // namespace varnel
