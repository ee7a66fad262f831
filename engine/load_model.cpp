#include "engine/load_model.h"

#include <cmath>
#include <limits>

#include "engine/core/orientation.h"

namespace varnel {

namespace {

// The carton's side `side` (0 length, 1 width, 2 height).
float side_of(std::size_t side, float length, float width, float height) {
    return std::array{length, width, height}[side];
}

}  // namespace

void clear_table(stack_table& table) {
    for (stack_record& r : table) {
        const float sx = r.space_x, sy = r.space_y, sz = r.space_z;
        r = stack_record{};
        r.space_x = sx;
        r.space_y = sy;
        r.space_z = sz;
        r.orientation = 1;
        r.stage = -1;
    }
}

bool fill_record(stack_table& table, int index, const stack_record& record) {
    if (index < 0 || index >= stack_table_size) return false;
    table[static_cast<std::size_t>(index)] = record;
    return true;
}

std::int16_t stack_count(const stack_table& table) {
    std::int16_t n = 0;
    while (n < stack_table_size && table[static_cast<std::size_t>(n)].in_use == 1) ++n;
    return n;
}

float extent_x(float length, float width, float height, int orientation) {
    if (!valid_orientation(orientation)) return 0.0f;
    return side_of(axes_of(orientation)[0], length, width, height);
}

float extent_y(float length, float width, float height, int orientation) {
    if (!valid_orientation(orientation)) return 0.0f;
    return side_of(axes_of(orientation)[1], length, width, height);
}

float extent_z(float length, float width, float height, int orientation) {
    if (!valid_orientation(orientation)) return 0.0f;
    return side_of(axes_of(orientation)[2], length, width, height);
}

box_size scale_box(float length, float width, float height, int orientation, float kx, float ky,
                   float kz) {
    box_size scaled{length, width, height};
    if (!valid_orientation(orientation)) return scaled;
    // Each side takes the scale of the axis it lies along.
    const std::array<std::size_t, 3>& a = axes_of(orientation);
    std::array<double, 3> factor{};
    factor[a[0]] = kx;
    factor[a[1]] = ky;
    factor[a[2]] = kz;
    scaled.length = static_cast<float>(static_cast<double>(length) * factor[0]);
    scaled.width = static_cast<float>(static_cast<double>(width) * factor[1]);
    scaled.height = static_cast<float>(static_cast<double>(height) * factor[2]);
    return scaled;
}

namespace {
constexpr double receding_angle = 0.4;  // of the view, in radians
}  // namespace

origin_point project_offset(origin_point corner, float dx, float dy) {
    return {static_cast<float>(corner.x + static_cast<double>(dx) +
                               static_cast<double>(dy) * std::cos(receding_angle)),
            static_cast<float>(corner.y - static_cast<double>(dy) * std::sin(receding_angle))};
}

std::pair<double, double> unproject_offset(origin_point corner, origin_point point) {
    const double dy = (static_cast<double>(corner.y) - point.y) / std::sin(receding_angle);
    return {static_cast<double>(point.x) - corner.x - dy * std::cos(receding_angle), dy};
}

float drawing_scale(float drawn_extent, float size) {
    const double k = drawn_extent / static_cast<double>(size);
    return std::isfinite(k) && k > 0.0 && k <= std::numeric_limits<float>::max()
               ? static_cast<float>(k)
               : 0.0f;
}

bool lies_on_side(int orientation) {
    return valid_orientation(orientation) && vertical_side(orientation) != 2;
}

void reset_model(load_model& model) {
    model.carton_length = 0.0f;
    model.carton_width = 0.0f;
    model.carton_height = 0.0f;
    model.best_orientation = 1;
    clear_table(model.draw_stacks);
    clear_table(model.stacks);
    model.side_allowed = 1;
    model.container_width = 1.0f;
    model.container_length = 1.0f;
    model.container_height = 1.0f;
}

}  // namespace varnel
