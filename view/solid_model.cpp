#include "view/solid_model.h"

#include <algorithm>
#include <cmath>

#include "engine/core/orientation.h"
#include "view/colours.h"
#include "view/type_colours.h"

namespace varnel {

namespace {

// The faces' colours of a block before shading. A type's colour is dark
// enough for a thin line on white; a face takes it lightened. Paler for
// the steps already loaded, nearly full for the step being loaded.
std::array<rgb, 3> fill_of(const solid_scene& scene, const carton_block& b, box_role role) {
    const double share = role == box_role::plain ? 0.42 : role == box_role::earlier ? 0.78 : 0.3;
    std::array<rgb, 3> fill;
    if (!scene.face_colours) {
        fill.fill(lighter(scene.types[b.type].colour, share));
        return fill;
    }
    // Which carton side lies along each axis: the face across that axis
    // is the one the other two sides span.
    const std::array<std::size_t, 3> side =
        rotated(std::array<std::size_t, 3>{0, 1, 2}, b.orientation);
    for (std::size_t a = 0; a < 3; ++a) {
        const rgb face = side[a] == 0 ? side_colour : side[a] == 1 ? front_colour : top_colour;
        fill[a] = lighter(face, share * 0.8);
    }
    return fill;
}

// The first `n` cartons of a block as at most three boxes: whole rows, whole
// layers of the next row, cartons of the next layer.
void add_first_cartons(std::vector<solid_box>& boxes, solid_box whole, const carton_block& b,
                       std::int64_t n) {
    const std::int64_t nx = b.count_x, nz = b.count_z;
    const std::int64_t rows = n / (nx * nz), layers = n % (nx * nz) / nx, columns = n % nx;
    const auto add = [&](std::int64_t row, std::int64_t rows_of, std::int64_t layer,
                         std::int64_t layers_of, std::int64_t columns_of) {
        if (rows_of <= 0 || layers_of <= 0 || columns_of <= 0) return;
        solid_box part = whole;
        part.lo = {whole.origin.x, whole.origin.y + static_cast<double>(row) * whole.pitch.y,
                   whole.origin.z + static_cast<double>(layer) * whole.pitch.z};
        part.hi = {part.lo.x + static_cast<double>(columns_of) * whole.pitch.x,
                   part.lo.y + static_cast<double>(rows_of) * whole.pitch.y,
                   part.lo.z + static_cast<double>(layers_of) * whole.pitch.z};
        boxes.push_back(part);
    };
    add(0, rows, 0, nz, nx);
    add(rows, 1, 0, layers, nx);
    add(rows, 1, layers, 1, columns);
}

struct rect {
    double u0, u1, v0, v1;
};

// Whether `parts` (each within `f`) cover `f` whole: across each strip
// between the parts' edges along u, their spans along v must leave no gap.
bool covered(const rect& f, const std::vector<rect>& parts) {
    for (const rect& p : parts) {
        if (p.u0 <= f.u0 && p.u1 >= f.u1 && p.v0 <= f.v0 && p.v1 >= f.v1) return true;
    }
    std::vector<double> cuts{f.u0, f.u1};
    for (const rect& p : parts) {
        cuts.push_back(p.u0);
        cuts.push_back(p.u1);
    }
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::pair<double, double>> spans;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double mid = (cuts[i] + cuts[i + 1]) / 2;
        if (cuts[i + 1] <= cuts[i] || mid <= f.u0 || mid >= f.u1) continue;
        spans.clear();
        for (const rect& p : parts) {
            if (p.u0 < mid && p.u1 > mid) spans.emplace_back(p.v0, p.v1);
        }
        std::sort(spans.begin(), spans.end());
        double reached = f.v0;
        for (const auto& [lo, hi] : spans) {
            if (lo > reached) break;
            reached = std::max(reached, hi);
        }
        if (reached < f.v1) return false;
    }
    return true;
}

// Coordinates closer than this (in mm) are one plane: blocks placed by sums
// of carton sides may miss each other by rounding.
double close_enough(double c) { return 1e-6 * std::max(1.0, std::fabs(c)); }

// Past this many neighbours a face is kept rather than tested: keeping it
// costs a little drawing, never a wrong picture.
constexpr std::size_t most_neighbours = 64;

// One side's faces across one axis, grouped by plane and, within a plane,
// sorted along u: a face looks only at the faces of its own plane that can
// reach it along u.
class face_index {
public:
    face_index(const std::vector<solid_box>& boxes, std::size_t axis, bool high)
        : boxes_(boxes), axis_(axis), u_(u_axis(axis)), high_(high) {
        order_.resize(boxes.size());
        for (std::uint32_t i = 0; i < order_.size(); ++i) order_[i] = i;
        std::sort(order_.begin(), order_.end(),
                  [&](std::uint32_t a, std::uint32_t b) { return plane(a) < plane(b); });
        for (std::size_t i = 0; i < order_.size();) {
            plane_group g{plane(order_[i]), plane(order_[i]), i, i, 0.0};
            while (i < order_.size() && plane(order_[i]) <= g.last + close_enough(g.last)) {
                g.last = plane(order_[i]);
                const solid_box& b = boxes[order_[i]];
                g.widest = std::max(g.widest, b.hi[u_] - b.lo[u_]);
                ++i;
            }
            g.end = i;
            std::sort(order_.begin() + static_cast<std::ptrdiff_t>(g.begin),
                      order_.begin() + static_cast<std::ptrdiff_t>(g.end),
                      [&](std::uint32_t a, std::uint32_t b) {
                          return boxes[a].lo[u_] < boxes[b].lo[u_];
                      });
            groups_.push_back(g);
        }
    }

    // Calls `visit` with every box whose face lies in plane `c` and may
    // overlap [u0, u1) along u.
    template <typename Visit>
    void near(double c, double u0, double u1, Visit visit) const {
        const double tolerance = close_enough(c);
        auto g = std::partition_point(groups_.begin(), groups_.end(),
                                      [&](const plane_group& p) { return p.last < c - tolerance; });
        for (; g != groups_.end() && g->first <= c + tolerance; ++g) {
            const auto begin = order_.begin() + static_cast<std::ptrdiff_t>(g->begin);
            const auto end = order_.begin() + static_cast<std::ptrdiff_t>(g->end);
            auto it = std::partition_point(
                begin, end, [&](std::uint32_t k) { return boxes_[k].lo[u_] <= u0 - g->widest; });
            for (; it != end && boxes_[*it].lo[u_] < u1; ++it) {
                if (!visit(*it)) return;
            }
        }
    }

private:
    struct plane_group {
        double first, last;
        std::size_t begin, end;
        double widest;
    };

    double plane(std::uint32_t k) const {
        return high_ ? boxes_[k].hi[axis_] : boxes_[k].lo[axis_];
    }

    const std::vector<solid_box>& boxes_;
    std::size_t axis_, u_;
    bool high_;
    std::vector<std::uint32_t> order_;
    std::vector<plane_group> groups_;
};

}  // namespace

std::array<vec3, 4> corners_of(const solid_box& b, const solid_face& f) {
    const std::size_t u = u_axis(f.axis), v = v_axis(f.axis);
    std::array<vec3, 4> c;
    for (std::size_t i = 0; i < 4; ++i) {
        vec3& p = c[i];
        p[f.axis] = plane_of(b, f);
        // Round the edge: (lo, lo), (hi, lo), (hi, hi), (lo, hi).
        p[u] = (i == 1 || i == 2) ? b.hi[u] : b.lo[u];
        p[v] = i >= 2 ? b.hi[v] : b.lo[v];
    }
    return c;
}

std::vector<solid_face> outer_faces(const std::vector<solid_box>& boxes) {
    std::vector<solid_face> faces;
    std::vector<rect> parts;
    for (std::uint8_t axis = 0; axis < 3; ++axis) {
        const std::size_t u = u_axis(axis), v = v_axis(axis);
        // A box's high face presses against other boxes' low faces.
        const face_index low(boxes, axis, false), high(boxes, axis, true);
        for (std::uint32_t i = 0; i < boxes.size(); ++i) {
            const solid_box& b = boxes[i];
            const rect f{b.lo[u], b.hi[u], b.lo[v], b.hi[v]};
            for (const bool positive : {false, true}) {
                parts.clear();
                bool kept = false;
                (positive ? low : high)
                    .near(positive ? b.hi[axis] : b.lo[axis], f.u0, f.u1, [&](std::uint32_t k) {
                        const solid_box& n = boxes[k];
                        const rect p{std::max(f.u0, n.lo[u]), std::min(f.u1, n.hi[u]),
                                     std::max(f.v0, n.lo[v]), std::min(f.v1, n.hi[v])};
                        if (p.u0 >= p.u1 || p.v0 >= p.v1 || k == i) return true;
                        kept = parts.size() == most_neighbours;
                        parts.push_back(p);
                        return !kept;
                    });
                if (kept || parts.empty() || !covered(f, parts)) {
                    faces.push_back({i, axis, positive});
                }
            }
        }
    }
    return faces;
}

solid_model build_model(const solid_scene& scene, const solid_shown& shown) {
    solid_model m;
    m.container = drawable_container(scene.container);
    const std::size_t n = std::min(shown.steps, scene.blocks.size());
    for (std::size_t i = 0; i < n; ++i) {
        const carton_block& b = scene.blocks[i];
        if (!drawable(scene, b)) continue;
        const bool last = i + 1 == n;
        const box_role role = !shown.current                  ? box_role::plain
                              : i + shown.current_blocks >= n ? box_role::current
                                                              : box_role::earlier;
        const std::array<double, 3> e = carton_extents(scene, b);
        solid_box box;
        box.origin = {b.x, b.y, b.z};
        box.pitch = {e[0], e[1], e[2]};
        box.lo = box.origin;
        box.hi = {b.x + b.count_x * e[0], b.y + b.count_y * e[1], b.z + b.count_z * e[2]};
        box.block = i;
        box.role = role;
        box.fill = fill_of(scene, b, role);
        const std::int64_t all = carton_count(b);
        if (last && shown.cartons && *shown.cartons < all) {
            add_first_cartons(m.boxes, box, b, std::max<std::int64_t>(0, *shown.cartons));
        } else {
            m.boxes.push_back(box);
        }
    }
    m.faces = outer_faces(m.boxes);
    // The floor hides what stands on it from below.
    std::erase_if(m.faces, [&](const solid_face& f) {
        return f.axis == 2 && !f.positive && m.boxes[f.box].lo.z <= close_enough(0);
    });
    return m;
}

}  // namespace varnel
