#include "engine/single/packing_bound.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "engine/core/orientation.h"

namespace varnel {

namespace {

using weights = std::array<double, 3>;  // per carton dimension: length, width, height

// Enumerations larger than this are skipped: only typed containers far
// beyond real ones reach them, and leaving a function out keeps the bound
// valid, just looser.
constexpr std::int64_t max_pairs = 60'000;
constexpr std::int64_t max_k = 150;
constexpr int max_rounds = 30;
// Three sizes: hulls of more counts than this (small cartons along a long
// side) are left to the functions below, and 10 directions find nearly
// every corner that lifting misses.
constexpr std::size_t max_counts = 150;
// Far more pivots than a solve of these sizes takes unless rounding makes it
// cycle; a solve cut short is started again from x = 0.
constexpr int max_steps = 500;
constexpr int directions = 6;
// Combinations broken by less than this are left out: they could move the
// value by a millionth at most.
constexpr double violation = 1e-6;

double ratio(std::int64_t a, std::int64_t b) {
    return static_cast<double>(a) / static_cast<double>(b);
}

// The carton's sides in whole units of 1, 0.1 or 0.01 mm, where sums are
// exact: each float typed in must be the float nearest such a value. The
// container's sides become the whole units within them (the float nearest a
// whole unit is that unit). The planner adds the floats, whose rounding stays
// far below one unit while the sides are below 4e6 units; a count that fits
// there fits here too. Every value is compared before it is converted, which
// a value beyond the 64-bit range would make undefined.
std::optional<std::array<std::int64_t, 6>> on_grid(const std::array<float, 6>& sizes) {
    constexpr double most = 4e6;
    for (double scale : {1.0, 10.0, 100.0}) {
        std::array<std::int64_t, 6> units{};
        bool whole = true;
        for (std::size_t i = 0; i < 6 && whole; ++i) {
            const double v = static_cast<double>(sizes[i]) * scale;
            const double nearest = std::round(v);
            const bool carton = i < 3;
            const double r = carton || std::fabs(v - nearest) <= 1e-6 * v ? nearest : std::floor(v);
            whole = r >= 1.0 && r < most && (!carton || static_cast<float>(r / scale) == sizes[i]);
            if (whole) units[i] = static_cast<std::int64_t>(r);
        }
        if (whole) return units;
    }
    return std::nullopt;
}

// The largest sum of the sizes (each any number of times) not above `limit`.
// Packings can be pushed towards the origin until every carton's position is
// such a sum, so the container side may be cut down to it.
std::int64_t reduced(std::int64_t limit, const std::vector<std::int64_t>& sizes) {
    const std::int64_t p = sizes[0], q = sizes.size() > 1 ? sizes[1] : p,
                       r = sizes.size() > 2 ? sizes[2] : q;
    if ((limit / p + 1) * (limit / q + 1) > max_pairs) return limit;
    std::int64_t best = 0;
    for (std::int64_t i = 0; i * p <= limit; ++i) {
        for (std::int64_t j = 0; i * p + j * q <= limit; ++j) {
            const std::int64_t used = i * p + j * q;
            best = std::max(best, used + (limit - used) / r * r);
        }
    }
    return best;
}

// Weights for the distinct sizes along one axis, kept only when no other
// weighs every size at least as much.
class weight_set {
public:
    void add(const std::vector<double>& w) {
        for (const auto& k : kept_) {
            if (dominates(k, w)) return;
        }
        std::erase_if(kept_, [&](const std::vector<double>& k) { return dominates(w, k); });
        kept_.push_back(w);
    }
    const std::vector<std::vector<double>>& all() const { return kept_; }

private:
    static bool dominates(const std::vector<double>& a, const std::vector<double>& b) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i] < b[i]) return false;
        }
        return true;
    }
    std::vector<std::vector<double>> kept_;
};

// The upper hull of the counts (i, most j beside i) of sizes p and q that
// fit in c.
std::vector<std::array<std::int64_t, 2>> count_hull(std::int64_t c, std::int64_t p,
                                                    std::int64_t q) {
    std::vector<std::array<std::int64_t, 2>> hull;
    for (std::int64_t i = 0; i * p <= c; ++i) {
        const std::int64_t j = (c - i * p) / q;
        while (hull.size() >= 2) {
            const auto [i0, j0] = hull[hull.size() - 2];
            const auto [i1, j1] = hull.back();
            if ((j1 - j0) * (i - i0) > (j - j0) * (i1 - i0)) break;
            hull.pop_back();
        }
        hull.push_back({i, j});
    }
    return hull;
}

// The corners of {(gp, gq) >= 0 : i gp + j gq <= 1 for all i p + j q <= c}:
// the strongest weights any dual-feasible function can give two sizes. They
// come from the upper hull of the counts.
std::vector<std::array<double, 2>> pair_corners(std::int64_t c, std::int64_t p, std::int64_t q) {
    const std::vector<std::array<std::int64_t, 2>> hull = count_hull(c, p, q);
    std::vector<std::array<double, 2>> corners{{0.0, 1.0 / static_cast<double>(hull[0][1])},
                                               {1.0 / static_cast<double>(hull.back()[0]), 0.0}};
    for (std::size_t k = 1; k < hull.size(); ++k) {
        const auto [i0, j0] = hull[k - 1];
        const auto [i1, j1] = hull[k];
        const std::int64_t det = i0 * j1 - i1 * j0;
        if (det == 0) continue;
        const double gp = ratio(j1 - j0, det), gq = ratio(i0 - i1, det);
        if (gp >= 0.0 && gq >= 0.0) corners.push_back({gp, gq});
    }
    return corners;
}

// The most weight a third size r can take beside (gp, gq) on p and q.
double lifted(std::int64_t c, std::int64_t p, std::int64_t q, std::int64_t r, double gp,
              double gq) {
    double best = 1.0 / static_cast<double>(c / r);
    for (std::int64_t i = 0; i * p <= c; ++i) {
        for (std::int64_t j = 0; i * p + j * q <= c; ++j) {
            const std::int64_t k = (c - i * p - j * q) / r;
            if (k == 0) break;
            const double left = 1.0 - static_cast<double>(i) * gp - static_cast<double>(j) * gq;
            best = std::min(best, std::max(0.0, left) / static_cast<double>(k));
        }
    }
    return best;
}

// Candidate weights for the carton dimensions that may lie along an axis of
// reduced length c (sizes larger than c get none: no orientation puts them
// there); the first is the plain ratio of lengths.
std::vector<weights> axis_weights(std::int64_t c, const std::array<std::int64_t, 3>& box,
                                  const std::vector<std::size_t>& dims) {
    std::vector<std::int64_t> sizes;
    for (std::size_t d : dims) {
        if (box[d] <= c) sizes.push_back(box[d]);
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    std::vector<weights> out;
    for (const auto& v : size_weights(c, sizes)) {
        weights g{};
        for (std::size_t d : dims) {
            const auto at = std::find(sizes.begin(), sizes.end(), box[d]);
            if (at != sizes.end()) g[d] = v[static_cast<std::size_t>(at - sizes.begin())];
        }
        out.push_back(g);
    }
    return out;
}

// max sum x subject to rows * x <= 1, x >= 0, in dictionary form:
// basic_i = b_i - sum_j d_ij nonbasic_j, z = z0 + sum_j c_j nonbasic_j;
// variables 0..n-1 are the columns, n + t the slack of row t. Rows added
// after a solve are taken in by dual simplex steps from the last optimum.
class lp_solver {
public:
    explicit lp_solver(std::size_t n) : n_(n), c_(n, 1.0), nonbasic_(n) {
        for (std::size_t j = 0; j < n; ++j) nonbasic_[j] = j;
    }

    void add_row(const std::vector<double>& a) {
        // The new slack in terms of the present nonbasic variables.
        std::vector<double> row(n_, 0.0);
        double rhs = 1.0;
        for (std::size_t j = 0; j < n_; ++j) {
            if (nonbasic_[j] < n_) row[j] = a[nonbasic_[j]];
        }
        for (std::size_t i = 0; i < basic_.size(); ++i) {
            if (basic_[i] >= n_) continue;
            const double f = a[basic_[i]];
            rhs -= f * b_[i];
            for (std::size_t j = 0; j < n_; ++j) row[j] -= f * d_[i][j];
        }
        rows_.push_back(a);
        d_.push_back(std::move(row));
        b_.push_back(rhs);
        basic_.push_back(n_ + rows_.size() - 1);
    }

    // False when unbounded (a column no row weighs) or when rounding keeps
    // it from finishing.
    bool solve() {
        for (int step = 0; step < max_steps; ++step) {
            // Dual steps first: a row the present solution breaks leaves.
            std::size_t leave = npos;
            for (std::size_t i = 0; i < b_.size(); ++i) {
                if (b_[i] < -eps && (leave == npos || basic_[i] < basic_[leave])) leave = i;
            }
            if (leave != npos) {
                std::size_t enter = npos;
                double best = 0.0;
                for (std::size_t j = 0; j < n_; ++j) {
                    if (d_[leave][j] >= -pivot_eps) continue;
                    const double t = std::min(0.0, c_[j]) / d_[leave][j];
                    if (enter == npos || t < best - eps ||
                        (t <= best + eps && nonbasic_[j] < nonbasic_[enter])) {
                        enter = j, best = t;
                    }
                }
                if (enter == npos) return false;  // rounding: x = 0 is feasible
                pivot(leave, enter);
                continue;
            }
            // Primal steps, Bland's rule.
            std::size_t enter = npos;
            for (std::size_t j = 0; j < n_; ++j) {
                if (c_[j] > eps && (enter == npos || nonbasic_[j] < nonbasic_[enter])) enter = j;
            }
            if (enter == npos) return true;
            double best = 0.0;
            for (std::size_t i = 0; i < b_.size(); ++i) {
                if (d_[i][enter] <= pivot_eps) continue;
                const double t = b_[i] / d_[i][enter];
                if (leave == npos || t < best - eps ||
                    (t <= best + eps && basic_[i] < basic_[leave])) {
                    leave = i, best = t;
                }
            }
            if (leave == npos) return false;
            pivot(leave, enter);
        }
        return false;
    }

    // Solves the rows afresh from x = 0, where only primal steps are
    // needed; for when the dual steps find no pivot that rounding trusts.
    bool restart() {
        lp_solver fresh(n_);
        for (const auto& row : rows_) fresh.add_row(row);
        *this = std::move(fresh);
        return solve();
    }

    std::vector<double> solution() const {
        std::vector<double> x(n_, 0.0);
        for (std::size_t i = 0; i < basic_.size(); ++i) {
            if (basic_[i] < n_) x[basic_[i]] = std::max(0.0, b_[i]);
        }
        return x;
    }

    // Any y >= 0 bounds sum x by sum y / min over columns of (y A)_o; the
    // dictionary's reduced costs give the y that proves the optimum.
    double certified_value() const {
        std::vector<double> y(rows_.size(), 0.0);
        for (std::size_t j = 0; j < n_; ++j) {
            if (nonbasic_[j] >= n_) y[nonbasic_[j] - n_] = std::max(0.0, -c_[j]);
        }
        double total = 0.0, least = std::numeric_limits<double>::infinity();
        for (double v : y) total += v;
        for (std::size_t o = 0; o < n_; ++o) {
            double s = 0.0;
            for (std::size_t t = 0; t < rows_.size(); ++t) s += y[t] * rows_[t][o];
            least = std::min(least, s);
        }
        if (!(least > 0.0)) return std::numeric_limits<double>::infinity();
        return total / least;
    }

private:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    static constexpr double eps = 1e-12, pivot_eps = 1e-9;

    void pivot(std::size_t leave, std::size_t enter) {
        const double p = d_[leave][enter];
        std::vector<double>& r = d_[leave];
        b_[leave] /= p;
        for (std::size_t k = 0; k < n_; ++k) r[k] = k == enter ? 1.0 / p : r[k] / p;
        for (std::size_t i = 0; i < b_.size(); ++i) {
            const double f = d_[i][enter];
            if (i == leave || f == 0.0) continue;
            b_[i] -= f * b_[leave];
            for (std::size_t k = 0; k < n_; ++k) {
                d_[i][k] = k == enter ? -f / p : d_[i][k] - f * r[k];
            }
        }
        const double ce = c_[enter];
        for (std::size_t k = 0; k < n_; ++k) c_[k] = k == enter ? -ce / p : c_[k] - ce * r[k];
        std::swap(basic_[leave], nonbasic_[enter]);
    }

    std::size_t n_;
    std::vector<std::vector<double>> rows_, d_;
    std::vector<double> b_, c_;
    std::vector<std::size_t> basic_, nonbasic_;
};

// Many pivots on rows taken in one by one gather rounding; a fresh solve of
// the final rows is cheap and usually proves a little more. Both values are
// certified, so the smaller is kept.
double final_value(lp_solver& lp) {
    const double warm = lp.solve() ? lp.certified_value() : std::numeric_limits<double>::infinity();
    return lp.restart() ? std::min(warm, lp.certified_value()) : warm;
}

// Orientations as (carton dimension along each axis); the LP's columns.
using column = std::array<std::size_t, 3>;

// The bound over `axes` (2 for a floor, 3 for the whole container): rows
// are combinations of one candidate per axis, added while the LP's solution
// breaks one, and the value certified by the last LP's dual.
double combined_bound(const std::vector<std::vector<weights>>& axes,
                      const std::vector<column>& columns) {
    if (columns.empty()) return 0.0;
    const std::size_t n = columns.size(), count = axes.size();
    // Rows are scaled so that the reduced volume's row peaks at 1: the
    // pivots' tolerances then mean the same in a huge container as in a
    // small one. The LP's value scales back by the same factor.
    double peak = 0.0;
    for (const column& dims : columns) {
        double w = 1.0;
        for (std::size_t a = 0; a < count; ++a) w *= axes[a][0][dims[a]];
        peak = std::max(peak, w);
    }
    const double scale = peak > 0.0 ? 1.0 / peak : 1.0;
    const auto row_of = [&](const std::array<std::size_t, 3>& pick) {
        std::vector<double> row(n, scale);
        for (std::size_t o = 0; o < n; ++o) {
            for (std::size_t a = 0; a < count; ++a) row[o] *= axes[a][pick[a]][columns[o][a]];
        }
        return row;
    };
    // The first candidate of every axis is the plain ratio of sizes: the
    // reduced volume, with every column weighed.
    lp_solver lp(n);
    lp.add_row(row_of({0, 0, 0}));
    for (int round = 0; round < max_rounds; ++round) {
        if (!lp.solve() && !lp.restart()) return std::numeric_limits<double>::infinity();
        const std::vector<double> x = lp.solution();
        // The most broken combination for each candidate of the first
        // axis; the last axis is summed per carton dimension so that each
        // pick of the others costs three products.
        std::vector<std::array<std::size_t, 3>> found;
        std::array<std::size_t, 3> pick{};
        const std::size_t last = count - 1;
        double worst = 0.0;
        const auto scan = [&](std::size_t level, auto&& self) -> void {
            if (level == last) {
                std::array<double, 3> per_dim{};
                for (std::size_t o = 0; o < n; ++o) {
                    double w = x[o] * scale;
                    for (std::size_t a = 0; a < last; ++a) w *= axes[a][pick[a]][columns[o][a]];
                    per_dim[columns[o][last]] += w;
                }
                for (std::size_t k = 0; k < axes[last].size(); ++k) {
                    const weights& g = axes[last][k];
                    const double s = per_dim[0] * g[0] + per_dim[1] * g[1] + per_dim[2] * g[2];
                    if (s > worst) worst = s, found.back() = pick, found.back()[last] = k;
                }
                return;
            }
            for (std::size_t k = 0; k < axes[level].size(); ++k) {
                pick[level] = k;
                if (level == 0) found.push_back({}), worst = 1.0 + violation;
                self(level + 1, self);
                if (level == 0 && worst <= 1.0 + violation) found.pop_back();
            }
        };
        scan(0, scan);
        if (found.empty()) break;
        for (const auto& f : found) lp.add_row(row_of(f));
    }
    return final_value(lp) * scale;
}

// Corners of the weights three sizes can take (beyond those lifting finds),
// found as the best weights in a spread of directions: a linear program over
// the counts that fit, whose hull lies in the hulls of the slices with k of
// the largest size.
std::vector<std::vector<double>> triple_corners(std::int64_t c,
                                                const std::vector<std::int64_t>& sizes) {
    std::vector<std::array<double, 3>> counts;
    if ((c / sizes[2] + 1) * (c / sizes[0] + 1) > max_pairs) return {};
    for (std::int64_t k = 0; k * sizes[2] <= c && counts.size() <= max_counts; ++k) {
        for (const auto& [i, j] : count_hull(c - k * sizes[2], sizes[0], sizes[1])) {
            counts.push_back(
                {static_cast<double>(i), static_cast<double>(j), static_cast<double>(k)});
        }
    }
    std::vector<std::vector<double>> found;
    if (counts.size() > max_counts) return found;
    for (int u = 1; u < directions; ++u) {
        for (int v = 1; u + v < directions; ++v) {
            // Weights g = x / w turn max w.g into max sum x.
            const std::array<double, 3> w{static_cast<double>(u), static_cast<double>(v),
                                          static_cast<double>(directions - u - v)};
            lp_solver lp(3);
            for (const auto& m : counts) lp.add_row({m[0] / w[0], m[1] / w[1], m[2] / w[2]});
            if (!lp.solve()) continue;
            const std::vector<double> x = lp.solution();
            std::vector<double> g{x[0] / w[0], x[1] / w[1], x[2] / w[2]};
            // Pivots round: scale down until every count fits within 1.
            double most = 1.0;
            for (const auto& m : counts)
                most = std::max(most, m[0] * g[0] + m[1] * g[1] + m[2] * g[2]);
            for (double& e : g) e /= most * (1.0 + 1e-12);
            found.push_back(std::move(g));
        }
    }
    return found;
}

}  // namespace

double dff_rounding(std::int64_t k, std::int64_t x, std::int64_t c) {
    const std::int64_t scaled = (k + 1) * x;
    return scaled % c == 0 ? ratio(x, c) : ratio(scaled / c, k);
}

double dff_threshold(std::int64_t lambda, std::int64_t x, std::int64_t c) {
    if (x > c - lambda) return 1.0;
    if (x < lambda) return 0.0;
    return ratio(x, c);
}

double dff_steps(std::int64_t lambda, std::int64_t x, std::int64_t c) {
    const std::int64_t m = c / lambda;
    if (2 * x > c) return ratio(m - (c - x) / lambda, m);
    if (2 * x == c) return 0.5;
    return ratio(x / lambda, m);
}

std::vector<std::vector<double>> size_weights(std::int64_t c,
                                              const std::vector<std::int64_t>& sizes) {
    if (sizes.empty()) return {};
    weight_set set;
    std::vector<double> w(sizes.size());
    const auto apply = [&](auto&& f) {
        for (std::size_t i = 0; i < sizes.size(); ++i) w[i] = f(sizes[i]);
        set.add(w);
    };
    if (sizes.size() == 1) {
        apply([&](std::int64_t x) { return 1.0 / static_cast<double>(c / x); });
    } else if (sizes.size() == 2) {
        for (const auto& [gp, gq] : pair_corners(c, sizes[0], sizes[1])) set.add({gp, gq});
    } else {
        // Three sizes: the corners of each pair, the third lifted as far as
        // it goes, and the functions of the literature for what lies between.
        const std::int64_t smallest = sizes[0];
        for (std::size_t out = 0; out < 3; ++out) {
            const std::size_t a = out == 0 ? 1 : 0, b = out == 2 ? 1 : 2;
            if ((c / sizes[a] + 1) * (c / sizes[b] + 1) > max_pairs) continue;
            for (const auto& [ga, gb] : pair_corners(c, sizes[a], sizes[b])) {
                w[a] = ga, w[b] = gb;
                w[out] = lifted(c, sizes[a], sizes[b], sizes[out], ga, gb);
                set.add(w);
            }
        }
        for (const auto& g : triple_corners(c, sizes)) set.add(g);
        const std::int64_t most = std::min(c / smallest, max_k);
        std::vector<std::int64_t> lambdas;
        for (std::int64_t x : sizes) lambdas.insert(lambdas.end(), {x + 1, c - x + 1});
        std::erase_if(lambdas, [&](std::int64_t l) { return l < 1 || 2 * l > c; });
        for (std::int64_t k = 1; k <= most; ++k) {
            apply([&](std::int64_t x) { return dff_rounding(k, x, c); });
            for (std::int64_t l : lambdas) {
                apply([&](std::int64_t x) {
                    const double t = dff_threshold(l, x, c);
                    return t > 0.0 && t < 1.0 ? dff_rounding(k, x, c) : t;
                });
            }
        }
        for (std::int64_t l : lambdas)
            apply([&](std::int64_t x) { return dff_threshold(l, x, c); });
        // f_1 changes only where lambda crosses y / m for a size y, its
        // complement or the capacity.
        for (std::int64_t y :
             {sizes[0], sizes[1], sizes[2], c - sizes[0], c - sizes[1], c - sizes[2], c}) {
            for (std::int64_t m = 1; m <= most + 1 && y / m >= 1; ++m) {
                const std::int64_t l = y / m;
                if (2 * l <= c) apply([&](std::int64_t x) { return dff_steps(l, x, c); });
            }
        }
    }

    std::vector<std::vector<double>> out{std::vector<double>(sizes.size())};
    for (std::size_t i = 0; i < sizes.size(); ++i) out[0][i] = ratio(sizes[i], c);
    out.insert(out.end(), set.all().begin(), set.all().end());
    return out;
}

double packing_lp(const std::vector<std::vector<double>>& rows, std::size_t columns) {
    lp_solver lp(columns);
    // One row at a time, as the bound's rounds add them.
    for (const auto& row : rows) {
        lp.add_row(row);
        if (!lp.solve() && !lp.restart()) return std::numeric_limits<double>::infinity();
    }
    return final_value(lp);
}

std::int64_t packing_bound(const calculation_input& in, orientation_set allowed) {
    // Upright cartons lie in layers: the floor's bound, times the layers.
    const bool upright = allowed == orientation_set::upright();
    const auto units = on_grid({in.carton_length, in.carton_width, in.carton_height,
                                in.container_width, in.container_length, in.container_height});
    if (!units) return no_bound;
    const std::array<std::int64_t, 3> box{(*units)[0], (*units)[1], (*units)[2]};
    const std::array<std::int64_t, 3> space{(*units)[3], (*units)[4], (*units)[5]};

    const std::vector<std::size_t> flat{0, 1}, any{0, 1, 2};
    const std::vector<std::size_t>& across = upright ? flat : any;
    std::vector<std::vector<weights>> axes;
    std::vector<std::int64_t> reduced_space;
    for (std::size_t a = 0; a < (upright ? 2u : 3u); ++a) {
        std::vector<std::int64_t> sizes;
        for (std::size_t d : across) {
            if (box[d] <= space[a]) sizes.push_back(box[d]);
        }
        if (sizes.empty()) return 0;
        std::sort(sizes.begin(), sizes.end());
        reduced_space.push_back(reduced(space[a], sizes));
        axes.push_back(axis_weights(reduced_space.back(), box, across));
    }
    std::vector<column> columns;
    for (std::size_t o = 1; o <= 6; ++o) {
        if (!allowed.allows(static_cast<int>(o))) continue;
        const column& dims = axes_of(static_cast<int>(o));
        bool fits = true;
        for (std::size_t a = 0; a < axes.size(); ++a)
            fits = fits && box[dims[a]] <= reduced_space[a];
        if (fits) columns.push_back(dims);
    }
    const double value = combined_bound(axes, columns);
    if (!(value < 1e18)) return no_bound;  // also no number
    // Rounding can only have moved the value by far less than the margin;
    // a bound below a count that fits would be a fault.
    const auto bound = static_cast<std::int64_t>(std::floor(value * (1.0 + 1e-11) + 1e-6));
    if (!upright) return bound;
    const std::int64_t layers = box[2] <= space[2] ? space[2] / box[2] : 0;
    return layers * bound;
}

}  // namespace varnel
