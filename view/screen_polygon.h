#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>

#include "view/camera.h"

namespace varnel {

// A convex polygon in the picture: a face of a box, cut at the near plane,
// has at most five corners.
struct screen_polygon {
    std::array<screen_point, 8> corners{};
    std::size_t size = 0;

    std::span<const screen_point> points() const { return {corners.data(), size}; }
};

// The picture of a convex polygon of the container's space, cut where it
// passes behind the near plane; empty when nothing of it is in front.
inline screen_polygon project_polygon(const projector& p, std::span<const vec3> corners) {
    screen_polygon out;
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n && out.size < out.corners.size(); ++i) {
        const vec3 a = corners[i], b = corners[(i + 1) % n];
        if (!p.perspective()) {
            out.corners[out.size++] = *p.to_screen(a);
            continue;
        }
        const double da = p.depth_of(a) - projector::near_plane;
        const double db = p.depth_of(b) - projector::near_plane;
        if (da >= 0) out.corners[out.size++] = *p.to_screen(a);
        if ((da >= 0) != (db >= 0) && out.size < out.corners.size()) {
            const vec3 cut = a + (da / (da - db)) * (b - a);
            const std::optional<screen_point> s = p.to_screen(cut);
            if (s) out.corners[out.size++] = *s;
        }
    }
    if (out.size < 3) out.size = 0;
    return out;
}

// Cuts a line of the container's space to what lies in front of the near
// plane; false when nothing does.
inline bool clip_to_near(const projector& p, vec3& a, vec3& b) {
    if (!p.perspective()) return true;
    const double da = p.depth_of(a) - projector::near_plane;
    const double db = p.depth_of(b) - projector::near_plane;
    if (da < 0 && db < 0) return false;
    if (da < 0) a = a + (da / (da - db)) * (b - a);
    if (db < 0) b = b + (db / (db - da)) * (a - b);
    return true;
}

// Calls `row(y, x0, x1)` for each row of the picture (`width` × `height`)
// with the pixels x0 <= x < x1 whose centres lie inside the convex polygon.
// A centre on an edge belongs to the polygon on its right and below, so
// polygons that share an edge share none of its pixels.
template <typename Row>
void scan_convex(std::span<const screen_point> poly, int width, int height, Row row) {
    if (poly.size() < 3) return;
    double top = poly[0].y, bottom = poly[0].y;
    for (const screen_point& p : poly) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const double first = std::max(0.0, std::ceil(top - 0.5));
    const double last = std::min(static_cast<double>(height), std::ceil(bottom - 0.5));
    for (int y = static_cast<int>(first); y < static_cast<int>(last); ++y) {
        const double centre = y + 0.5;
        double left = 1e300, right = -1e300;
        for (std::size_t i = 0; i < poly.size(); ++i) {
            screen_point a = poly[i], b = poly[(i + 1) % poly.size()];
            // The same edge of two polygons, walked either way, gives the
            // same crossing to the last bit.
            if (b.y < a.y || (b.y == a.y && b.x < a.x)) std::swap(a, b);
            if (!(centre >= a.y && centre < b.y)) continue;
            const double x = a.x + (b.x - a.x) * ((centre - a.y) / (b.y - a.y));
            left = std::min(left, x);
            right = std::max(right, x);
        }
        if (left > right) continue;
        const double x0 = std::max(0.0, std::ceil(left - 0.5));
        const double x1 = std::min(static_cast<double>(width), std::ceil(right - 0.5));
        if (x0 < x1) row(y, static_cast<int>(x0), static_cast<int>(x1));
    }
}

}  // namespace varnel
