#include "view/stack_drawing.h"

#include <array>
#include <cmath>
#include <optional>

#include "view/colours.h"

namespace varnel {

namespace {

struct face_colours {
    rgb front, top, side;
};

// Which carton face shows on the stack's front, top and side, by orientation:
// the colour tells the user how the cartons lie.
constexpr std::array<face_colours, 7> colours_by_orientation{{
    {},  // unused slot 0
    {front_colour, top_colour, side_colour},
    {top_colour, front_colour, side_colour},
    {side_colour, top_colour, front_colour},
    {side_colour, front_colour, top_colour},
    {top_colour, side_colour, front_colour},
    {front_colour, side_colour, top_colour},
}};

// The block a stack fills inside its space: against the space's left side,
// its far end and its floor. x runs across, d along toward the far end, h up.
struct stack_geometry {
    double ex, ey, ez;  // the carton's extents in the record's orientation
    double right, near_end, far_end, top;
    double left, floor_y;  // where the space's near-left floor corner is drawn
    double cs, sn;
    face_colours colours;

    view_point at(double x, double d, double h) const {
        return {left + x + d * cs, floor_y - h - d * sn};
    }
};

std::optional<stack_geometry> geometry_of(const stack_record& r) {
    const int o = r.orientation;
    if (o < 1 || o > 6) return std::nullopt;
    stack_geometry g{};
    g.ex = extent_x(r.box_length, r.box_width, r.box_height, o);
    g.ey = extent_y(r.box_length, r.box_width, r.box_height, o);
    g.ez = extent_z(r.box_length, r.box_width, r.box_height, o);
    g.right = r.count_x * g.ex;
    g.far_end = r.space_y;
    g.near_end = g.far_end - r.count_y * g.ey;
    g.top = r.count_z * g.ez;
    g.left = r.origin_x;
    g.floor_y = static_cast<double>(r.origin_y) + r.space_z;
    const double angle = static_cast<double>(view_angle);
    g.cs = std::cos(angle);
    g.sn = std::sin(angle);
    g.colours = colours_by_orientation[static_cast<std::size_t>(o)];
    return g;
}

struct segment {
    view_point from, to;
};

// One family of grid lines, counter 0..count inclusive. The counter is an
// int so that a count of 32767 ends.
template <typename LineOf>
draw_status draw_family(canvas& target, rgb colour, std::int16_t count, LineOf line_of) {
    for (int i = 0; i <= count; ++i) {
        const segment s = line_of(static_cast<double>(i));
        if (const draw_status status = draw_projected_line(target, s.from, s.to, colour);
            status != draw_status::ok) {
            return status;
        }
    }
    return draw_status::ok;
}

}  // namespace

draw_status draw_stack_side(canvas& target, const stack_record& r) {
    const std::optional<stack_geometry> g = geometry_of(r);
    if (!g) return draw_status::ok;
    const rgb colour = g->colours.side;
    const draw_status rows = draw_family(target, colour, r.count_z, [&](double k) {
        const double h = k * g->ez;
        return segment{g->at(g->right, g->far_end, h), g->at(g->right, g->near_end, h)};
    });
    if (rows != draw_status::ok) return rows;
    return draw_family(target, colour, r.count_y, [&](double j) {
        const double d = g->far_end - j * g->ey;
        return segment{g->at(g->right, d, 0.0), g->at(g->right, d, g->top)};
    });
}

draw_status draw_stack_front(canvas& target, const stack_record& r) {
    const std::optional<stack_geometry> g = geometry_of(r);
    if (!g) return draw_status::ok;
    const rgb colour = g->colours.front;
    const draw_status rows = draw_family(target, colour, r.count_z, [&](double k) {
        const double h = k * g->ez;
        return segment{g->at(0.0, g->near_end, h), g->at(g->right, g->near_end, h)};
    });
    if (rows != draw_status::ok) return rows;
    return draw_family(target, colour, r.count_x, [&](double i) {
        const double x = i * g->ex;
        return segment{g->at(x, g->near_end, 0.0), g->at(x, g->near_end, g->top)};
    });
}

draw_status draw_stack_top(canvas& target, const stack_record& r) {
    const std::optional<stack_geometry> g = geometry_of(r);
    if (!g) return draw_status::ok;
    const rgb colour = g->colours.top;
    const draw_status rows = draw_family(target, colour, r.count_y, [&](double j) {
        const double d = g->far_end - j * g->ey;
        return segment{g->at(0.0, d, g->top), g->at(g->right, d, g->top)};
    });
    if (rows != draw_status::ok) return rows;
    return draw_family(target, colour, r.count_x, [&](double i) {
        const double x = i * g->ex;
        return segment{g->at(x, g->far_end, g->top), g->at(x, g->near_end, g->top)};
    });
}

std::optional<std::array<stack_face, 3>> stack_faces(const stack_record& r) {
    const std::optional<stack_geometry> g = geometry_of(r);
    if (!g) return std::nullopt;
    const double x0 = 0.0, x1 = g->right, d0 = g->near_end, d1 = g->far_end, h0 = 0.0, h1 = g->top;
    return std::array<stack_face, 3>{{
        {g->at(x1, d0, h0), g->at(x1, d1, h0), g->at(x1, d1, h1), g->at(x1, d0, h1)},
        {g->at(x0, d0, h0), g->at(x1, d0, h0), g->at(x1, d0, h1), g->at(x0, d0, h1)},
        {g->at(x0, d0, h1), g->at(x1, d0, h1), g->at(x1, d1, h1), g->at(x0, d1, h1)},
    }};
}

draw_status draw_stack(canvas& target, const stack_table& draw_stacks, int index) {
    if (index < 0 || index >= stack_table_size) return draw_status::index_out_of_range;
    const stack_record& r = draw_stacks[static_cast<std::size_t>(index)];
    for (auto face : {draw_stack_side, draw_stack_front, draw_stack_top}) {
        if (const draw_status s = face(target, r); s != draw_status::ok) return s;
    }
    return draw_status::ok;
}

draw_status draw_first_stacks(canvas& target, const stack_table& draw_stacks, std::int16_t m) {
    for (int i = 0; i < m; ++i) {
        if (const draw_status s = draw_stack(target, draw_stacks, i); s != draw_status::ok) {
            return s;
        }
    }
    return draw_status::ok;
}

}  // namespace varnel
