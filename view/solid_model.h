#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "view/camera.h"
#include "view/canvas.h"
#include "view/solid_scene.h"

namespace varnel {

// How a box stands out: the whole load alike, or while stepping through it
// the earlier steps pale and the current one bright.
enum class box_role : std::uint8_t { plain, earlier, current };

// One box the view draws: a whole block, or a part of the block shown in
// part. Its faces carry the carton grid, which starts at `origin`.
struct solid_box {
    vec3 lo, hi;
    vec3 origin;
    vec3 pitch;  // a carton's extents along x, y and z
    std::size_t block = 0;
    box_role role = box_role::plain;
    std::array<rgb, 3> fill{};  // the faces across x, y and z, before shading

    bool operator==(const solid_box&) const = default;
};

// A face of a box: its normal along `axis` (0 x, 1 y, 2 z), pointing up the
// axis when `positive`. On it the face's own coordinates are u along axis
// (axis + 1) % 3 and v along (axis + 2) % 3.
struct solid_face {
    std::uint32_t box = 0;
    std::uint8_t axis = 0;
    bool positive = false;

    bool operator==(const solid_face&) const = default;
};

// The boxes of what is shown and the faces that can show: a face pressed
// whole against the boxes next to it is left out, so a load packed tight
// draws little more than its outer skin, whatever its carton count.
struct solid_model {
    vec3 container;
    std::vector<solid_box> boxes;
    std::vector<solid_face> faces;
};

solid_model build_model(const solid_scene& scene, const solid_shown& shown);

// The faces of `boxes` that no box touching them covers whole.
std::vector<solid_face> outer_faces(const std::vector<solid_box>& boxes);

inline std::size_t u_axis(std::size_t axis) { return (axis + 1) % 3; }
inline std::size_t v_axis(std::size_t axis) { return (axis + 2) % 3; }
inline double plane_of(const solid_box& b, const solid_face& f) {
    return f.positive ? b.hi[f.axis] : b.lo[f.axis];
}

// The four corners of a face, round its edge.
std::array<vec3, 4> corners_of(const solid_box& b, const solid_face& f);

}  // namespace varnel
