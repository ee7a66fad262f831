#pragma once

// A block as the box it fills, and how two such boxes lie to each other:
// the one test of faces meeting, space shared and standing on that the
// checker, the optimiser, the part load and the block tables all use.

#include <array>
#include <cmath>
#include <cstddef>

#include "engine/core/block.h"
#include "engine/core/orientation.h"
#include "engine/core/tolerance.h"

namespace varnel {

// From `lo` to `hi` along x, y and z, in millimetres from the floor corner.
struct block_box {
    std::array<double, 3> lo{};
    std::array<double, 3> hi{};
};

// The box `b` fills with cartons of `carton` (length, width, height).
inline block_box box_of(const carton_block& b, const std::array<double, 3>& carton) {
    const std::array<double, 3> e = rotated(carton, b.orientation);
    return {{b.x, b.y, b.z},
            {b.x + b.count_x * e[0], b.y + b.count_y * e[1], b.z + b.count_z * e[2]}};
}

// Whether the stretches [a0, a1] and [b0, b1] share more than `tolerance`.
inline bool spans_overlap(double a0, double a1, double b0, double b1,
                          double tolerance = contact_tolerance) {
    return a0 < b1 - tolerance && b0 < a1 - tolerance;
}

// Whether the two boxes' bases, seen from above, share some area.
inline bool bases_overlap(const block_box& a, const block_box& b) {
    return spans_overlap(a.lo[0], a.hi[0], b.lo[0], b.hi[0]) &&
           spans_overlap(a.lo[1], a.hi[1], b.lo[1], b.hi[1]);
}

// Whether the two boxes share space more than `tolerance` deep.
inline bool boxes_overlap(const block_box& a, const block_box& b,
                          double tolerance = contact_tolerance) {
    for (std::size_t k = 0; k < 3; ++k) {
        if (!spans_overlap(a.lo[k], a.hi[k], b.lo[k], b.hi[k], tolerance)) return false;
    }
    return true;
}

// Whether faces at `a` and `b` (along one axis) meet.
inline bool faces_meet(double a, double b) { return std::fabs(a - b) <= contact_tolerance; }

// Whether `above` stands on `below`: its base at below's top, over part of it.
inline bool stands_on(const block_box& above, const block_box& below) {
    return faces_meet(above.lo[2], below.hi[2]) && bases_overlap(above, below);
}

// Whether `lower` lies under `upper`: wholly below its base, under part of it.
inline bool lies_under(const block_box& lower, const block_box& upper) {
    return lower.hi[2] <= upper.lo[2] + contact_tolerance && bases_overlap(lower, upper);
}

// Whether the box stands on the floor.
inline bool on_floor(const block_box& b) { return b.lo[2] <= contact_tolerance; }

// Whether the box lies within a space of `size` from the floor corner,
// `tolerance` beyond it forgiven.
inline bool inside(const block_box& b, const std::array<double, 3>& size,
                   double tolerance = contact_tolerance) {
    for (std::size_t k = 0; k < 3; ++k) {
        if (!(b.lo[k] >= -tolerance && b.hi[k] <= size[k] + tolerance)) return false;
    }
    return true;
}

}  // namespace varnel
