#include "view/solid_vector.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <queue>

#include "view/solid_look.h"

namespace varnel {

namespace {

double tolerance_at(double c) { return 1e-9 * std::max(1.0, std::fabs(c)); }

// Whether the eye lies on the high side of the plane across `axis` at `c`
// (`high`), or on its low side. An orthographic eye lies infinitely far
// against the line of sight; looking along the plane, on neither side of it,
// it counts as on both: nothing on one side then hides the other.
bool eye_at_or_above(const projector& p, std::size_t axis, double c) {
    return p.perspective() ? p.eye()[axis] >= c : p.forward()[axis] <= 0;
}
bool eye_at_or_below(const projector& p, std::size_t axis, double c) {
    return p.perspective() ? p.eye()[axis] <= c : p.forward()[axis] >= 0;
}

// Whether box `a` may hide part of box `b`. Boxes that do not overlap lie
// on the two sides of a plane across some axis; with the eye on b's side
// (or on the plane), no ray to b passes through a. Where every such plane
// has the eye on a's side, a may hide b.
bool may_hide(const solid_box& a, const solid_box& b, const projector& p) {
    bool apart = false;
    for (std::size_t k = 0; k < 3; ++k) {
        if (a.hi[k] <= b.lo[k] + tolerance_at(b.lo[k])) {
            apart = true;
            if (eye_at_or_above(p, k, a.hi[k])) return false;
        } else if (b.hi[k] <= a.lo[k] + tolerance_at(a.lo[k])) {
            apart = true;
            if (eye_at_or_below(p, k, a.lo[k])) return false;
        }
    }
    // Boxes that overlap (a plan that breaks the rules): the nearer middle
    // is painted later.
    if (!apart) return p.depth_of(0.5 * (a.lo + a.hi)) < p.depth_of(0.5 * (b.lo + b.hi));
    return true;
}

struct bounds {
    double x0, x1, y0, y1;
};

// The box's extent in the picture; everything where part of it lies
// behind the near plane.
bounds screen_bounds(const solid_box& b, const projector& p) {
    bounds r{1e300, -1e300, 1e300, -1e300};
    for (int i = 0; i < 8; ++i) {
        const vec3 corner{(i & 1) ? b.hi.x : b.lo.x, (i & 2) ? b.hi.y : b.lo.y,
                          (i & 4) ? b.hi.z : b.lo.z};
        const std::optional<screen_point> s = p.to_screen(corner);
        if (!s) return {-1e300, 1e300, -1e300, 1e300};
        r = {std::min(r.x0, s->x), std::max(r.x1, s->x), std::min(r.y0, s->y),
             std::max(r.y1, s->y)};
    }
    return r;
}

// Kahn's order over "painted before" edges between boxes whose pictures
// overlap, farthest first among those free to go. What is left over lies
// on rings: `ring` gets one of them.
std::vector<std::uint32_t> try_order(const std::vector<painted_box>& pieces, const projector& p,
                                     std::vector<std::uint32_t>& ring) {
    const std::size_t n = pieces.size();
    std::vector<bounds> area(n);
    std::vector<std::uint32_t> by_left(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        area[i] = screen_bounds(pieces[i].box, p);
        by_left[i] = i;
    }
    std::sort(by_left.begin(), by_left.end(),
              [&](std::uint32_t a, std::uint32_t b) { return area[a].x0 < area[b].x0; });
    std::vector<std::vector<std::uint32_t>> after(n), before(n);
    for (std::size_t s = 0; s < n; ++s) {
        const std::uint32_t i = by_left[s];
        for (std::size_t t = s + 1; t < n && area[by_left[t]].x0 <= area[i].x1; ++t) {
            const std::uint32_t j = by_left[t];
            if (area[j].y0 > area[i].y1 || area[i].y0 > area[j].y1) continue;
            if (may_hide(pieces[i].box, pieces[j].box, p)) {
                after[j].push_back(i);
                before[i].push_back(j);
            } else if (may_hide(pieces[j].box, pieces[i].box, p)) {
                after[i].push_back(j);
                before[j].push_back(i);
            }
        }
    }
    std::vector<std::size_t> waiting(n);
    using entry = std::pair<double, std::uint32_t>;
    std::priority_queue<entry> free;
    for (std::uint32_t i = 0; i < n; ++i) {
        waiting[i] = before[i].size();
        if (waiting[i] == 0) {
            free.emplace(p.depth_of(0.5 * (pieces[i].box.lo + pieces[i].box.hi)), i);
        }
    }
    std::vector<std::uint32_t> order;
    while (!free.empty()) {
        const std::uint32_t i = free.top().second;
        free.pop();
        order.push_back(i);
        for (const std::uint32_t j : after[i]) {
            if (--waiting[j] == 0) {
                free.emplace(p.depth_of(0.5 * (pieces[j].box.lo + pieces[j].box.hi)), j);
            }
        }
    }
    ring.clear();
    if (order.size() == n) return order;
    // Every box left waits for another box left: walking back from one
    // along what it waits for comes round to a box already met.
    std::vector<std::size_t> met(n, n);
    std::uint32_t at = 0;
    while (waiting[at] == 0) ++at;
    std::vector<std::uint32_t> walk;
    while (met[at] == n) {
        met[at] = walk.size();
        walk.push_back(at);
        for (const std::uint32_t j : before[at]) {
            if (waiting[j] != 0) {
                at = j;
                break;
            }
        }
    }
    ring.assign(walk.begin() + static_cast<std::ptrdiff_t>(met[at]), walk.end());
    return order;
}

// Cuts one box of the ring in two along a face plane of another box of the
// ring that passes through it. Boxes that no such plane cuts are cells of
// one grid, which a plane at a time orders: some plane always cuts.
bool cut_ring(std::vector<painted_box>& pieces, const std::vector<std::uint32_t>& ring) {
    for (const std::uint32_t i : ring) {
        for (const std::uint32_t j : ring) {
            if (i == j) continue;
            for (std::size_t k = 0; k < 3; ++k) {
                for (const double c : {pieces[j].box.lo[k], pieces[j].box.hi[k]}) {
                    solid_box& b = pieces[i].box;
                    if (c <= b.lo[k] + tolerance_at(c) || c >= b.hi[k] - tolerance_at(c)) continue;
                    painted_box upper = pieces[i];
                    upper.box.lo[k] = c;
                    b.hi[k] = c;
                    pieces.push_back(upper);
                    return true;
                }
            }
        }
    }
    return false;
}

// Grid lines closer than this in the picture are left out.
constexpr double least_grid_spacing = 3.0;
// A face with more grid lines than this along an axis is left plain.
constexpr double most_grid_lines = 2000;

void line_in_space(polygon_sink& sink, const projector& p, vec3 a, vec3 b, rgb colour,
                   double width) {
    if (!clip_to_near(p, a, b)) return;
    const std::optional<screen_point> sa = p.to_screen(a), sb = p.to_screen(b);
    if (sa && sb) sink.draw_line(*sa, *sb, colour, width);
}

// How far apart one carton's step along `axis` shows near the face's middle.
double spacing_on(const projector& p, const solid_box& part, std::size_t axis) {
    const vec3 middle = 0.5 * (part.lo + part.hi);
    vec3 next = middle;
    next[axis] += part.pitch[axis];
    const std::optional<screen_point> a = p.to_screen(middle), b = p.to_screen(next);
    if (!a || !b) return 0;
    return std::hypot(b->x - a->x, b->y - a->y);
}

// Hatching on paper: lines this many units of the picture apart, drawn
// across the face at 45 degrees as the picture shows it near the face's
// middle.
constexpr double hatch_spacing = 7.0;

// Diagonal lines over a face, in its own plane so that they lie on it in
// depth like the grid; the faces painted later cover them as they cover the
// face.
void hatch_face(polygon_sink& sink, const projector& p, const painted_face& f, rgb colour) {
    const solid_box& part = f.part;
    const std::size_t a = f.face.axis, u = u_axis(a), v = v_axis(a);
    // Pixels per mm along u and v near the middle, so that the lines run
    // at the same slant and spacing on every face.
    solid_box unit = part;
    unit.pitch = {1.0, 1.0, 1.0};
    const double su = spacing_on(p, unit, u), sv = spacing_on(p, unit, v);
    if (!(su > 0 && sv > 0)) return;
    const double u0 = part.lo[u] * su, u1 = part.hi[u] * su;
    const double v0 = part.lo[v] * sv, v1 = part.hi[v] * sv;
    const double step = hatch_spacing * std::sqrt(2.0);
    if ((u1 - u0 + v1 - v0) / step > most_grid_lines) return;
    // The lines U + V = c over the rectangle [u0, u1] x [v0, v1] in pixels.
    for (double c = std::ceil((u0 + v0) / step) * step; c < u1 + v1; c += step) {
        const double from_u = std::max(u0, c - v1), to_u = std::min(u1, c - v0);
        if (to_u <= from_u) continue;
        vec3 s, e;
        s[a] = e[a] = plane_of(part, f.face);
        s[u] = from_u / su;
        s[v] = (c - from_u) / sv;
        e[u] = to_u / su;
        e[v] = (c - to_u) / sv;
        line_in_space(sink, p, s, e, colour, 0.7);
    }
}

// The face's carton grid, then its edges where they are the source box's:
// a cut leaves no line.
void draw_face(polygon_sink& sink, const projector& p, const painted_face& f,
               const solid_box& source, const solid_options& options) {
    const rgb fill = solid_look::face_colour(p, source, f.face);
    sink.fill_polygon(f.polygon.points(), fill, 1.0);
    const solid_box& part = f.part;
    const double c = plane_of(part, f.face);
    const std::size_t a = f.face.axis;
    const auto along = [&](std::size_t k, std::size_t other, double at, double from, double to) {
        vec3 s, e;
        s[a] = e[a] = c;
        s[k] = e[k] = at;
        s[other] = from;
        e[other] = to;
        return std::array<vec3, 2>{s, e};
    };
    for (const std::size_t k : {u_axis(a), v_axis(a)}) {
        const std::size_t other = k == u_axis(a) ? v_axis(a) : u_axis(a);
        const double pitch = part.pitch[k];
        const double first = std::ceil((part.lo[k] - part.origin[k]) / pitch - 1e-9);
        const double last = std::floor((part.hi[k] - part.origin[k]) / pitch + 1e-9);
        if (last - first > most_grid_lines || spacing_on(p, part, k) < least_grid_spacing) continue;
        for (double i = first; i <= last; ++i) {
            const double at = part.origin[k] + i * pitch;
            if (std::fabs(at - source.lo[k]) < 1e-6 || std::fabs(at - source.hi[k]) < 1e-6)
                continue;
            const auto [s, e] = along(k, other, at, part.lo[other], part.hi[other]);
            line_in_space(sink, p, s, e, solid_look::grid_of(fill), 0.6);
        }
    }
    if (options.hatch_current && source.role == box_role::current) {
        hatch_face(sink, p, f, solid_look::shaded(fill, 0.45));
    }
    const double width = source.role == box_role::current ? 2.2 : 1.0;
    for (const std::size_t k : {u_axis(a), v_axis(a)}) {
        const std::size_t other = k == u_axis(a) ? v_axis(a) : u_axis(a);
        for (const double at : {part.lo[k], part.hi[k]}) {
            if (at != source.lo[k] && at != source.hi[k]) continue;
            const auto [s, e] = along(k, other, at, part.lo[other], part.hi[other]);
            line_in_space(sink, p, s, e, solid_look::edge, width);
        }
    }
}

// The container's edges behind the load (both faces beside the edge turned
// away from the eye), or the others, which nothing inside can hide.
void draw_frame(polygon_sink& sink, const projector& p, vec3 container, bool far) {
    for (const box_edge& e : edges_of(vec3{}, container)) {
        const container_wall across_u{u_axis(e.axis), e.high_u};
        const container_wall across_v{v_axis(e.axis), e.high_v};
        const bool behind =
            !faces_eye(p, container, across_u) && !faces_eye(p, container, across_v);
        if (behind == far) line_in_space(sink, p, e.from, e.to, solid_look::frame, 1.0);
    }
}

void fill_wall(polygon_sink& sink, const projector& p, vec3 container, container_wall w, rgb colour,
               double opacity) {
    const std::array<vec3, 4> corners = wall_corners(container, w);
    const screen_polygon polygon = project_polygon(p, corners);
    if (polygon.size != 0) sink.fill_polygon(polygon.points(), colour, opacity);
}

}  // namespace

std::vector<painted_box> paint_order(const std::vector<solid_box>& boxes, const projector& p) {
    std::vector<painted_box> pieces;
    for (std::uint32_t i = 0; i < boxes.size(); ++i) pieces.push_back({boxes[i], i});
    // A ring needs at most as many cuts as it has planes through its boxes;
    // the limit only guards against a fault.
    const std::size_t most_cuts = 8 * boxes.size() + 64;
    std::vector<std::uint32_t> ring;
    for (std::size_t cuts = 0;; ++cuts) {
        std::vector<std::uint32_t> order = try_order(pieces, p, ring);
        if (ring.empty() || cuts == most_cuts || !cut_ring(pieces, ring)) {
            // Past the limit the rest go farthest first.
            std::vector<bool> placed(pieces.size(), false);
            for (const std::uint32_t i : order) placed[i] = true;
            std::vector<std::uint32_t> rest;
            for (std::uint32_t i = 0; i < pieces.size(); ++i) {
                if (!placed[i]) rest.push_back(i);
            }
            std::sort(rest.begin(), rest.end(), [&](std::uint32_t a, std::uint32_t b) {
                return p.depth_of(0.5 * (pieces[a].box.lo + pieces[a].box.hi)) >
                       p.depth_of(0.5 * (pieces[b].box.lo + pieces[b].box.hi));
            });
            order.insert(order.end(), rest.begin(), rest.end());
            std::vector<painted_box> sorted;
            sorted.reserve(order.size());
            for (const std::uint32_t i : order) sorted.push_back(pieces[i]);
            return sorted;
        }
    }
}

std::vector<painted_face> painted_faces(const solid_model& model, const projector& p) {
    // Which faces of each box can show at all.
    std::vector<std::uint8_t> outer(model.boxes.size(), 0);
    for (const solid_face& f : model.faces) {
        outer[f.box] |= static_cast<std::uint8_t>(1u << (f.axis * 2 + (f.positive ? 1 : 0)));
    }
    std::vector<painted_face> faces;
    for (const painted_box& piece : paint_order(model.boxes, p)) {
        const solid_box& source = model.boxes[piece.source];
        for (std::uint8_t axis = 0; axis < 3; ++axis) {
            for (const bool positive : {false, true}) {
                const solid_face f{piece.source, axis, positive};
                if ((outer[piece.source] & (1u << (axis * 2 + (positive ? 1 : 0)))) == 0) continue;
                // A face where the box was cut lies inside it.
                if (plane_of(piece.box, f) != plane_of(source, f)) continue;
                if (!visible_face(p, piece.box, f)) continue;
                const std::array<vec3, 4> corners = corners_of(piece.box, f);
                const screen_polygon polygon = project_polygon(p, corners);
                if (polygon.size == 0) continue;
                faces.push_back({piece.source, f, piece.box, polygon});
            }
        }
    }
    return faces;
}

void draw_solid(polygon_sink& sink, const solid_model& model, const camera& c, int width,
                int height, const solid_options& options) {
    const projector p(c, width, height);
    const vec3 container = model.container;
    if (!faces_eye(p, container, floor_plane)) {
        fill_wall(sink, p, container, floor_plane,
                  solid_look::shaded(solid_look::floor, solid_look::light(p, 2, true)), 1.0);
    }
    for (const container_wall& w : walls) {
        if (faces_eye(p, container, w)) continue;
        fill_wall(sink, p, container, w,
                  solid_look::shaded(solid_look::wall, solid_look::light(p, w.axis, !w.positive)),
                  solid_look::wall_tint);
    }
    draw_frame(sink, p, container, true);
    for (const painted_face& f : painted_faces(model, p)) {
        draw_face(sink, p, f, model.boxes[f.source], options);
    }
    if (!options.cut_away) {
        for (const container_wall& w : walls) {
            if (!faces_eye(p, container, w)) continue;
            fill_wall(
                sink, p, container, w,
                solid_look::shaded(solid_look::wall, solid_look::light(p, w.axis, w.positive)),
                solid_look::near_wall_tint);
        }
    }
    draw_frame(sink, p, container, false);
}

}  // namespace varnel
