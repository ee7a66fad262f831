#include "view/solid_look.h"

#include <algorithm>
#include <cmath>

namespace varnel {

namespace {

// A plane across `axis` at `c`, its front up the axis when `positive`.
bool front_towards_eye(const projector& p, std::size_t axis, bool positive, double c) {
    const double sign = positive ? 1.0 : -1.0;
    // Seen edge on, a face shows nothing: it counts as turned away.
    if (!p.perspective()) return p.forward()[axis] * sign < -1e-9;
    return (p.eye()[axis] - c) * sign > 1e-9 * std::max(1.0, std::fabs(c));
}

std::uint8_t channel(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

}  // namespace

namespace solid_look {

double light(const projector& p, std::size_t axis, bool positive) {
    const vec3 towards_light =
        normalised((-0.3) * p.right() + (-0.5) * p.forward() + vec3{0.0, 0.0, 0.8});
    const double facing = (positive ? 1.0 : -1.0) * towards_light[axis];
    return 0.62 + 0.38 * std::max(0.0, facing);
}

rgb shaded(rgb fill, double light) {
    return {channel(fill.red * light), channel(fill.green * light), channel(fill.blue * light)};
}

rgb grid_of(rgb face) { return shaded(face, 0.62); }

}  // namespace solid_look

bool faces_eye(const projector& p, vec3 container, container_wall w) {
    return front_towards_eye(p, w.axis, w.positive, w.positive ? container[w.axis] : 0.0);
}

std::array<vec3, 4> wall_corners(vec3 container, container_wall w) {
    solid_box whole;
    whole.hi = container;
    return corners_of(whole, {0, static_cast<std::uint8_t>(w.axis), w.positive});
}

std::array<box_edge, 12> edges_of(vec3 lo, vec3 hi) {
    std::array<box_edge, 12> edges;
    for (std::size_t a = 0; a < 3; ++a) {
        const std::size_t u = u_axis(a), v = v_axis(a);
        for (int corner = 0; corner < 4; ++corner) {
            box_edge& e = edges[a * 4 + static_cast<std::size_t>(corner)];
            e.axis = a;
            e.high_u = (corner & 1) != 0;
            e.high_v = (corner & 2) != 0;
            e.from = lo;
            e.from[u] = e.high_u ? hi[u] : lo[u];
            e.from[v] = e.high_v ? hi[v] : lo[v];
            e.to = e.from;
            e.to[a] = hi[a];
        }
    }
    return edges;
}

bool visible_face(const projector& p, const solid_box& b, const solid_face& f) {
    return front_towards_eye(p, f.axis, f.positive, plane_of(b, f));
}

}  // namespace varnel
