#include "engine/single/rect_patterns.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/single/pattern_search.h"

namespace varnel {

namespace {

// Limits that keep a huge typed container's search small; real containers
// stay far below them. Each step they bound runs between two polls of the
// meter, so a cancel waits for no more than a few hundredths of a second.
constexpr double max_combinations = 1e6;
constexpr double max_states = 2e6;
// The bound's sums are listed only below this many: beyond it the side
// itself bounds, and the bound stays quick whatever the input.
constexpr double max_bound_combinations = 1e6;
// The five-block cuts keep a table of rests per side, points squared.
constexpr double max_rest_table = 1e6;

bool same_length(double a, double b) { return std::fabs(a - b) <= fit_tolerance; }

using score = pattern_score<std::int64_t>;

// One state's choice: a single grid, turned or not, or a cut at raster
// index `cut` across U (axis 0, vertical) or along V (axis 1), or a
// first-order non-guillotine cut, `cut` its index among the five-block cuts.
using choice = pattern_choice<bool>;
constexpr std::int8_t five_block = 2;

// Points x1 < x2 across and y1 < y2 along a rectangle where the four
// rectangles around a centre meet.
struct five_cut {
    int x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    bool mirrored = false;
};

// A rectangle of points (i, j) placed at (u, v) inside another.
struct piece {
    int i = 0, j = 0;
    double u = 0.0, v = 0.0;
};

// The best pattern of every rectangle of raster points (i, j), the whole
// last. A standing pattern also keeps the exact fillings, rectangles tiled
// without a gap: only such a part carries what is cut off above it, since a
// carton's base must rest wholly on the tops of cartons.
class guillotine {
public:
    guillotine(std::vector<double> xs, std::vector<double> ys, double p, double q,
               const pattern_options& o, work_meter& meter)
        : p_(p),
          q_(q),
          up_(o.up),
          xs_(std::move(xs)),
          ys_(std::move(ys)),
          five_meter_(o.up == upward::none ? o.five_meter : nullptr) {
        const std::size_t n = xs_.size() * ys_.size();
        value_.resize(n);
        how_.resize(n);
        if (up_ != upward::none) {
            full_.resize(n);
            full_how_.resize(n);
        }
        const double nx = static_cast<double>(xs_.size()), ny = static_cast<double>(ys_.size());
        if (five_meter_ != nullptr &&
            (nx * nx > max_rest_table || ny * ny > max_rest_table ||
             !five_meter_->spend(static_cast<std::uint64_t>(nx * nx + ny * ny)))) {
            five_meter_ = nullptr;
        }
        if (five_meter_ != nullptr) {
            rest_x_ = rests(xs_);
            rest_y_ = rests(ys_);
        }
        solve(meter);
    }

    bool empty() const { return xs_.empty() || ys_.empty(); }
    const std::vector<double>& ys() const { return ys_; }
    int last_x() const { return static_cast<int>(xs_.size()) - 1; }
    int last_y() const { return static_cast<int>(ys_.size()) - 1; }
    score value(int i, int j) const { return i < 0 || j < 0 ? score{} : value_[at(i, j)]; }

    void emit(int i, int j, double u0, double v0, std::vector<rect_grid>& out) const {
        if (i < 0 || j < 0 || value_[at(i, j)].count == 0) return;
        const choice& c = how_[at(i, j)];
        if (c.axis == five_block) {
            for (const piece& k : pieces(i, j, fives_[idx(c.cut)])) {
                emit(k.i, k.j, u0 + k.u, v0 + k.v, out);
            }
        } else if (c.axis < 0) {
            emit_grid(i, j, c.pose, u0, v0, out);
        } else {
            // The part a cut across the height leaves below is an exact filling.
            const bool below = c.axis == 1 ? up_ == upward::v : up_ == upward::u;
            emit_cut(i, j, c, u0, v0, out, below ? &guillotine::emit_full : &guillotine::emit,
                     &guillotine::emit);
        }
    }

private:
    using emitter = void (guillotine::*)(int, int, double, double, std::vector<rect_grid>&) const;

    static std::size_t idx(int i) { return static_cast<std::size_t>(i); }
    std::size_t at(int i, int j) const { return idx(i) * ys_.size() + idx(j); }
    score full(int i, int j) const { return i < 0 || j < 0 ? score{} : full_[at(i, j)]; }

    void emit_grid(int i, int j, bool turned, double u0, double v0,
                   std::vector<rect_grid>& out) const {
        const double eu = turned ? q_ : p_, ev = turned ? p_ : q_;
        out.push_back({u0, v0, fitting(xs_[idx(i)], eu), fitting(ys_[idx(j)], ev), turned});
    }
    void emit_cut(int i, int j, const choice& c, double u0, double v0, std::vector<rect_grid>& out,
                  emitter first, emitter second) const {
        if (c.axis == 0) {
            const double cut = xs_[idx(c.cut)];
            (this->*first)(c.cut, j, u0, v0, out);
            (this->*second)(floor_index(xs_, xs_[idx(i)] - cut), j, u0 + cut, v0, out);
        } else {
            const double cut = ys_[idx(c.cut)];
            (this->*first)(i, c.cut, u0, v0, out);
            (this->*second)(i, floor_index(ys_, ys_[idx(j)] - cut), u0, v0 + cut, out);
        }
    }
    void emit_full(int i, int j, double u0, double v0, std::vector<rect_grid>& out) const {
        const choice& c = full_how_[at(i, j)];
        if (c.axis < 0) {
            emit_grid(i, j, c.pose, u0, v0, out);
        } else {
            emit_cut(i, j, c, u0, v0, out, &guillotine::emit_full, &guillotine::emit_full);
        }
    }

    // rest[a * n + c]: the largest point within points[a] - points[c].
    static std::vector<int> rests(const std::vector<double>& points) {
        const std::size_t n = points.size();
        std::vector<int> rest(n * n, -1);
        for (std::size_t a = 0; a < n; ++a) {
            for (std::size_t c = 0; c < a; ++c)
                rest[a * n + c] = floor_index(points, points[a] - points[c]);
        }
        return rest;
    }
    int rest_x(int a, int c) const { return rest_x_[idx(a) * xs_.size() + idx(c)]; }
    int rest_y(int a, int c) const { return rest_y_[idx(a) * ys_.size() + idx(c)]; }

    // The five rectangles of a first-order non-guillotine cut of the
    // rectangle (i, j): four around a centre, each pair of neighbours
    // meeting along a line that does not cross the whole rectangle.
    // Turning the other way is the mirror image.
    std::array<piece, 5> pieces(int i, int j, const five_cut& f) const {
        const double u1 = xs_[idx(f.x1)], u2 = xs_[idx(f.x2)];
        const double v1 = ys_[idx(f.y1)], v2 = ys_[idx(f.y2)];
        const int centre_x = rest_x(f.x2, f.x1), centre_y = rest_y(f.y2, f.y1);
        if (!f.mirrored) {
            return {{{f.x1, f.y2, 0.0, 0.0},
                     {rest_x(i, f.x1), f.y1, u1, 0.0},
                     {centre_x, centre_y, u1, v1},
                     {f.x2, rest_y(j, f.y2), 0.0, v2},
                     {rest_x(i, f.x2), rest_y(j, f.y1), u2, v1}}};
        }
        return {{{f.x2, f.y1, 0.0, 0.0},
                 {rest_x(i, f.x2), f.y2, u2, 0.0},
                 {centre_x, centre_y, u1, v1},
                 {f.x1, rest_y(j, f.y1), 0.0, v1},
                 {rest_x(i, f.x1), rest_y(j, f.y2), u1, v2}}};
    }

    // The best first-order non-guillotine cut of (i, j) better than `best`,
    // on the five-block meter; its index in fives_, or -1.
    int best_five(int i, int j, score& best) {
        const double area = xs_[idx(i)] * ys_[idx(j)] / (p_ * q_);
        // A rectangle already filled to its area needs no search.
        if (static_cast<double>(best.count + 1) > area + 1e-9) return -1;
        const std::uint64_t pairs_x = idx(i) * idx(i - 1) / 2, pairs_y = idx(j) * idx(j - 1) / 2;
        if (pairs_x == 0 || pairs_y == 0 || !five_meter_->spend(pairs_x * pairs_y)) return -1;
        int chosen = -1;
        five_cut f;
        for (f.x1 = 0; f.x1 < i; ++f.x1) {
            for (f.x2 = f.x1 + 1; f.x2 < i; ++f.x2) {
                for (f.y1 = 0; f.y1 < j; ++f.y1) {
                    for (f.y2 = f.y1 + 1; f.y2 < j; ++f.y2) {
                        for (const bool m : {false, true}) {
                            f.mirrored = m;
                            score s;
                            for (const piece& k : pieces(i, j, f)) s = s + value(k.i, k.j);
                            if (s > best) {
                                best = s;
                                if (chosen < 0) {
                                    chosen = static_cast<int>(fives_.size());
                                    fives_.push_back(f);
                                } else {
                                    fives_[idx(chosen)] = f;
                                }
                            }
                        }
                    }
                }
            }
        }
        return chosen;
    }

    // halves[i]: how many points lie below and within half of point i. Cuts
    // up to half a side suffice where both parts are searched alike: the
    // other half is the same cut seen from the other end.
    static std::vector<int> halves(const std::vector<double>& points) {
        std::vector<int> h(points.size());
        int c = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            while (c < static_cast<int>(i) && points[idx(c)] <= points[i] / 2 + fit_tolerance) ++c;
            h[i] = c;
        }
        return h;
    }

    void solve(work_meter& meter) {
        const std::vector<int> half_x = halves(xs_), half_y = halves(ys_);
        for (int i = 0; i < static_cast<int>(xs_.size()); ++i) {
            for (int j = 0; j < static_cast<int>(ys_.size()); ++j) {
                solve_one(i, j, half_x, half_y, meter);
            }
        }
    }

    void solve_one(int i, int j, const std::vector<int>& half_x, const std::vector<int>& half_y,
                   work_meter& meter) {
        const double X = xs_[idx(i)], Y = ys_[idx(j)];
        const std::int64_t straight = std::int64_t{fitting(X, p_)} * fitting(Y, q_);
        const std::int64_t turned = std::int64_t{fitting(X, q_)} * fitting(Y, p_);
        score best{std::max(straight, turned), 1};
        choice how{-1, -1, turned > straight};
        if (best.count == 0) best.grids = 0;
        // A standing part cut across its height rests on an exact filling
        // below, so every height is tried, not only up to half.
        const bool standing = up_ != upward::none;
        const int cuts_x = up_ == upward::u ? i : half_x[idx(i)];
        const int cuts_y = up_ == upward::v ? j : half_y[idx(j)];
        const std::uint64_t units =
            static_cast<std::uint64_t>(1 + cuts_x + cuts_y) +
            (standing ? static_cast<std::uint64_t>(half_x[idx(i)] + half_y[idx(j)]) : 0u);
        const bool granted = meter.spend(units);
        if (granted) {
            for (int c = 0; c < cuts_x; ++c) {
                const score first = up_ == upward::u ? full(c, j) : value(c, j);
                if (first.count == 0) continue;
                const score s = first + value(floor_index(xs_, X - xs_[idx(c)]), j);
                if (s > best) best = s, how = {c, 0, false};
            }
            for (int c = 0; c < cuts_y; ++c) {
                const score first = up_ == upward::v ? full(i, c) : value(i, c);
                if (first.count == 0) continue;
                const score s = first + value(i, floor_index(ys_, Y - ys_[idx(c)]));
                if (s > best) best = s, how = {c, 1, false};
            }
        }
        if (five_meter_ != nullptr) {
            const int five = best_five(i, j, best);
            if (five >= 0) how = {five, five_block, false};
        }
        value_[at(i, j)] = best;
        how_[at(i, j)] = how;
        if (standing)
            fill_exactly(i, j, granted ? half_x[idx(i)] : 0, granted ? half_y[idx(j)] : 0);
    }

    // The exact filling of (i, j) in the fewest grids: one grid that fills it,
    // or two exact fillings side by side or one on the other.
    void fill_exactly(int i, int j, int cuts_x, int cuts_y) {
        const double X = xs_[idx(i)], Y = ys_[idx(j)];
        score best;
        choice how;
        for (const bool t : {false, true}) {
            const double eu = t ? q_ : p_, ev = t ? p_ : q_;
            const int nu = fitting(X, eu), nv = fitting(Y, ev);
            const score s{std::int64_t{nu} * nv, 1};
            if (s.count > 0 && same_length(nu * eu, X) && same_length(nv * ev, Y) && s > best)
                best = s, how = {-1, -1, t};
        }
        const auto join = [&](score a, score b, int c, std::int8_t axis) {
            if (a.count == 0 || b.count == 0) return;
            if (a + b > best) best = a + b, how = {c, axis, false};
        };
        for (int c = 0; c < cuts_x; ++c) {
            const int rest = floor_index(xs_, X - xs_[idx(c)]);
            if (rest >= 0 && same_length(xs_[idx(rest)] + xs_[idx(c)], X))
                join(full(c, j), full(rest, j), c, 0);
        }
        for (int c = 0; c < cuts_y; ++c) {
            const int rest = floor_index(ys_, Y - ys_[idx(c)]);
            if (rest >= 0 && same_length(ys_[idx(rest)] + ys_[idx(c)], Y))
                join(full(i, c), full(i, rest), c, 1);
        }
        full_[at(i, j)] = best;
        full_how_[at(i, j)] = how;
    }

    double p_, q_;
    upward up_;
    std::vector<double> xs_, ys_;
    work_meter* five_meter_;
    std::vector<int> rest_x_, rest_y_;
    std::vector<score> value_, full_;
    std::vector<choice> how_, full_how_;
    std::vector<five_cut> fives_;
};

// Waste of packing bars of length m in a whole-numbered a x b rectangle.
double bar_waste(double a, double b, double m) {
    const double r = std::fmod(a, m), s = std::fmod(b, m);
    return r + s <= m ? r * s : (m - r) * (m - s);
}

bool whole(double v) { return v == std::floor(v) && v < 1e9; }

// The concave hull of the counts (i, j) of p and q sides that fit in `side`
// together, as a function j = f(i) for 0 <= i <= most p sides.
class fit_hull {
public:
    fit_hull(double side, double p, double q) {
        const int most = fitting(side, p);
        for (int i = 0; i <= most; ++i) {
            const double j = fitting(side - i * p, q);
            // Keep the upper hull: drop points on or under the chord.
            while (corners_.size() >= 2) {
                const auto& [i0, j0] = corners_[corners_.size() - 2];
                const auto& [i1, j1] = corners_.back();
                if ((j1 - j0) * (i - i0) > (j - j0) * (i1 - i0)) break;
                corners_.pop_back();
            }
            corners_.emplace_back(static_cast<double>(i), j);
        }
    }
    double widest() const { return corners_.back().first; }
    const std::vector<std::pair<double, double>>& corners() const { return corners_; }
    // f(x), or -1 beyond the last point.
    double at(double x) const {
        if (x > widest() + 1e-9) return -1.0;
        for (std::size_t k = 1; k < corners_.size(); ++k) {
            const auto& [i0, j0] = corners_[k - 1];
            const auto& [i1, j1] = corners_[k];
            if (x <= i1 + 1e-9) return j0 + (j1 - j0) * std::max(0.0, x - i0) / (i1 - i0);
        }
        return corners_.back().second;
    }

private:
    std::vector<std::pair<double, double>> corners_;
};

// Counts of the first kind tried one by one; beyond this the bound takes the
// largest value over the real numbers, a little weaker and at once.
constexpr double max_line_counts = 20'000;

// Cartons lying one way (p across U, n1 of them) and the other (n2). Every
// line across U meets cartons whose sides along it fit in U, so the line's
// counts lie in the hull of such counts; their mean over all lines, which
// the cartons' sizes fix, lies there too. The same holds along V. The most
// n1 + n2 both allow is a bound that sees the waste of mixing the two ways.
std::int64_t line_bound(double U, double V, double p, double q) {
    constexpr double limit = 2e5;
    if (U / p > limit || U / q > limit || V / p > limit || V / q > limit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    const fit_hull across(U, p, q), along(V, q, p);
    // Along U a carton of the first kind is p long and q deep, so lines
    // across U meet it over q of V's length, lines along V over p of U's.
    const double most_n1 = std::min(across.widest() * V / q, along.widest() * U / p);
    const auto n2_of = [&](double n) {
        return std::min(across.at(n * q / V) * V / p, along.at(n * p / U) * U / q);
    };
    if (most_n1 > max_line_counts) {
        // n1 + n2 is concave in n1: its largest value lies at a corner of
        // either hull or where the two limits on n2 cross between corners.
        std::vector<double> at{0.0, most_n1};
        for (const auto& [i, j] : across.corners()) at.push_back(std::min(most_n1, i * V / q));
        for (const auto& [i, j] : along.corners()) at.push_back(std::min(most_n1, i * U / p));
        std::sort(at.begin(), at.end());
        const auto gap = [&](double n) {
            return across.at(n * q / V) * V / p - along.at(n * p / U) * U / q;
        };
        double best = 0.0;
        for (std::size_t k = 0; k < at.size(); ++k) {
            best = std::max(best, at[k] + n2_of(at[k]));
            if (k == 0) continue;
            const double a = at[k - 1], b = at[k], ga = gap(a), gb = gap(b);
            if ((ga < 0.0) != (gb < 0.0) && ga != gb) {
                const double n = a + (b - a) * ga / (ga - gb);
                best = std::max(best, n + n2_of(n));
            }
        }
        return bound_count(best);
    }
    std::int64_t best = 0;
    for (std::int64_t n1 = 0; static_cast<double>(n1) <= most_n1 + 1e-9; ++n1) {
        const double n2 = n2_of(static_cast<double>(n1));
        if (n2 < 0.0) break;
        best = std::max(best, n1 + static_cast<std::int64_t>(std::floor(n2 + 1e-9)));
    }
    return best;
}

// The better of the two single grids.
pattern2d single_grid(double U, double V, double p, double q) {
    pattern2d result;
    const std::int64_t straight = std::int64_t{fitting(U, p)} * fitting(V, q);
    const std::int64_t turned = std::int64_t{fitting(U, q)} * fitting(V, p);
    if (std::max(straight, turned) > 0) {
        const bool t = turned > straight;
        result.count = std::max(straight, turned);
        result.grids.push_back({0.0, 0.0, fitting(U, t ? q : p), fitting(V, t ? p : q), t});
    }
    return result;
}

upward turned_round(upward up) {
    return up == upward::u ? upward::v : up == upward::v ? upward::u : upward::none;
}

}  // namespace

std::vector<double> raster_points(double limit, double p, double q, work_meter& meter) {
    std::vector<double> points;
    if (!(p > 0.0 && q > 0.0)) return points;
    const double combinations =
        static_cast<double>(fitting(limit, p) + 1) * (fitting(limit, q) + 1);
    if (combinations > max_combinations || !meter.spend(static_cast<std::uint64_t>(combinations))) {
        // A typed container kilometres long: the multiples alone still give
        // patterns that fit, and keep the search's memory in bounds.
        for (double side : {p, q}) {
            for (int i = 1; i <= fitting(limit, side); ++i) points.push_back(i * side);
        }
        std::sort(points.begin(), points.end());
        points.erase(std::unique(points.begin(), points.end()), points.end());
        return points;
    }
    for (int i = 0; i <= fitting(limit, p); ++i) {
        const double base = i * p;
        for (int j = 0; j <= fitting(limit - base, q); ++j) {
            const double v = base + j * q;
            if (v > 0.0) points.push_back(v);
        }
    }
    return distinct_points(std::move(points));
}

double reduced_side(double limit, double p, double q, double r) {
    // Too many sums to try: the side itself is still an upper bound.
    // The loops below run (i + 1) × (j + 1) times: a side that takes none of
    // p still tries every count of q.
    if ((static_cast<double>(fitting(limit, p)) + 1.0) * (fitting(limit, q) + 1.0) >
        max_bound_combinations)
        return limit;
    double best = 0.0;
    for (int i = 0; i <= fitting(limit, p); ++i) {
        for (int j = 0; j <= fitting(limit - i * p, q); ++j) {
            const double used = i * p + j * q;
            best = std::max(best, used + fitting(limit - used, r) * r);
        }
    }
    return best;
}

pattern2d best_pattern(double U, double V, double p, double q, work_meter& meter,
                       const pattern_options& o) {
    if (U > V && U > o.section) {
        // Solve with the long side along V, then turn the grids back.
        pattern_options turned_options = o;
        turned_options.up = turned_round(o.up);
        pattern2d turned = best_pattern(V, U, p, q, meter, turned_options);
        for (rect_grid& g : turned.grids) {
            std::swap(g.u, g.v);
            std::swap(g.nu, g.nv);
            g.turned = !g.turned;
        }
        return turned;
    }
    // Sections laid along a standing height would stand on each other: a
    // height beyond one section is searched in its lowest section only.
    const bool stacked = o.up == upward::v && V > o.section;
    std::vector<double> xs = raster_points(U, p, q, meter);
    std::vector<double> ys = raster_points(std::min(V, o.section), p, q, meter);
    // A standing pattern keeps twice the tables.
    const double most = o.up == upward::none ? max_states : max_states / 2;
    if (static_cast<double>(xs.size()) * static_cast<double>(ys.size()) > most) {
        return single_grid(U, V, p, q);  // too large to search
    }
    const guillotine dp(std::move(xs), std::move(ys), p, q, o, meter);
    pattern2d result;
    if (dp.empty()) return result;
    const int top = dp.last_x();
    const std::vector<double>& lengths = dp.ys();
    if (V <= o.section || stacked) {
        result.count = dp.value(top, dp.last_y()).count;
        dp.emit(top, dp.last_y(), 0.0, 0.0, result.grids);
        if (stacked) {
            pattern2d grid = single_grid(U, V, p, q);
            if (grid.count > result.count) return grid;
        }
        return result;
    }

    // A long rectangle: sections of the full width U laid one after another
    // along V, their lengths chosen by a knapsack over the raster points.
    const std::vector<double> along = raster_points(V, p, q, meter);
    std::vector<score> best(along.size());
    std::vector<int> last(along.size(), -1);
    for (std::size_t k = 0; k < along.size(); ++k) {
        if (!meter.spend(lengths.size())) {
            // Out of budget: what fitted a shorter length still fits.
            if (k > 0) best[k] = best[k - 1], last[k] = -1 - static_cast<int>(k);
            continue;
        }
        for (std::size_t s = 0; s < lengths.size() && lengths[s] <= along[k] + fit_tolerance; ++s) {
            const int rest = floor_index(along, along[k] - lengths[s]);
            const score here = dp.value(top, static_cast<int>(s)) +
                               (rest >= 0 ? best[static_cast<std::size_t>(rest)] : score{});
            if (here > best[k]) best[k] = here, last[k] = static_cast<int>(s);
        }
    }
    // Walk back through the chosen sections; equal sections are laid side by
    // side so that their grids can merge.
    std::vector<int> sections;
    for (int k = static_cast<int>(along.size()) - 1; k >= 0;) {
        const int s = last[static_cast<std::size_t>(k)];
        if (s <= -2) {
            --k;  // same as the next shorter length
            continue;
        }
        if (s < 0) break;
        sections.push_back(s);
        k = floor_index(along,
                        along[static_cast<std::size_t>(k)] - lengths[static_cast<std::size_t>(s)]);
    }
    std::sort(sections.begin(), sections.end());
    double v0 = 0.0;
    for (int s : sections) {
        const std::size_t before = result.grids.size();
        dp.emit(top, s, 0.0, v0, result.grids);
        for (std::size_t g = before; g < result.grids.size(); ++g) {
            result.count += std::int64_t{result.grids[g].nu} * result.grids[g].nv;
        }
        v0 += lengths[static_cast<std::size_t>(s)];
    }
    return result;
}

std::int64_t pattern_bound(double U, double V, double p, double q) {
    const double u = reduced_side(U, p, q, p), v = reduced_side(V, p, q, p);
    double waste = 0.0;
    if (whole(u) && whole(v) && whole(p) && whole(q) && u >= std::max(p, q) &&
        v >= std::max(p, q)) {
        waste = std::max(bar_waste(u, v, p), bar_waste(u, v, q));
    }
    return std::min(bound_count((u * v - waste) / (p * q)), line_bound(U, V, p, q));
}

}  // namespace varnel
