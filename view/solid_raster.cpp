#include "view/solid_raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "view/screen_polygon.h"
#include "view/solid_look.h"

namespace varnel {

namespace {

constexpr std::uint32_t packed(rgb c) {
    return 0xff000000u | (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) |
           std::uint32_t{c.blue};
}

constexpr rgb unpacked(std::uint32_t p) {
    return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
            static_cast<std::uint8_t>(p)};
}

// Grid lines closer than this many pixels fade out: a face of cartons finer
// than the screen shows its colour, not a grey haze of lines.
constexpr double grid_fade_from = 6.0, grid_fade_to = 2.5;

// A line passes behind a face only when it lies this share of its distance
// behind it: an edge lying on a face is drawn.
constexpr double line_tolerance = 1e-3;

// The depth key of a point: larger is nearer, and linear along any line of
// the picture (the reciprocal of the distance in perspective).
double key_of(const projector& p, vec3 point) {
    const double d = p.depth_of(point);
    return p.perspective() ? 1.0 / d : -d;
}

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// What std::hypot gives, without its care for overflow, which no picture
// needs and which costs a fifth of a frame.
double length(double a, double b) { return std::sqrt(a * a + b * b); }

}  // namespace

solid_raster::face_point solid_raster::face_setup::at(double x, double y) const {
    const double inv = 1.0 / den.at(x, y);
    const double du = nu.at(x, y) * inv, dv = nv.at(x, y) * inv;
    return {ku + du, kv + dv, length(nu.a - du * den.a, nu.b - du * den.b) * std::fabs(inv),
            length(nv.a - dv * den.a, nv.b - dv * den.b) * std::fabs(inv)};
}

double solid_raster::face_setup::to_edge(const face_point& p) const {
    return std::min(std::min(p.u - u0, u1 - p.u) / p.step_u,
                    std::min(p.v - v0, v1 - p.v) / p.step_v);
}

solid_raster::face_setup solid_raster::setup_of(const projector& p, const solid_box& b,
                                                const solid_face& f) const {
    // Per axis k, the ray's direction (perspective) or origin (orthographic)
    // at a pixel: r_k = (right_k x - up_k y) / focal + the rest.
    const auto ray_plane = [&](std::size_t k) {
        const double fo = p.focal();
        const double rest = (p.perspective() ? p.forward()[k] : p.eye()[k]) -
                            p.centre_x() * p.right()[k] / fo + p.centre_y() * p.up()[k] / fo;
        return linear{p.right()[k] / fo, -p.up()[k] / fo, rest};
    };
    const std::size_t a = f.axis, u = u_axis(a), v = v_axis(a);
    const double c = plane_of(b, f);
    face_setup s;
    const linear ra = ray_plane(a), ru = ray_plane(u), rv = ray_plane(v);
    if (p.perspective()) {
        // On the ray eye + w r, the plane is where w r_a = c - eye_a: 1 / w
        // is r_a / (c - eye_a), and u = eye_u + w r_u.
        const double d = c - p.eye()[a];
        s.den = {ra.a / d, ra.b / d, ra.c / d};
        s.key = s.den;
        s.nu = ru;
        s.nv = rv;
        s.ku = p.eye()[u];
        s.kv = p.eye()[v];
    } else {
        // On the ray o + t forward, the plane is where o_a + t forward_a = c.
        const double fa = p.forward()[a];
        const linear t{-ra.a / fa, -ra.b / fa, (c - ra.c) / fa};
        s.key = {-t.a, -t.b, -t.c};
        s.den = {0, 0, 1};
        const double fu = p.forward()[u], fv = p.forward()[v];
        s.nu = {ru.a + fu * t.a, ru.b + fu * t.b, ru.c + fu * t.c};
        s.nv = {rv.a + fv * t.a, rv.b + fv * t.b, rv.c + fv * t.c};
    }
    s.u0 = b.lo[u];
    s.u1 = b.hi[u];
    s.v0 = b.lo[v];
    s.v1 = b.hi[v];
    s.ou = b.origin[u];
    s.pu = b.pitch[u];
    s.ov = b.origin[v];
    s.pv = b.pitch[v];
    s.fill = solid_look::face_colour(p, b, f);
    s.grid = solid_look::grid_of(s.fill);
    s.edge_width = b.role == box_role::current ? 2.2 : 1.0;
    s.axis = f.axis;
    s.positive = f.positive;
    s.plane = c;
    return s;
}

void solid_raster::render(const solid_model& model, const camera& c, int width, int height,
                          const solid_options& options) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    const std::size_t n = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    pixels_.resize(n);
    depth_.assign(n, -std::numeric_limits<float>::infinity());
    face_.assign(n, 0);
    for (int y = 0; y < height_; ++y) {
        const rgb row = solid_look::blend(solid_look::background_top, solid_look::background_bottom,
                                          y / static_cast<double>(height_));
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_, width_, packed(row));
    }
    const projector p(c, width_, height_);
    paint_container_inside(p, model);
    fill_depth(p, model);
    shade();
    smooth_outlines();
    paint_near_walls(p, model, options.cut_away);
    draw_edges(p, model, options);
}

// The floor and the insides of the walls the eye looks at, under the load:
// they lie behind every box, so they need no depth.
void solid_raster::paint_container_inside(const projector& p, const solid_model& model) {
    const auto paint = [&](container_wall w, auto colour_of) {
        const std::array<vec3, 4> corners = wall_corners(model.container, w);
        const screen_polygon poly = project_polygon(p, corners);
        scan_convex(poly.points(), width_, height_, [&](int y, int x0, int x1) {
            std::uint32_t* row = pixels_.data() + static_cast<std::ptrdiff_t>(y) * width_;
            for (int x = x0; x < x1; ++x) row[x] = packed(colour_of(unpacked(row[x])));
        });
    };
    if (!faces_eye(p, model.container, floor_plane)) {
        const rgb floor = solid_look::shaded(solid_look::floor, solid_look::light(p, 2, true));
        paint(floor_plane, [floor](rgb) { return floor; });
    }
    for (const container_wall& w : walls) {
        if (faces_eye(p, model.container, w)) continue;
        const rgb tint =
            solid_look::shaded(solid_look::wall, solid_look::light(p, w.axis, !w.positive));
        paint(w,
              [tint](rgb under) { return solid_look::blend(under, tint, solid_look::wall_tint); });
    }
}

// Every face turned to the eye, nearest first so that most pixels behind
// are refused at once, writes its depth and its number.
void solid_raster::fill_depth(const projector& p, const solid_model& model) {
    drawn_.clear();
    setups_.clear();
    std::vector<std::pair<double, solid_face>> order;
    for (const solid_face& f : model.faces) {
        const solid_box& b = model.boxes[f.box];
        if (!visible_face(p, b, f)) continue;
        const vec3 middle = 0.5 * (b.lo + b.hi);
        order.emplace_back(p.depth_of(middle), f);
    }
    std::sort(order.begin(), order.end(),
              [](const auto& l, const auto& r) { return l.first < r.first; });
    for (const auto& [distance, f] : order) {
        const solid_box& b = model.boxes[f.box];
        const std::array<vec3, 4> corners = corners_of(b, f);
        const screen_polygon poly = project_polygon(p, corners);
        if (poly.size == 0) continue;
        const face_setup s = setup_of(p, b, f);
        const std::uint32_t id = static_cast<std::uint32_t>(drawn_.size()) + 1;
        bool any = false;
        scan_convex(poly.points(), width_, height_, [&](int y, int x0, int x1) {
            const std::ptrdiff_t row = static_cast<std::ptrdiff_t>(y) * width_;
            double key = s.key.at(x0 + 0.5, y + 0.5);
            for (int x = x0; x < x1; ++x, key += s.key.a) {
                const float k = static_cast<float>(key);
                if (k > depth_[static_cast<std::size_t>(row + x)]) {
                    depth_[static_cast<std::size_t>(row + x)] = k;
                    face_[static_cast<std::size_t>(row + x)] = id;
                    any = true;
                }
            }
        });
        if (!any) continue;
        drawn_.push_back(f);
        setups_.push_back(s);
    }
}

// Each pixel of a face once: its colour, the carton grid and the box's edge
// from where on the face the pixel's centre lies, each line covering the
// pixel by its distance from the line in pixels.
void solid_raster::shade() {
    for (int y = 0; y < height_; ++y) {
        const double cy = y + 0.5;
        for (int x = 0; x < width_; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                  static_cast<std::size_t>(x);
            const std::uint32_t id = face_[i];
            if (id == 0) continue;
            const face_setup& s = setups_[id - 1];
            const face_point at = s.at(x + 0.5, cy);
            const auto grid = [](double w, double origin, double pitch, double step) {
                const double spacing = pitch / step;
                if (spacing < grid_fade_to) return 0.0;
                const double f = (w - origin) / pitch;
                const double off = std::fabs(f - std::floor(f + 0.5)) * spacing;
                return clamp01(1.0 - off) *
                       clamp01((spacing - grid_fade_to) / (grid_fade_from - grid_fade_to));
            };
            const double line =
                std::max(grid(at.u, s.ou, s.pu, at.step_u), grid(at.v, s.ov, s.pv, at.step_v));
            const double edge = clamp01(s.edge_width - s.to_edge(at));
            rgb colour = line > 0 ? solid_look::blend(s.fill, s.grid, line) : s.fill;
            if (edge > 0) colour = solid_look::blend(colour, solid_look::edge, edge);
            pixels_[i] = packed(colour);
        }
    }
}

// Where a face ends against something farther (or nothing), the pixels
// just outside its edge take the edge's ink by how much of them the face
// would cover, so outlines are smooth on both sides.
void solid_raster::smooth_outlines() {
    const auto spill = [&](std::size_t into, std::size_t from, int x, int y) {
        const face_setup& s = setups_[face_[from] - 1];
        if (face_[into] != 0) {
            // Faces side by side in one plane each draw their own edge.
            const face_setup& t = setups_[face_[into] - 1];
            if (s.axis == t.axis && s.positive == t.positive &&
                std::fabs(s.plane - t.plane) <= 1e-6 * std::max(1.0, std::fabs(s.plane))) {
                return;
            }
            if (s.key.at(x + 0.5, y + 0.5) <= depth_[into]) return;
        }
        const double outside = s.to_edge(s.at(x + 0.5, y + 0.5));
        const double cover = clamp01(0.5 + outside);
        if (outside >= 0 || cover <= 0) return;
        pixels_[into] = packed(solid_look::blend(unpacked(pixels_[into]), solid_look::edge, cover));
    };
    const std::size_t w = static_cast<std::size_t>(width_);
    for (int y = 0; y < height_; ++y) {
        const std::uint32_t* row = face_.data() + static_cast<std::size_t>(y) * w;
        const bool last_row = y + 1 == height_;
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t id = row[x];
            const bool right = x + 1 < width_ && row[x + 1] != id;
            const bool below = !last_row && row[static_cast<std::size_t>(x) + w] != id;
            if (!right && !below) continue;
            const std::size_t i = static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x);
            if (right) {
                if (row[x + 1] != 0) spill(i, i + 1, x, y);
                if (id != 0) spill(i + 1, i, x + 1, y);
            }
            if (below) {
                if (row[static_cast<std::size_t>(x) + w] != 0) spill(i, i + w, x, y);
                if (id != 0) spill(i + w, i, x, y + 1);
            }
        }
    }
}

void solid_raster::paint_near_walls(const projector& p, const solid_model& model, bool cut_away) {
    if (cut_away) return;
    for (const container_wall& w : walls) {
        if (!faces_eye(p, model.container, w)) continue;
        const rgb tint =
            solid_look::shaded(solid_look::wall, solid_look::light(p, w.axis, w.positive));
        const std::array<vec3, 4> corners = wall_corners(model.container, w);
        scan_convex(
            project_polygon(p, corners).points(), width_, height_, [&](int y, int x0, int x1) {
                std::uint32_t* row = pixels_.data() + static_cast<std::ptrdiff_t>(y) * width_;
                for (int x = x0; x < x1; ++x) {
                    row[x] = packed(
                        solid_look::blend(unpacked(row[x]), tint, solid_look::near_wall_tint));
                }
            });
    }
}

void solid_raster::draw_edges(const projector& p, const solid_model& model,
                              const solid_options& options) {
    for (const box_edge& e : edges_of(vec3{}, model.container)) {
        draw_line(p, e.from, e.to, solid_look::frame, {0.85, 0.3, 0.0}, 1);
    }
    if (!options.outlined) return;
    vec3 lo{1e300, 1e300, 1e300}, hi{-1e300, -1e300, -1e300};
    bool any = false;
    for (const solid_box& b : model.boxes) {
        if (b.block != *options.outlined) continue;
        any = true;
        for (std::size_t a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], b.lo[a]);
            hi[a] = std::max(hi[a], b.hi[a]);
        }
    }
    if (!any) return;
    for (const box_edge& e : edges_of(lo, hi)) {
        draw_line(p, e.from, e.to, solid_look::outline, {1.0, 1.0, 0.5}, 2);
    }
}

// A line of the container's space, `width` pixels wide, laid over what
// shows with the opacity `ink` gives for where it passes.
void solid_raster::draw_line(const projector& p, vec3 a, vec3 b, rgb colour, line_ink ink,
                             int width) {
    if (!clip_to_near(p, a, b)) return;
    const std::optional<screen_point> sa = p.to_screen(a), sb = p.to_screen(b);
    if (!sa || !sb) return;
    double ka = key_of(p, a), kb = key_of(p, b);
    // Cut to the picture (Liang and Barsky); the key is linear along the
    // line in the picture, so it is cut alike.
    double t0 = 0, t1 = 1;
    const double dx = sb->x - sa->x, dy = sb->y - sa->y;
    const double edges[4][2] = {
        {-dx, sa->x + 1}, {dx, width_ + 1 - sa->x}, {-dy, sa->y + 1}, {dy, height_ + 1 - sa->y}};
    for (const auto& [q, r] : edges) {
        if (q == 0) {
            if (r < 0) return;
            continue;
        }
        const double t = r / q;
        if (q < 0) t0 = std::max(t0, t);
        if (q > 0) t1 = std::min(t1, t);
    }
    if (t0 > t1) return;
    const screen_point from{sa->x + t0 * dx, sa->y + t0 * dy};
    const double kfrom = ka + t0 * (kb - ka), kto = ka + t1 * (kb - ka);
    const double length = std::max(std::fabs(dx), std::fabs(dy)) * (t1 - t0);
    const int steps = std::max(1, static_cast<int>(std::ceil(length)));
    const bool steep = std::fabs(dy) > std::fabs(dx);
    for (int i = 0; i <= steps; ++i) {
        const double t = i / static_cast<double>(steps);
        const double x = from.x + t * (t1 - t0) * dx, y = from.y + t * (t1 - t0) * dy;
        const double key = kfrom + t * (kto - kfrom);
        const double slack =
            p.perspective() ? key * line_tolerance : line_tolerance * std::max(1.0, std::fabs(key));
        for (int k = 0; k < width; ++k) {
            const int px = static_cast<int>(std::floor(x)) + (steep ? k : 0);
            const int py = static_cast<int>(std::floor(y)) + (steep ? 0 : k);
            if (px < 0 || py < 0 || px >= width_ || py >= height_) continue;
            const std::size_t at = static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) +
                                   static_cast<std::size_t>(px);
            const bool in_front = key + slack >= depth_[at];
            // Behind a face, dashed.
            const double share = !in_front        ? ((i / 4) % 2 == 0 ? ink.hidden : 0.0)
                                 : face_[at] != 0 ? ink.over_faces
                                                  : ink.over_background;
            if (share <= 0) continue;
            pixels_[at] = packed(solid_look::blend(unpacked(pixels_[at]), colour, share));
        }
    }
}

rgb solid_raster::pixel(int x, int y) const {
    return unpacked(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)]);
}

std::optional<solid_face> solid_raster::face_at(int x, int y) const {
    const std::uint32_t id = face_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                   static_cast<std::size_t>(x)];
    if (id == 0) return std::nullopt;
    return drawn_[id - 1];
}

}  // namespace varnel
