#include "engine/pallet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace varnel {

namespace {

// Limits that keep a huge typed container's search small; real containers
// stay far below them.
constexpr double max_combinations = 4e6;
constexpr double max_states = 2e6;

// Index of the largest point not above `value`, or -1.
int floor_index(const std::vector<double>& points, double value) {
    const auto it = std::upper_bound(points.begin(), points.end(), value + fit_tolerance);
    return static_cast<int>(it - points.begin()) - 1;
}

// A value with its block count: more cartons first, then fewer grids.
struct score {
    std::int64_t count = 0;
    std::int64_t grids = 0;
    bool operator>(const score& o) const {
        return count != o.count ? count > o.count : grids < o.grids;
    }
};
score operator+(score a, score b) { return {a.count + b.count, a.grids + b.grids}; }

// One state's choice: a single grid (cut < 0), or a cut at raster index
// `cut` across U (vertical) or along V.
struct choice {
    int cut = -1;
    bool along_v = false;
    bool turned = false;
    int five = -1;  // a first-order non-guillotine cut, by its index
};

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

class guillotine {
public:
    guillotine(double U, double V, double p, double q, double section, work_meter& meter,
               work_meter* five_meter)
        : p_(p),
          q_(q),
          section_(section),
          xs_(raster_points(U, p, q)),
          ys_(raster_points(V, p, q)),
          five_meter_(five_meter) {
        const std::size_t n = xs_.size() * ys_.size();
        value_.resize(n);
        how_.resize(n);
        if (five_meter_ != nullptr) {
            rest_x_ = rests(xs_);
            rest_y_ = rests(ys_);
        }
        solve(meter);
    }

    bool empty() const { return xs_.empty() || ys_.empty(); }
    const std::vector<double>& ys() const { return ys_; }
    int last_x() const { return static_cast<int>(xs_.size()) - 1; }
    score value(int i, int j) const { return value_[at(i, j)]; }

    void emit(int i, int j, double u0, double v0, std::vector<rect_grid>& out) const {
        if (i < 0 || j < 0) return;
        const choice& c = how_[at(i, j)];
        if (value_[at(i, j)].count == 0) return;
        if (c.five >= 0) {
            for (const piece& k : pieces(i, j, fives_[static_cast<std::size_t>(c.five)])) {
                emit(k.i, k.j, u0 + k.u, v0 + k.v, out);
            }
        } else if (c.cut < 0) {
            const double eu = c.turned ? q_ : p_, ev = c.turned ? p_ : q_;
            out.push_back({u0, v0, fitting(xs_[idx(i)], eu), fitting(ys_[idx(j)], ev), c.turned});
        } else if (!c.along_v) {
            const double cut = xs_[idx(c.cut)];
            emit(c.cut, j, u0, v0, out);
            emit(floor_index(xs_, xs_[idx(i)] - cut), j, u0 + cut, v0, out);
        } else {
            const double cut = ys_[idx(c.cut)];
            emit(i, c.cut, u0, v0, out);
            emit(i, floor_index(ys_, ys_[idx(j)] - cut), u0, v0 + cut, out);
        }
    }

private:
    static std::size_t idx(int i) { return static_cast<std::size_t>(i); }
    std::size_t at(int i, int j) const { return idx(i) * ys_.size() + idx(j); }

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
    score value_of(const piece& k) const {
        return k.i < 0 || k.j < 0 ? score{} : value_[at(k.i, k.j)];
    }

    // The best first-order non-guillotine cut of (i, j) better than `best`,
    // on the five-block meter; its index in fives_, or -1.
    int best_five(int i, int j, score& best) {
        const double area = xs_[idx(i)] * ys_[idx(j)] / (p_ * q_);
        // A rectangle already filled to its area needs no search.
        if (static_cast<double>(best.count + 1) > area + 1e-9) return -1;
        const std::uint64_t pairs_x = idx(i) * idx(i - 1) / 2, pairs_y = idx(j) * idx(j - 1) / 2;
        if (pairs_x == 0 || pairs_y == 0 || !five_meter_->spend(2 * pairs_x * pairs_y)) return -1;
        int chosen = -1;
        five_cut f;
        for (f.x1 = 0; f.x1 < i; ++f.x1) {
            for (f.x2 = f.x1 + 1; f.x2 < i; ++f.x2) {
                for (f.y1 = 0; f.y1 < j; ++f.y1) {
                    for (f.y2 = f.y1 + 1; f.y2 < j; ++f.y2) {
                        for (const bool m : {false, true}) {
                            f.mirrored = m;
                            score s;
                            for (const piece& k : pieces(i, j, f)) s = s + value_of(k);
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

    void solve(work_meter& meter) {
        const int nx = static_cast<int>(xs_.size()), ny = static_cast<int>(ys_.size());
        const int cut_limit = floor_index(ys_, section_) + 1;
        for (int i = 0; i < nx; ++i) {
            for (int j = 0; j < ny; ++j) {
                const double X = xs_[idx(i)], Y = ys_[idx(j)];
                const std::int64_t straight = std::int64_t{fitting(X, p_)} * fitting(Y, q_);
                const std::int64_t turned = std::int64_t{fitting(X, q_)} * fitting(Y, p_);
                score best{std::max(straight, turned), 1};
                choice how{-1, false, turned > straight};
                if (best.count == 0) best.grids = 0;
                // Cuts at up to half the side suffice: the other half is the
                // same cut seen from the other end.
                // Along the long side V, a cut further than `section` from
                // an end is the same pattern as sections laid end to end.
                if (meter.spend(static_cast<std::uint64_t>(i + std::min(j, cut_limit) + 2))) {
                    for (int c = 0; c < i && xs_[idx(c)] <= X / 2 + fit_tolerance; ++c) {
                        const score s = value(c, j) + value(floor_index(xs_, X - xs_[idx(c)]), j);
                        if (s > best && value(c, j).count > 0) best = s, how = {c, false, false};
                    }
                    for (int c = 0;
                         c < j && ys_[idx(c)] <= std::min(Y / 2, section_) + fit_tolerance; ++c) {
                        const score s = value(i, c) + value(i, floor_index(ys_, Y - ys_[idx(c)]));
                        if (s > best && value(i, c).count > 0) best = s, how = {c, true, false};
                    }
                }
                if (five_meter_ != nullptr) {
                    const int five = best_five(i, j, best);
                    if (five >= 0) how = {-1, false, false, five};
                }
                value_[at(i, j)] = best;
                how_[at(i, j)] = how;
            }
        }
    }

    double p_, q_, section_;
    std::vector<double> xs_, ys_;
    work_meter* five_meter_;
    std::vector<int> rest_x_, rest_y_;
    std::vector<score> value_;
    std::vector<choice> how_;
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
    std::int64_t best = 0;
    for (std::int64_t n1 = 0; static_cast<double>(n1) <= most_n1 + 1e-9; ++n1) {
        const double n = static_cast<double>(n1);
        const double by_across = across.at(n * q / V) * V / p;
        const double by_along = along.at(n * p / U) * U / q;
        const double n2 = std::min(by_across, by_along);
        if (n2 < 0.0) break;
        best = std::max(best, n1 + static_cast<std::int64_t>(std::floor(n2 + 1e-9)));
    }
    return best;
}

}  // namespace

std::vector<double> raster_points(double limit, double p, double q) {
    std::vector<double> points;
    if (!(p > 0.0 && q > 0.0)) return points;
    if (static_cast<double>(fitting(limit, p)) * fitting(limit, q) > max_combinations) {
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
    std::sort(points.begin(), points.end());
    std::vector<double> unique;
    for (double v : points) {
        if (unique.empty() || v - unique.back() > fit_tolerance) unique.push_back(v);
    }
    return unique;
}

double reduced_side(double limit, double p, double q, double r) {
    // Too many sums to try: the side itself is still an upper bound.
    if (static_cast<double>(fitting(limit, p)) * fitting(limit, q) > max_combinations) return limit;
    double best = 0.0;
    for (int i = 0; i <= fitting(limit, p); ++i) {
        for (int j = 0; j <= fitting(limit - i * p, q); ++j) {
            const double used = i * p + j * q;
            best = std::max(best, used + fitting(limit - used, r) * r);
        }
    }
    return best;
}

pattern2d best_pattern(double U, double V, double p, double q, work_meter& meter, double section,
                       work_meter* five_meter) {
    if (U > V && U > section) {
        // Solve with the long side along V, then turn the grids back.
        pattern2d turned = best_pattern(V, U, p, q, meter, section, five_meter);
        for (rect_grid& g : turned.grids) {
            std::swap(g.u, g.v);
            std::swap(g.nu, g.nv);
            g.turned = !g.turned;
        }
        return turned;
    }
    pattern2d result;
    if (static_cast<double>(raster_points(U, p, q).size()) *
            static_cast<double>(raster_points(std::min(V, section), p, q).size()) >
        max_states) {
        // Too large to search: the better single grid.
        const std::int64_t straight = std::int64_t{fitting(U, p)} * fitting(V, q);
        const std::int64_t turned = std::int64_t{fitting(U, q)} * fitting(V, p);
        if (std::max(straight, turned) > 0) {
            const bool t = turned > straight;
            result.count = std::max(straight, turned);
            result.grids.push_back({0.0, 0.0, fitting(U, t ? q : p), fitting(V, t ? p : q), t});
        }
        return result;
    }
    const guillotine dp(U, std::min(V, section), p, q, section, meter, five_meter);
    if (dp.empty()) return result;
    const int top = dp.last_x();
    const std::vector<double>& ys = dp.ys();
    if (V <= section) {
        const int j = static_cast<int>(ys.size()) - 1;
        result.count = dp.value(top, j).count;
        dp.emit(top, j, 0.0, 0.0, result.grids);
        return result;
    }

    // A long rectangle: sections of the full width U laid one after another
    // along V, their lengths chosen by a knapsack over the raster points.
    const std::vector<double> along = raster_points(V, p, q);
    std::vector<score> best(along.size());
    std::vector<int> last(along.size(), -1);
    for (std::size_t k = 0; k < along.size(); ++k) {
        if (!meter.spend(ys.size())) {
            // Out of budget: what fitted a shorter length still fits.
            if (k > 0) best[k] = best[k - 1], last[k] = -1 - static_cast<int>(k);
            continue;
        }
        for (std::size_t s = 0; s < ys.size() && ys[s] <= along[k] + fit_tolerance; ++s) {
            const int rest = floor_index(along, along[k] - ys[s]);
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
                        along[static_cast<std::size_t>(k)] - ys[static_cast<std::size_t>(s)]);
    }
    std::sort(sections.begin(), sections.end());
    double v0 = 0.0;
    for (int s : sections) {
        const std::size_t before = result.grids.size();
        dp.emit(top, s, 0.0, v0, result.grids);
        for (std::size_t g = before; g < result.grids.size(); ++g) {
            result.count += std::int64_t{result.grids[g].nu} * result.grids[g].nv;
        }
        v0 += ys[static_cast<std::size_t>(s)];
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
    return std::min(static_cast<std::int64_t>(std::floor((u * v - waste) / (p * q) + 1e-9)),
                    line_bound(U, V, p, q));
}

}  // namespace varnel
