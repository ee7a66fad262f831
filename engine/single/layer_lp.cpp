#include "engine/single/layer_lp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

namespace varnel {

namespace {

// Beyond these the model would outgrow what a layer's bound is worth: the
// tableau holds rows x columns of the model folded by the mirrors.
constexpr std::size_t max_places = 40'000;
constexpr std::size_t max_entries = 2'000'000;
// A pivot below this is refused: too small to divide by safely.
constexpr double pivot_tolerance = 1e-7;
constexpr double eps = 1e-9;

// The corners a rectangle of side `a` needs along an axis whose last point
// is E: any packing can be pushed towards the nearer end so that each
// rectangle starting at most (E - a) / 2 from the low end lies at a sum s of
// sides, and every other at E - a - s with 2s < E - a. (Push every rectangle
// left; then, from the right, push right those past their half way: what
// stops one is the end or another pushed right, since a rectangle starting
// beyond (E + a) / 2 is past its own half way.) The set is its own mirror
// image, x to E - a - x, which lets the model fold. It refines the reduced
// raster points of Terno, Lindemann & Scheithauer 1987 as the meet-in-the-
// middle sets of Côté & Iori 2018 ("The meet-in-the-middle principle for
// cutting and packing problems") do.
std::vector<units> corners(const layer_raster& r, int last, units a) {
    const units E = r.point(last);
    std::vector<units> out;
    for (int k = 0; k <= last; ++k) {
        const units s = r.point(k);
        if (2 * s > E - a) break;
        out.push_back(s);
        out.push_back(E - a - s);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// One axis of the model: the corners of each side, the cell boundaries
// (every corner and every far edge, symmetric about E / 2) and the cells
// worth a row: those where some rectangle starts on the low side and some
// ends on the high side (any other cell is covered by no more rectangles
// than its neighbour).
struct axis {
    units E = 0;
    std::array<std::vector<units>, 2> at;  // by side: 0 for p, 1 for q
    std::vector<units> bounds;
    std::vector<int> rows;

    axis(const layer_raster& r, int last, std::array<units, 2> sides) : E(r.point(last)) {
        std::vector<units> starts, ends;
        for (std::size_t s = 0; s < 2; ++s) {
            if (sides[s] > E) continue;
            at[s] = corners(r, last, sides[s]);
            for (const units x : at[s]) starts.push_back(x), ends.push_back(x + sides[s]);
        }
        bounds = starts;
        bounds.insert(bounds.end(), ends.begin(), ends.end());
        for (auto* v : {&starts, &ends, &bounds}) {
            std::sort(v->begin(), v->end());
            v->erase(std::unique(v->begin(), v->end()), v->end());
        }
        for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
            if (std::binary_search(starts.begin(), starts.end(), bounds[i]) &&
                std::binary_search(ends.begin(), ends.end(), bounds[i + 1]))
                rows.push_back(static_cast<int>(i));
        }
    }
    int cells() const { return static_cast<int>(bounds.size()) - 1; }
    int mirror(int cell) const { return cells() - 1 - cell; }
    int index(units x) const {
        return static_cast<int>(std::lower_bound(bounds.begin(), bounds.end(), x) - bounds.begin());
    }
};

// A rectangle's place: the cells [i0, i1) x [j0, j1).
struct place {
    int i0, i1, j0, j1;
    bool covers(int i, int j) const { return i0 <= i && i < i1 && j0 <= j && j < j1; }
};

// max c.x subject to A x <= 1, x >= 0, in dictionary form: basic_r = b_r -
// sum_t d[r][t] nonbasic_t, the objective's row c. Devex prices (Forrest &
// Goldfarb 1992), the ratio test takes the largest pivot among near ties
// (Harris 1973), and the right-hand sides are lifted by a few millionths
// each, differently: the set-packing model is highly degenerate, and these
// keep the steps few. A solution's duals bound the model whatever the
// lifting, as they are certified against the true sides.
class dense_lp {
public:
    dense_lp(std::vector<std::vector<double>> rows, std::vector<double> costs)
        : d_(std::move(rows)), c_(std::move(costs)), b_(d_.size()), weight_(c_.size(), 1.0) {
        std::mt19937 random(40);
        for (double& b : b_) b = 1.0 + 1e-6 * static_cast<double>(random() % 1000) / 1000.0;
        // Variables: structural t < n, the slack of row r as n + r.
        for (std::size_t t = 0; t < c_.size(); ++t) nonbasic_.push_back(t);
        for (std::size_t r = 0; r < d_.size(); ++r) basic_.push_back(c_.size() + r);
    }

    // True at an optimum; false when the meter or the step limit stops it.
    bool solve(work_meter& meter) {
        const std::size_t m = d_.size(), n = c_.size();
        const std::size_t limit = 50 * (m + n) + 100;
        for (std::size_t step = 0; step < limit; ++step) {
            std::size_t enter = n;
            double best = -1.0;
            for (std::size_t t = 0; t < n; ++t) {
                const double price = c_[t] * c_[t] / weight_[t];
                if (c_[t] > eps && price > best) best = price, enter = t;
            }
            if (enter == n) return true;
            const std::size_t leave = ratio_test(enter);
            if (leave == m || !meter.spend(m * n / 4 + 1)) return false;
            pivot(leave, enter);
        }
        return false;
    }

    // y_r: the duals the slacks' reduced costs give, never below 0.
    std::vector<double> duals() const {
        std::vector<double> y(d_.size(), 0.0);
        for (std::size_t t = 0; t < c_.size(); ++t) {
            if (nonbasic_[t] >= c_.size()) y[nonbasic_[t] - c_.size()] = std::max(0.0, -c_[t]);
        }
        return y;
    }

private:
    // Harris's two passes: the least ratio with the sides relaxed by a
    // hair, then the largest pivot within it.
    std::size_t ratio_test(std::size_t enter) const {
        const std::size_t m = d_.size();
        double most = std::numeric_limits<double>::infinity();
        for (std::size_t r = 0; r < m; ++r) {
            const double a = d_[r][enter];
            if (a > pivot_tolerance) most = std::min(most, (std::max(b_[r], 0.0) + eps) / a);
        }
        std::size_t leave = m;
        double largest = 0.0;
        for (std::size_t r = 0; r < m; ++r) {
            const double a = d_[r][enter];
            if (a > pivot_tolerance && std::max(b_[r], 0.0) / a <= most && a > largest)
                largest = a, leave = r;
        }
        return leave;
    }

    void pivot(std::size_t leave, std::size_t enter) {
        const std::size_t n = c_.size();
        std::vector<double>& row = d_[leave];
        const double p = row[enter];
        const double w = weight_[enter];
        for (std::size_t t = 0; t < n; ++t) {
            if (t != enter) weight_[t] = std::max(weight_[t], row[t] * row[t] / (p * p) * w);
        }
        weight_[enter] = std::max(w / (p * p), 1.0);
        b_[leave] /= p;
        for (std::size_t t = 0; t < n; ++t) row[t] = t == enter ? 1.0 / p : row[t] / p;
        for (std::size_t i = 0; i < d_.size(); ++i) {
            const double f = d_[i][enter];
            if (i == leave || f == 0.0) continue;
            b_[i] -= f * b_[leave];
            std::vector<double>& ri = d_[i];
            for (std::size_t t = 0; t < n; ++t) ri[t] = t == enter ? -f / p : ri[t] - f * row[t];
        }
        const double ce = c_[enter];
        for (std::size_t t = 0; t < n; ++t) c_[t] = t == enter ? -ce / p : c_[t] - ce * row[t];
        std::swap(basic_[leave], nonbasic_[enter]);
    }

    std::vector<std::vector<double>> d_;
    std::vector<double> c_, b_, weight_;
    std::vector<std::size_t> basic_, nonbasic_;
};

// The set-packing model on the corners above, folded by the layer's two
// mirror images: a rectangle's place and its images are one column (the
// model has an optimum alike on each such orbit, so the folded model's
// value is the whole model's), a cell and its images one row.
class folded_model {
public:
    explicit folded_model(layer_raster& r)
        : r_(r), u_(r, r.last_u(), {r.p(), r.q()}), v_(r, r.last_v(), {r.q(), r.p()}) {}

    bool build() {
        // Side 0 lays p along u and q along v; side 1 the other way round.
        for (std::size_t s = 0; s < 2; ++s) {
            const units a = s == 0 ? r_.p() : r_.q(), b = s == 0 ? r_.q() : r_.p();
            const std::vector<units>&xs = u_.at[s], &ys = v_.at[s];
            if (places_.size() + xs.size() * ys.size() > max_places) return false;
            for (std::size_t i = 0; i < xs.size(); ++i) {
                for (std::size_t j = 0; j < ys.size(); ++j) {
                    places_.push_back({u_.index(xs[i]), u_.index(xs[i] + a), v_.index(ys[j]),
                                       v_.index(ys[j] + b)});
                    // The images of the place at (i, j) are at (n - 1 - i, ...).
                    const std::size_t mi = xs.size() - 1 - i, mj = ys.size() - 1 - j;
                    if (i <= mi && j <= mj) orbits_.push_back({s, i, j, mi, mj});
                }
            }
        }
        if (places_.empty()) return false;
        const std::size_t n = orbits_.size();
        if (!r_.meter().spend(u_.rows.size() * v_.rows.size() * n / 4 + 1)) return false;
        std::vector<std::vector<double>> rows;
        for (const int i : u_.rows) {
            if (i > u_.mirror(i)) continue;
            for (const int j : v_.rows) {
                if (j > v_.mirror(j)) continue;
                std::vector<double> row(n, 0.0);
                bool any = false;
                for (std::size_t o = 0; o < n; ++o) {
                    for (const place& k : members(o)) {
                        if (k.covers(i, j)) row[o] += 1.0, any = true;
                    }
                }
                if (any) rows.push_back(std::move(row)), cells_.push_back({i, j});
            }
        }
        keep_strongest(rows);
        if (rows_.size() * n > max_entries) return false;
        return true;
    }

    const std::vector<std::vector<double>>& rows() const { return rows_; }
    std::vector<double> costs() const {
        std::vector<double> c;
        for (std::size_t o = 0; o < orbits_.size(); ++o)
            c.push_back(static_cast<double>(members(o).size()));
        return c;
    }

    // The bound certified by the folded duals Y spread over the images of
    // each row's cell: any y >= 0 on cells bounds the count by sum y over
    // the least weight of a place.
    double certified(const std::vector<double>& Y) const {
        const auto w = static_cast<std::size_t>(v_.cells()) + 1;
        std::vector<double> sum((static_cast<std::size_t>(u_.cells()) + 1) * w, 0.0);
        const auto at = [&](int i, int j) -> double& {
            return sum[static_cast<std::size_t>(i) * w + static_cast<std::size_t>(j)];
        };
        double total = 0.0;
        for (std::size_t r = 0; r < kept_.size(); ++r) {
            const auto [i, j] = cells_[kept_[r]];
            const std::vector<std::pair<int, int>> images = images_of(i, j);
            for (const auto& [a, b] : images)
                at(a + 1, b + 1) += Y[r] / static_cast<double>(images.size());
            total += Y[r];
        }
        for (int i = 1; i <= u_.cells(); ++i)
            for (int j = 1; j <= v_.cells(); ++j)
                at(i, j) += at(i - 1, j) + at(i, j - 1) - at(i - 1, j - 1);
        double least = std::numeric_limits<double>::infinity();
        for (const place& k : places_)
            least =
                std::min(least, at(k.i1, k.j1) - at(k.i0, k.j1) - at(k.i1, k.j0) + at(k.i0, k.j0));
        return least > eps ? total / least : std::numeric_limits<double>::infinity();
    }

private:
    struct orbit {
        std::size_t side, i, j, mi, mj;
    };

    // The places of an orbit: the one at (i, j) and its mirror images.
    std::vector<place> members(std::size_t o) const {
        const orbit& b = orbits_[o];
        std::vector<place> out;
        const std::size_t nv = v_.at[b.side].size();
        for (const std::size_t i : {b.i, b.mi}) {
            for (const std::size_t j : {b.j, b.mj}) {
                const place k = places_[offset(b.side) + i * nv + j];
                if (std::find_if(out.begin(), out.end(), [&k](const place& x) {
                        return x.i0 == k.i0 && x.j0 == k.j0;
                    }) == out.end())
                    out.push_back(k);
            }
        }
        return out;
    }
    std::size_t offset(std::size_t side) const {
        return side == 0 ? 0 : u_.at[0].size() * v_.at[0].size();
    }
    std::vector<std::pair<int, int>> images_of(int i, int j) const {
        std::vector<std::pair<int, int>> out;
        for (const int a : {i, u_.mirror(i)})
            for (const int b : {j, v_.mirror(j)})
                if (std::find(out.begin(), out.end(), std::pair{a, b}) == out.end())
                    out.push_back({a, b});
        return out;
    }

    // Leaves out the rows another row dominates (every coefficient at most
    // the other's: its constraint follows); of equal rows the first stays.
    void keep_strongest(std::vector<std::vector<double>>& rows) {
        const auto within = [&rows](std::size_t a, std::size_t b) {
            for (std::size_t o = 0; o < rows[a].size(); ++o)
                if (rows[a][o] > rows[b][o]) return false;
            return true;
        };
        for (std::size_t a = 0; a < rows.size(); ++a) {
            bool follows = false;
            for (std::size_t b = 0; b < rows.size() && !follows; ++b)
                follows = b != a && within(a, b) && (!within(b, a) || b < a);
            if (!follows) kept_.push_back(a);
        }
        for (const std::size_t a : kept_) rows_.push_back(std::move(rows[a]));
    }

    layer_raster& r_;
    axis u_, v_;
    std::vector<place> places_;  // by side, then corner along u, then along v
    std::vector<orbit> orbits_;
    std::vector<std::pair<int, int>> cells_;  // each candidate row's cell
    std::vector<std::size_t> kept_;           // the candidates kept as rows
    std::vector<std::vector<double>> rows_;
};

}  // namespace

std::optional<std::int64_t> layer_lp_bound(layer_raster& raster, std::int64_t known) {
    folded_model model(raster);
    if (!model.build()) return std::nullopt;
    work_meter& meter = raster.meter();
    const std::size_t m = model.rows().size(), n = model.costs().size();
    if (!meter.spend(m * n + 1)) return std::nullopt;
    dense_lp lp(model.rows(), model.costs());
    if (!lp.solve(meter)) return std::nullopt;
    const double bound = model.certified(lp.duals());
    if (bound < static_cast<double>(known) + 1.0 - 1e-6) return known;
    if (!(bound < 1e15)) return std::nullopt;
    return static_cast<std::int64_t>(std::floor(bound + 1e-6));
}

}  // namespace varnel
