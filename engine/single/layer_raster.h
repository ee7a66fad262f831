#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/core/work_meter.h"
#include "engine/single/rect_patterns.h"

namespace varnel {

// Lengths of the layer search, in whole steps of its grid.
using units = std::int64_t;

// Where a piece's own frame lies in the layer: a point (x, y) of the piece
// is (ox + sx * x, oy + sy * y), sx and sy being 1 or -1 for a mirrored
// piece.
struct flip {
    units ox = 0, oy = 0;
    int sx = 1, sy = 1;

    // The frame of a piece standing in the region [u, u + w] x [v, v + h]
    // of this frame, mirrored across that region when asked.
    flip place(units u, units v, units w, units h, bool mirror_u, bool mirror_v) const {
        const units cu = mirror_u ? u + w : u, cv = mirror_v ? v + h : v;
        return {ox + sx * cu, oy + sy * cv, mirror_u ? -sx : sx, mirror_v ? -sy : sy};
    }
};

// What the layer search's families share: the raster points (0 and every
// sum i*p + j*q up to the space's longer side; Herz 1972, Christofides &
// Whitlock 1977: a packing pushed left and down has its edges there), the
// largest point within a difference of two, the rectangles' bounds and
// single grids, and the grids written out in millimetres.
class layer_raster {
public:
    layer_raster(units U, units V, units p, units q, double step_mm, work_meter& meter);

    // False when the points are too many to search in the budget.
    bool ready() const { return ready_; }
    work_meter& meter() { return meter_; }
    units p() const { return p_; }
    units q() const { return q_; }

    int last_u() const { return last_u_; }  // the largest point within U
    int last_v() const { return last_v_; }
    units point(int i) const { return points_[static_cast<std::size_t>(i)]; }
    // The largest point within point(a) - point(b), for b <= a.
    int rest(int a, int b) const {
        return rest_[static_cast<std::size_t>(a) * n_ + static_cast<std::size_t>(b)];
    }
    // The largest point within half of point(i).
    int half(int i) const { return half_[static_cast<std::size_t>(i)]; }

    // A rectangle (i, j) of points, i across and j along, as an index.
    std::size_t at(int i, int j) const {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(last_v_ + 1) +
               static_cast<std::size_t>(j);
    }
    std::size_t cells() const { return at(last_u_, last_v_) + 1; }

    // An upper bound on the rectangles in (i, j): pattern_bound, or its
    // area alone once the meter refuses the work.
    std::int32_t ub(int i, int j);
    // The better single grid of an X x Y rectangle: its count and whether
    // q lies along X.
    std::pair<std::int32_t, bool> grid(units X, units Y) const;
    // The single grid in the region [u0, ...] x [v0, ...] of frame f.
    void emit_grid(units X, units Y, bool turned, units u0, units v0, const flip& f,
                   std::vector<rect_grid>& out) const;

private:
    bool ready_ = false;
    work_meter& meter_;
    units p_, q_;
    double step_;
    std::vector<units> points_;
    std::size_t n_ = 0;
    std::vector<std::int32_t> rest_, half_, ub_;
    int last_u_ = 0, last_v_ = 0;
};

// The values of rectangles of raster points as the five-block search
// leaves them, for the L-shaped pieces to build on.
class rect_values {
public:
    virtual ~rect_values() = default;
    virtual std::int32_t rect(int i, int j) = 0;
    virtual void emit(int i, int j, units u0, units v0, flip f,
                      std::vector<rect_grid>& out) const = 0;
};

}  // namespace varnel
