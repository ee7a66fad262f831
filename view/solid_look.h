#pragma once

#include <cstddef>

#include "view/camera.h"
#include "view/canvas.h"
#include "view/solid_model.h"

namespace varnel {

// The solid view's look, shared by the picture on screen and on paper.
namespace solid_look {

inline constexpr rgb edge{38, 40, 44};          // a box's outline
inline constexpr rgb outline{255, 132, 0};      // the block pointed at
inline constexpr rgb frame{70, 76, 86};         // the container's edges
inline constexpr rgb floor{176, 170, 160};      // the container's floor
inline constexpr rgb wall{120, 140, 165};       // the tint of its walls
inline constexpr double wall_tint = 0.16;       // the far walls over the background
inline constexpr double near_wall_tint = 0.35;  // a near wall not cut away, over the load
inline constexpr rgb background_top{244, 246, 249};
inline constexpr rgb background_bottom{206, 212, 220};

// How bright a face with its normal along `axis` (up the axis when
// `positive`) is lit: the light falls from above and from the viewer's
// front left, so tops are brightest and the faces turned away darkest,
// from whatever side the load is seen.
double light(const projector& p, std::size_t axis, bool positive);

// A face's colour lit, and the colour of its carton grid.
rgb shaded(rgb fill, double light);
rgb grid_of(rgb face);

// `over` laid on `under` with opacity `share`, to 1/256: the picture blends
// a million pixels a frame.
inline rgb blend(rgb under, rgb over, double share) {
    const int s = static_cast<int>(share * 256.0 + 0.5);
    const auto mix = [s](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>((a * (256 - s) + b * s + 128) >> 8);
    };
    return {mix(under.red, over.red), mix(under.green, over.green), mix(under.blue, over.blue)};
}

// The colour of face `f` of box `b` as it shows from `p`.
inline rgb face_colour(const projector& p, const solid_box& b, const solid_face& f) {
    return shaded(b.fill[f.axis], light(p, f.axis, f.positive));
}

}  // namespace solid_look

// The walls of the container (0 the left, 1 the right, 2 the far end, 3 the
// roof) and its floor; the door end stays open.
struct container_wall {
    std::size_t axis;
    bool positive;  // the wall's outside faces up its axis
};
inline constexpr container_wall walls[4] = {{0, false}, {0, true}, {1, false}, {2, true}};

// Whether the eye sees the outside of a wall: it stands between the eye and
// the load, and the cut-away hides it.
bool faces_eye(const projector& p, vec3 container, container_wall w);

// The corners of a wall, or of the floor, round its edge.
std::array<vec3, 4> wall_corners(vec3 container, container_wall w);
inline constexpr container_wall floor_plane{2, false};

// The twelve edges of a box: each along `axis`, on the high or low side of
// the box along the face axes u and v.
struct box_edge {
    vec3 from, to;
    std::size_t axis;
    bool high_u, high_v;
};
std::array<box_edge, 12> edges_of(vec3 lo, vec3 hi);

// Whether the eye sees the front of a box's face.
bool visible_face(const projector& p, const solid_box& b, const solid_face& f);

}  // namespace varnel
