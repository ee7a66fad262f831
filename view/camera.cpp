#include "view/camera.h"

#include <algorithm>
#include <array>
#include <numbers>

namespace varnel {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double degree = pi / 180.0;

// The share of the picture the container fills across and up: room is left
// for the keys above and the step slider below.
constexpr double fill_share = 0.84;

struct view_angles {
    double yaw, pitch;
};

// Where each fixed view looks from. The three-quarter view, the side view
// and the top view show the door on the right; the door view looks in
// slightly from above, so the floor in front of the load shows.
view_angles angles_of(fixed_view v) {
    switch (v) {
        case fixed_view::door_end: return {0.0, 12 * degree};
        case fixed_view::top: return {-90 * degree, 90 * degree};
        case fixed_view::side: return {-90 * degree, 0.0};
        case fixed_view::three_quarter: break;
    }
    return {-38 * degree, 26 * degree};
}

std::array<vec3, 8> corners_of(vec3 size) {
    std::array<vec3, 8> c;
    for (std::size_t i = 0; i < 8; ++i) {
        c[i] = {(i & 1) ? size.x : 0.0, (i & 2) ? size.y : 0.0, (i & 4) ? size.z : 0.0};
    }
    return c;
}

}  // namespace

projector::projector(const camera& c, int width, int height)
    : perspective_(c.kind == projection_kind::perspective) {
    const double cp = std::cos(c.pitch), sp = std::sin(c.pitch);
    const double cy = std::cos(c.yaw), sy = std::sin(c.yaw);
    forward_ = {-cp * sy, -cp * cy, -sp};
    // The picture's right follows the yaw alone, so the view from straight
    // above keeps its bearing.
    right_ = {cy, -sy, 0.0};
    up_ = cross(forward_, right_);
    eye_ = c.target - c.distance * forward_;
    const double h = std::max(1, height);
    focal_ = (h / 2.0) / std::tan(c.field_of_view / 2.0);
    if (!perspective_) focal_ /= c.distance;
    cx_ = std::max(1, width) / 2.0;
    cy_ = h / 2.0;
}

std::optional<screen_point> projector::to_screen(vec3 p) const {
    const vec3 d = p - eye_;
    const double w = dot(d, forward_);
    if (!perspective_)
        return screen_point{cx_ + focal_ * dot(d, right_), cy_ - focal_ * dot(d, up_)};
    if (w < near_plane) return std::nullopt;
    return screen_point{cx_ + focal_ * dot(d, right_) / w, cy_ - focal_ * dot(d, up_) / w};
}

ray projector::ray_at(screen_point s) const {
    const double across = (s.x - cx_) / focal_, upward = (cy_ - s.y) / focal_;
    if (perspective_) return {eye_, forward_ + across * right_ + upward * up_};
    return {eye_ + across * right_ + upward * up_, forward_};
}

vec3 drawable_container(vec3 size) {
    for (std::size_t a = 0; a < 3; ++a) {
        if (!(size[a] > 0.0 && size[a] <= farthest)) return {1000, 1000, 1000};
    }
    return size;
}

camera fitted(camera c, vec3 container, int width, int height) {
    container = drawable_container(container);
    c.pitch = std::clamp(c.pitch, 0.0, pi / 2);
    c.target = 0.5 * container;
    const double aspect = std::max(1, width) / static_cast<double>(std::max(1, height));
    const double tan_up = std::tan(c.field_of_view / 2.0) * fill_share;
    const double tan_across = tan_up * aspect;
    const std::array<vec3, 8> corners = corners_of(container);
    // The distance that fits the corners about the target, then the target
    // moved to the middle of the corners' picture, which perspective puts
    // off the container's middle; a few rounds settle both.
    for (int round = 0; round < 4; ++round) {
        projector p(c, width, height);
        double distance = 1.0;
        for (const vec3& corner : corners) {
            const vec3 d = corner - c.target;
            const double x = std::fabs(dot(d, p.right())), y = std::fabs(dot(d, p.up()));
            const double z = c.kind == projection_kind::perspective ? dot(d, p.forward()) : 0.0;
            distance = std::max({distance, x / tan_across - z, y / tan_up - z});
        }
        c.distance = distance;
        if (round == 3) break;
        p = projector(c, width, height);
        double lo_x = 1e300, hi_x = -1e300, lo_y = 1e300, hi_y = -1e300;
        for (const vec3& corner : corners) {
            const std::optional<screen_point> s = p.to_screen(corner);
            if (!s) return c;
            lo_x = std::min(lo_x, s->x);
            hi_x = std::max(hi_x, s->x);
            lo_y = std::min(lo_y, s->y);
            hi_y = std::max(hi_y, s->y);
        }
        // A pixel at the target's distance.
        const double mm =
            c.kind == projection_kind::perspective ? c.distance / p.focal() : 1.0 / p.focal();
        c.target = c.target + ((0.5 * (lo_x + hi_x) - p.centre_x()) * mm) * p.right() -
                   ((0.5 * (lo_y + hi_y) - p.centre_y()) * mm) * p.up();
    }
    return c;
}

camera fixed_camera(fixed_view view, vec3 container, int width, int height, projection_kind kind) {
    camera c;
    c.kind = kind;
    const view_angles a = angles_of(view);
    c.yaw = a.yaw;
    c.pitch = a.pitch;
    return fitted(c, container, width, height);
}

camera orbited(camera c, double yaw, double pitch) {
    c.yaw = std::remainder(c.yaw + yaw, 2 * pi);
    c.pitch = std::clamp(c.pitch + pitch, 0.0, pi / 2);
    return c;
}

camera panned(camera c, double dx, double dy, int height) {
    const projector p(c, 1, height);
    // What a pixel spans at the target's distance, so the load follows the
    // pointer there.
    const double mm =
        c.kind == projection_kind::perspective ? c.distance / p.focal() : 1.0 / p.focal();
    c.target = c.target - (dx * mm) * p.right() + (dy * mm) * p.up();
    return c;
}

camera zoomed(camera c, double factor) {
    c.distance = std::clamp(c.distance / factor, 100.0, 100 * farthest);
    return c;
}

camera zoomed_at(camera c, double factor, screen_point at, int width, int height) {
    const projector before(c, width, height);
    const double focal =
        c.kind == projection_kind::perspective ? before.focal() : before.focal() * c.distance;
    const camera after = zoomed(c, factor);
    // At the target's distance the point lies (distance × offset / focal)
    // off the target; the target moves by what that loses.
    const double shrink = (c.distance - after.distance) / focal;
    const vec3 off = ((at.x - before.centre_x()) * shrink) * before.right() +
                     ((before.centre_y() - at.y) * shrink) * before.up();
    camera moved = after;
    moved.target = c.target + off;
    return moved;
}

}  // namespace varnel
