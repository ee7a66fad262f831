#include "engine/single/layer_bound.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "engine/mixed/cargo.h"
#include "engine/single/rect_patterns.h"

namespace varnel {

namespace {

using units = std::int64_t;

// Beyond this many rows on a side the corners are too many to try; the
// plain bound stands.
constexpr std::size_t max_rows = 200;

// n a + m b <= c, with x = a (the longer carton side) and y = b.
struct constraint {
    units n = 0, m = 0, c = 0;
};

// The maximal rows of a side S: n long and m short sides that fit, with no
// room left for a short one (so none for a long one either).
std::vector<std::array<units, 2>> maximal_rows(units S, units a, units b) {
    std::vector<std::array<units, 2>> rows;
    for (units n = 0; n * a <= S; ++n) rows.push_back({n, (S - n * a) / b});
    return rows;
}

// A point of the class as whole numbers: x / d, y / d.
struct point {
    units x = 0, y = 0, d = 1;
};

}  // namespace

std::int64_t layer_bound(double U, double V, double p, double q) {
    std::int64_t best = pattern_bound(U, V, p, q);
    const std::array<double, 2> sides{p, q};
    const mixed::grid g = mixed::grid_of_sides(sides);
    const units a = std::max(g.carton(p), g.carton(q)), b = std::min(g.carton(p), g.carton(q));
    const units L = g.container(U), W = g.container(V);
    if (b <= 0 || L < b || W < b) return best;
    const auto along_l = maximal_rows(L, a, b), along_w = maximal_rows(W, a, b);
    if (along_l.size() + along_w.size() > max_rows) return best;

    std::vector<constraint> region;
    for (const auto& r : along_l) region.push_back({r[0], r[1], L});
    for (const auto& r : along_w) region.push_back({r[0], r[1], W});
    region.push_back({-1, 0, -a});  // x >= a
    region.push_back({0, -1, -b});  // y >= b
    region.push_back({-1, 1, 0});   // y <= x

    const auto inside = [&region](const point& pt) {
        return std::all_of(region.begin(), region.end(), [&pt](const constraint& k) {
            return k.n * pt.x + k.m * pt.y <= k.c * pt.d;
        });
    };
    std::vector<point> points;
    for (std::size_t i = 0; i < region.size(); ++i) {
        const constraint& k = region[i];
        // The largest area on this edge: x = c / 2n, y = c / 2m.
        if (k.n > 0 && k.m > 0) points.push_back({k.c * k.m, k.c * k.n, 2 * k.n * k.m});
        for (std::size_t j = i + 1; j < region.size(); ++j) {
            const constraint& l = region[j];
            units d = k.n * l.m - l.n * k.m;
            units x = k.c * l.m - l.c * k.m, y = k.n * l.c - l.n * k.c;
            if (d == 0) continue;
            if (d < 0) d = -d, x = -x, y = -y;
            points.push_back({x, y, d});
        }
    }
    for (point pt : points) {
        if (pt.x <= 0 || pt.y <= 0 || !inside(pt)) continue;
        // The grown instance, scaled by d: its sides the longest rows.
        units l_side = 0, w_side = 0;
        for (const auto& r : along_l) l_side = std::max(l_side, r[0] * pt.x + r[1] * pt.y);
        for (const auto& r : along_w) w_side = std::max(w_side, r[0] * pt.x + r[1] * pt.y);
        const units common = std::gcd(std::gcd(pt.x, pt.y), std::gcd(l_side, w_side));
        const auto whole = [common](units v) { return static_cast<double>(v / common); };
        best =
            std::min(best, pattern_bound(whole(l_side), whole(w_side), whole(pt.x), whole(pt.y)));
    }
    return best;
}

}  // namespace varnel
