#include "view/solid_pick.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varnel {

namespace {

// Where the ray enters the box (slabs), or none when it misses it.
std::optional<double> entry(const ray& r, const solid_box& b) {
    double t0 = -std::numeric_limits<double>::infinity();
    double t1 = std::numeric_limits<double>::infinity();
    for (std::size_t a = 0; a < 3; ++a) {
        const double o = r.origin[a], d = r.direction[a];
        if (d == 0.0) {
            if (o < b.lo[a] || o > b.hi[a]) return std::nullopt;
            continue;
        }
        double near = (b.lo[a] - o) / d, far = (b.hi[a] - o) / d;
        if (near > far) std::swap(near, far);
        t0 = std::max(t0, near);
        t1 = std::min(t1, far);
    }
    if (t0 > t1) return std::nullopt;
    return t0;
}

std::int64_t index_along(double at, const solid_box& b, std::size_t a) {
    const double lo = std::round((b.lo[a] - b.origin[a]) / b.pitch[a]);
    const double hi = std::round((b.hi[a] - b.origin[a]) / b.pitch[a]) - 1;
    const double i = std::floor((at - b.origin[a]) / b.pitch[a]);
    return static_cast<std::int64_t>(std::clamp(i, lo, std::max(lo, hi)));
}

}  // namespace

std::optional<carton_hit> pick(const solid_scene& scene, const solid_model& model, const camera& c,
                               int width, int height, screen_point at) {
    const projector p(c, width, height);
    const ray r = p.ray_at(at);
    // In perspective the ray's direction has unit depth: t is the depth.
    // The orthographic picture shows what lies behind the eye's plane too.
    double nearest = std::numeric_limits<double>::infinity();
    const double least =
        p.perspective() ? projector::near_plane : -std::numeric_limits<double>::infinity();
    const solid_box* hit = nullptr;
    for (const solid_box& b : model.boxes) {
        const std::optional<double> t = entry(r, b);
        if (t && *t >= least && *t < nearest) {
            nearest = *t;
            hit = &b;
        }
    }
    if (hit == nullptr) return std::nullopt;
    const vec3 point = r.origin + nearest * r.direction;
    carton_hit h;
    h.block = hit->block;
    h.place = {index_along(point.x, *hit, 0), index_along(point.y, *hit, 1),
               index_along(point.z, *hit, 2)};
    h.carton = carton_index(scene.blocks[h.block], h.place);
    h.corner = {hit->origin.x + static_cast<double>(h.place.column) * hit->pitch.x,
                hit->origin.y + static_cast<double>(h.place.row) * hit->pitch.y,
                hit->origin.z + static_cast<double>(h.place.layer) * hit->pitch.z};
    return h;
}

}  // namespace varnel
