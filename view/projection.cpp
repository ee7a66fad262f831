#include "view/projection.h"

#include <cmath>
#include <limits>

#include "engine/load_model.h"
#include "view/colours.h"

namespace varnel {

namespace {

bool fits_single(double value) {
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

}  // namespace

view_point project(double x, double y, double z) {
    const double angle = static_cast<double>(view_angle);
    return {view_origin_x + x + y * std::cos(angle),
            view_origin_y + static_cast<double>(view_extent_z) - z - y * std::sin(angle)};
}

draw_status draw_projected_line(canvas& target, view_point from, view_point to, rgb colour) {
    if (!fits_single(from.x) || !fits_single(from.y) || !fits_single(to.x) || !fits_single(to.y)) {
        return draw_status::overflow;
    }
    target.draw_line(static_cast<float>(from.x), static_cast<float>(from.y),
                     static_cast<float>(to.x), static_cast<float>(to.y), colour);
    return draw_status::ok;
}

draw_status draw_container_outline(canvas& target, float width, float length, float height,
                                   float left, float top, float angle) {
    const double W = width, D = length, H = height, L = left, T = top;
    const double cs = std::cos(static_cast<double>(angle));
    const double sn = std::sin(static_cast<double>(angle));

    struct edge {
        view_point from, to;
        rgb colour;
    };
    // Line 7 runs from the far corner to the near one; like every line it
    // leaves out its last pixel, so the direction decides which pixels show.
    const edge edges[] = {
        {{L, T}, {L + W, T}, front_colour},
        {{L, T}, {L, T + H}, front_colour},
        {{L, T + H}, {L + W, T + H}, front_colour},
        {{L + W, T}, {L + W, T + H}, front_colour},
        {{L, T}, {L + D * cs, T - D * sn}, top_colour},
        {{L + D * cs, T - D * sn}, {L + W + D * cs, T - D * sn}, top_colour},
        {{L + W + D * cs, T - D * sn}, {L + W, T}, top_colour},
        {{L + W + D * cs, T - D * sn}, {L + W + D * cs, T + H - D * sn}, side_colour},
        {{L + W, T + H}, {L + W + D * cs, T + H - D * sn}, side_colour},
    };
    for (const edge& e : edges) {
        if (const draw_status s = draw_projected_line(target, e.from, e.to, e.colour);
            s != draw_status::ok) {
            return s;
        }
    }
    return draw_status::ok;
}

draw_status draw_standard_outline(canvas& target) {
    return draw_container_outline(target, view_extent_x, view_extent_y, view_extent_z,
                                  view_origin_x, view_origin_y, view_angle);
}

}  // namespace varnel
