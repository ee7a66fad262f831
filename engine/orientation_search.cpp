#include "engine/orientation_search.h"

#include <cmath>
#include <optional>

#include "engine/numbers.h"

namespace varnel {

namespace {

// A tolerance under the floor: a quotient just below a whole number counts as
// that number. Orientation 1 is more tolerant than the others.
double count_offset(int orientation) { return orientation == 1 ? 0.49999 : 0.4999999; }

bool fits(float extent, float space) { return extent <= space; }  // false for NaN

}  // namespace

search_status find_best_orientation(load_model& m, float space_x, float space_y, float space_z,
                                    std::int16_t side_allowed) {
    m.orientation_fill.fill(0.0f);
    m.best_fill = 0.0f;
    m.best_count_x = 0;
    m.best_count_y = 0;
    m.best_count_z = 0;

    const float l = m.carton_length, w = m.carton_width, h = m.carton_height;
    if (!(l > 0.0f && w > 0.0f && h > 0.0f) || !std::isfinite(l) || !std::isfinite(w) ||
        !std::isfinite(h)) {
        return search_status::bad_carton_size;
    }

    const double space_volume = static_cast<double>(space_x) * space_y * space_z;
    for (int o = 1; o <= 6; ++o) {
        if (side_allowed == 0 && lies_on_side(o)) continue;
        const float ex = extent_x(l, w, h, o);
        const float ey = extent_y(l, w, h, o);
        const float ez = extent_z(l, w, h, o);
        if (!fits(ex, space_x) || !fits(ey, space_y) || !fits(ez, space_z)) continue;

        const double t = count_offset(o);
        const std::optional<std::int16_t> nx = to_int16(static_cast<double>(space_x) / ex - t);
        const std::optional<std::int16_t> ny = to_int16(static_cast<double>(space_y) / ey - t);
        const std::optional<std::int16_t> nz = to_int16(static_cast<double>(space_z) / ez - t);
        if (!nx || !ny || !nz) return search_status::count_overflow;

        const double filled = (static_cast<double>(*nx) * ex) * (static_cast<double>(*ny) * ey) *
                              (static_cast<double>(*nz) * ez);
        const float fill = static_cast<float>(filled / space_volume);
        m.orientation_fill[static_cast<std::size_t>(o)] = fill;
        if (fill > m.best_fill) {
            m.best_fill = fill;
            m.best_count_x = *nx;
            m.best_count_y = *ny;
            m.best_count_z = *nz;
            m.best_orientation = static_cast<std::int16_t>(o);
        }
    }
    return search_status::ok;
}

}  // namespace varnel
