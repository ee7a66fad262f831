#include "engine/single/layer_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

#include "engine/mixed/cargo.h"
#include "engine/single/l_pieces.h"
#include "engine/single/layer_bound.h"
#include "engine/single/layer_lp.h"
#include "engine/single/layer_raster.h"

namespace varnel {

namespace {

// Five-block cuts nest at most this deep; each level is one more pass.
constexpr int max_depth = 8;

enum class how_kind : std::uint64_t { grid, cut, kept, five };

// How a rectangle's value was reached, packed in 64 bits: the kind, then
// up to four raster indices of 15 bits.
struct how {
    how_kind kind = how_kind::grid;
    std::array<int, 4> at{};

    std::uint64_t packed() const {
        std::uint64_t v = static_cast<std::uint64_t>(kind);
        for (std::size_t k = 0; k < 4; ++k) v |= static_cast<std::uint64_t>(at[k]) << (2 + 15 * k);
        return v;
    }
    static how of(std::uint64_t v) {
        how h;
        h.kind = static_cast<how_kind>(v & 3u);
        for (std::size_t k = 0; k < 4; ++k)
            h.at[k] = static_cast<int>((v >> (2 + 15 * k)) & 0x7FFF);
        return h;
    }
};

struct cell {
    std::int32_t value = -1;  // not yet known
    std::uint64_t how = 0;
};

// The rectangles (i, j) of raster points, level k allowing five-block cuts
// nested k deep: V_k(i, j) is the best of V_{k-1}(i, j), guillotine cuts
// into two V_k pieces and five-block cuts into V_{k-1} pieces. Values are
// filled on demand, and a cut is followed only when the bounds of its
// pieces could beat what the rectangle already holds.
class rect_search final : public rect_values {
public:
    explicit rect_search(layer_raster& r) : r_(r) {}

    // Deepens level by level until the space reaches `bound`, a level
    // changes nothing, or the meter stops; each level holds at least what
    // the one before it held. The space's value.
    std::int32_t run(std::int64_t bound) {
        levels_.emplace_back(r_.cells());
        std::int32_t best = value(0, r_.last_u(), r_.last_v());
        for (int k = 1; k <= max_depth; ++k) {
            if (best >= bound || r_.meter().stopped()) break;
            levels_.emplace_back(r_.cells());
            changed_ = false;
            best = value(k, r_.last_u(), r_.last_v());
            if (!changed_) break;
        }
        return best;
    }

    int top() const { return static_cast<int>(levels_.size()) - 1; }

    std::int32_t rect(int i, int j) override { return value(top(), i, j); }

    void emit(int i, int j, units u0, units v0, flip f,
              std::vector<rect_grid>& out) const override {
        emit_at(top(), i, j, u0, v0, f, out);
    }

    void emit_at(int k, int i, int j, units u0, units v0, flip f,
                 std::vector<rect_grid>& out) const {
        if (i == 0 || j == 0) return;
        const cell& c = levels_[idx(k)][r_.at(i, j)];
        if (c.value <= 0) return;
        const how h = how::of(c.how);
        const units X = r_.point(i), Y = r_.point(j);
        switch (h.kind) {
            case how_kind::grid: r_.emit_grid(X, Y, h.at[0] != 0, u0, v0, f, out); return;
            case how_kind::kept: return emit_at(k - 1, i, j, u0, v0, f, out);
            case how_kind::cut: {
                const int c0 = h.at[1];
                if (h.at[0] == 0) {
                    emit_at(k, c0, j, u0, v0, f, out);
                    emit_at(k, r_.rest(i, c0), j, u0 + r_.point(c0), v0, f, out);
                } else {
                    emit_at(k, i, c0, u0, v0, f, out);
                    emit_at(k, i, r_.rest(j, c0), u0, v0 + r_.point(c0), f, out);
                }
                return;
            }
            case how_kind::five: {
                const auto [x1, x2, y1, y2] = h.at;
                const units px1 = r_.point(x1), px2 = r_.point(x2);
                const units py1 = r_.point(y1), py2 = r_.point(y2);
                emit_at(k - 1, x1, y2, u0, v0, f, out);
                emit_at(k - 1, r_.rest(i, x1), y1, u0 + px1, v0, f, out);
                emit_at(k - 1, r_.rest(i, x2), r_.rest(j, y1), u0 + px2, v0 + py1, f, out);
                emit_at(k - 1, x2, r_.rest(j, y2), u0, v0 + py2, f, out);
                emit_at(k - 1, r_.rest(x2, x1), r_.rest(y2, y1), u0 + px1, v0 + py1, f, out);
                return;
            }
        }
    }

private:
    static std::size_t idx(int k) { return static_cast<std::size_t>(k); }

    std::int32_t value(int k, int i, int j) {
        if (i == 0 || j == 0) return 0;
        const std::size_t at = r_.at(i, j);
        if (levels_[idx(k)][at].value >= 0) return levels_[idx(k)][at].value;
        const std::int32_t bound = r_.ub(i, j);
        std::int32_t best = 0;
        how h;
        if (k == 0) {
            const auto [count, turned] = r_.grid(r_.point(i), r_.point(j));
            best = count;
            h.at[0] = turned ? 1 : 0;
        } else {
            best = value(k - 1, i, j);
            h.kind = how_kind::kept;
        }
        const std::int32_t start = best;
        if (best < bound) cuts(k, i, j, bound, best, h);
        if (k > 0 && best < bound) five(k, i, j, bound, best, h);
        if (best > start && k > 0) changed_ = true;
        levels_[idx(k)][at] = {best, h.packed()};
        return best;
    }

    // Guillotine cuts up to half of each side: a cut beyond half is the
    // same two pieces the other way round.
    void cuts(int k, int i, int j, std::int32_t bound, std::int32_t& best, how& h) {
        const int hi = r_.half(i), hj = r_.half(j);
        if (!r_.meter().spend(static_cast<std::uint64_t>(1 + hi + hj))) return;
        for (int c = 1; c <= hi && best < bound; ++c) {
            const int rest = r_.rest(i, c);
            if (r_.ub(c, j) + r_.ub(rest, j) <= best) continue;
            const std::int32_t s = value(k, c, j) + value(k, rest, j);
            if (s > best) best = s, h = {how_kind::cut, {0, c, 0, 0}};
        }
        for (int c = 1; c <= hj && best < bound; ++c) {
            const int rest = r_.rest(j, c);
            if (r_.ub(i, c) + r_.ub(i, rest) <= best) continue;
            const std::int32_t s = value(k, i, c) + value(k, i, rest);
            if (s > best) best = s, h = {how_kind::cut, {1, c, 0, 0}};
        }
    }

    // First-order non-guillotine cuts at x1 < x2 across and y1 < y2 along:
    // [0,x1]x[0,y2], [x1,X]x[0,y1], [x2,X]x[y1,Y], [0,x2]x[y2,Y] round the
    // centre [x1,x2]x[y1,y2]. Its mirror image holds the same pieces, so it
    // is not tried. For each x1, x2 the pieces' bounds are summed over y1
    // and y2 first, and only cuts whose bounds beat the best are valued.
    void five(int k, int i, int j, std::int32_t bound, std::int32_t& best, how& h) {
        if (i < 2 || j < 2) return;
        const std::size_t n = static_cast<std::size_t>(j) + 1;
        std::vector<std::int32_t> a(n), b(n), e(n), most_b(n);
        const auto units =
            static_cast<std::uint64_t>(j) * static_cast<std::uint64_t>(j) / 2 + 4 * n;
        for (int x1 = 1; x1 < i; ++x1) {
            for (int x2 = x1 + 1; x2 < i; ++x2) {
                if (!r_.meter().spend(units)) return;
                const int w1 = r_.rest(i, x1), w2 = r_.rest(i, x2), cx = r_.rest(x2, x1);
                std::int32_t most_e = 0;
                for (int y = 0; y < j; ++y) {
                    const std::size_t s = static_cast<std::size_t>(y);
                    a[s] = r_.ub(x1, y) + r_.ub(x2, r_.rest(j, y));
                    b[s] = r_.ub(w1, y) + r_.ub(w2, r_.rest(j, y));
                    e[s] = r_.ub(cx, y);
                    most_e = std::max(most_e, e[s]);
                    most_b[s] = std::max(b[s], s > 0 ? most_b[s - 1] : 0);
                }
                for (int y2 = 2; y2 < j; ++y2) {
                    const std::size_t s2 = static_cast<std::size_t>(y2);
                    if (a[s2] + most_b[s2 - 1] + most_e <= best) continue;
                    for (int y1 = 1; y1 < y2; ++y1) {
                        const int cy = r_.rest(y2, y1);
                        const std::size_t s1 = static_cast<std::size_t>(y1);
                        if (a[s2] + b[s1] + e[static_cast<std::size_t>(cy)] <= best) continue;
                        const std::int32_t v = value(k - 1, x1, y2) + value(k - 1, w1, y1) +
                                               value(k - 1, w2, r_.rest(j, y1)) +
                                               value(k - 1, x2, r_.rest(j, y2)) +
                                               value(k - 1, cx, cy);
                        if (v > best) {
                            best = v, h = {how_kind::five, {x1, x2, y1, y2}};
                            if (best >= bound) return;
                        }
                    }
                }
            }
        }
    }

    layer_raster& r_;
    std::vector<std::vector<cell>> levels_;
    bool changed_ = false;
};

}  // namespace

namespace {

// Whether every side counts on `grid` in 64 bits: the typed sizes reach
// 1e37 mm, far beyond what a raster could ever hold.
bool countable(const mixed::grid& grid, std::initializer_list<double> sides) {
    return std::all_of(sides.begin(), sides.end(), [&grid](double mm) {
        return std::isfinite(mm) && std::fabs(mm) / grid.step_mm < 1e15;
    });
}

}  // namespace

double layer_search_work(double U, double V, double p, double q) {
    const std::array<double, 2> sides{p, q};
    const mixed::grid grid = mixed::grid_of_sides(sides);
    if (!countable(grid, {U, V, p, q})) return std::numeric_limits<double>::infinity();
    const units a = grid.carton(p), b = grid.carton(q);
    const units along = grid.container(std::max(U, V)), across = grid.container(std::min(U, V));
    if (a <= 0 || b <= 0) return std::numeric_limits<double>::infinity();
    const double sums = (static_cast<double>(along / a) + 1) * (static_cast<double>(along / b) + 1);
    if (sums > 4e6) return std::numeric_limits<double>::infinity();
    std::vector<units> points;
    for (units s = 0; s <= along; s += a)
        for (units t = s; t <= along; t += b) points.push_back(t);
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    const auto n_across = static_cast<double>(
        std::upper_bound(points.begin(), points.end(), across) - points.begin());
    const auto n_along = static_cast<double>(points.size());
    return n_across * n_along * (n_across + n_along) / 4 +
           n_across * n_across * n_along * n_along / 4;
}

layer_result best_layer(double U, double V, double p, double q, work_meter& meter) {
    layer_result result;
    const std::array<double, 2> sides{p, q};
    const mixed::grid grid = mixed::grid_of_sides(sides);
    if (!countable(grid, {U, V, p, q})) return result;
    layer_raster r(grid.container(U), grid.container(V), grid.carton(p), grid.carton(q),
                   grid.step_mm, meter);
    if (!r.ready()) return result;
    result.bound = r.ub(r.last_u(), r.last_v());
    if (const std::int64_t b = layer_bound(U, V, p, q); b < result.bound) {
        result.bound = b, result.bound_by = layer_bound_kind::equivalence;
    }
    rect_search rects(r);
    const std::int32_t by_rects = rects.run(result.bound);
    // Short of the bound: the linear relaxation may prove the pattern
    // optimal all the same, or bring the bound nearer, before the dearer
    // L-shaped pieces search towards it.
    if (by_rects < result.bound && !meter.stopped()) {
        const auto lp = layer_lp_bound(r, by_rects);
        if (lp && *lp < result.bound)
            result.bound = *lp, result.bound_by = layer_bound_kind::relaxation;
    }
    bool done = by_rects >= result.bound || !meter.stopped();
    std::vector<rect_grid>& grids = result.pattern.grids;
    if (by_rects < result.bound && !meter.stopped()) {
        l_search ls(r, rects);
        done = ls.run(by_rects, result.bound) >= result.bound || !meter.stopped();
        ls.emit(grids);
    } else {
        rects.emit(r.last_u(), r.last_v(), 0, 0, flip{}, grids);
    }
    // Pieces may have grown since their sums were taken: count what is laid.
    for (const rect_grid& g : grids) result.pattern.count += std::int64_t{g.nu} * g.nv;
    result.complete = done;
    return result;
}

}  // namespace varnel
