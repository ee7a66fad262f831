#include "engine/single/layer_lp.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

namespace varnel {

namespace {

// Beyond these the model would outgrow what a layer's bound is worth.
constexpr std::size_t max_places = 20'000;
constexpr std::size_t max_rows = 3'000;
// Places taken in after each solve, the least weighed first.
constexpr std::size_t places_per_round = 64;
constexpr int max_rounds = 400;
// The dictionary holds rows x columns taken in; beyond this it stops.
constexpr std::size_t max_entries = 4'000'000;
constexpr double eps = 1e-9;

// A rectangle's place: the cells [i0, i1) x [j0, j1) of the raster grid.
struct place {
    int i0, i1, j0, j1;
    bool covers(int i, int j) const { return i0 <= i && i < i1 && j0 <= j && j < j1; }
};

// max sum x subject to A x <= 1, x >= 0 over the columns taken in so far,
// in dictionary form: basic_r = b_r - sum_t d[r][t] nonbasic_t, and
// z = sum_t c[t] nonbasic_t + const. The right-hand sides are lifted by a
// few millionths each, differently, so that pivots rarely stall on ties;
// the bound is certified against the true ones.
class column_lp {
public:
    explicit column_lp(std::size_t rows) : d_(rows), b_(rows), slack_at_(rows), basic_(rows) {
        std::mt19937 random(40);
        for (std::size_t r = 0; r < rows; ++r) {
            b_[r] = 1.0 + 1e-6 * static_cast<double>(random() % 1000) / 1000.0;
            basic_[r] = slack(r);
            slack_at_[r] = -1 - static_cast<long>(r);  // basic, in row r
        }
    }

    // Takes in a column with 1 in `rows`.
    void add(const std::vector<std::size_t>& rows) {
        std::vector<double> column(d_.size(), 0.0);
        double cost = 1.0;
        for (std::size_t r : rows) {
            const long at = slack_at_[r];
            if (at < 0) {
                column[static_cast<std::size_t>(-1 - at)] += 1.0;
            } else {
                const auto t = static_cast<std::size_t>(at);
                for (std::size_t i = 0; i < d_.size(); ++i) column[i] += d_[i][t];
                cost += c_[t];  // the slack's reduced cost is -y_r
            }
        }
        for (std::size_t i = 0; i < d_.size(); ++i) d_[i].push_back(column[i]);
        c_.push_back(cost);
        nonbasic_.push_back(columns_++);
    }

    // Primal steps, the largest reduced cost entering. False when the meter
    // stops it.
    bool solve(work_meter& meter) {
        const std::size_t m = d_.size();
        for (;;) {
            std::size_t enter = c_.size();
            double best = eps;
            for (std::size_t t = 0; t < c_.size(); ++t) {
                if (c_[t] > best) best = c_[t], enter = t;
            }
            if (enter == c_.size()) return true;
            std::size_t leave = m;
            double ratio = 0.0;
            for (std::size_t r = 0; r < m; ++r) {
                const double a = d_[r][enter];
                if (a > eps && (leave == m || b_[r] / a < ratio)) ratio = b_[r] / a, leave = r;
            }
            if (leave == m || !meter.spend(m * c_.size() / 8 + 1)) return false;
            pivot(leave, enter);
        }
    }

    // y_r: the duals the slacks' reduced costs give, never below 0.
    std::vector<double> duals() const {
        std::vector<double> y(d_.size(), 0.0);
        for (std::size_t r = 0; r < d_.size(); ++r) {
            if (slack_at_[r] >= 0)
                y[r] = std::max(0.0, -c_[static_cast<std::size_t>(slack_at_[r])]);
        }
        return y;
    }

private:
    std::size_t slack(std::size_t r) const { return std::numeric_limits<std::size_t>::max() - r; }
    bool is_slack(std::size_t v) const {
        return v > std::numeric_limits<std::size_t>::max() - d_.size();
    }
    std::size_t slack_row(std::size_t v) const {
        return std::numeric_limits<std::size_t>::max() - v;
    }

    void pivot(std::size_t leave, std::size_t enter) {
        const double p = d_[leave][enter];
        std::vector<double>& row = d_[leave];
        b_[leave] /= p;
        for (std::size_t t = 0; t < row.size(); ++t) row[t] = t == enter ? 1.0 / p : row[t] / p;
        for (std::size_t i = 0; i < d_.size(); ++i) {
            const double f = d_[i][enter];
            if (i == leave || f == 0.0) continue;
            b_[i] -= f * b_[leave];
            std::vector<double>& ri = d_[i];
            for (std::size_t t = 0; t < ri.size(); ++t)
                ri[t] = t == enter ? -f / p : ri[t] - f * row[t];
        }
        const double ce = c_[enter];
        for (std::size_t t = 0; t < c_.size(); ++t)
            c_[t] = t == enter ? -ce / p : c_[t] - ce * row[t];
        const std::size_t out = basic_[leave], in = nonbasic_[enter];
        if (is_slack(out)) slack_at_[slack_row(out)] = static_cast<long>(enter);
        if (is_slack(in)) slack_at_[slack_row(in)] = -1 - static_cast<long>(leave);
        basic_[leave] = in;
        nonbasic_[enter] = out;
    }

    std::vector<std::vector<double>> d_;
    std::vector<double> b_, c_;
    // Per row's slack: its nonbasic column, or -1 - the row it is basic in.
    std::vector<long> slack_at_;
    std::vector<std::size_t> basic_, nonbasic_;
    std::size_t columns_ = 0;
};

// The raster grid's cells, each row of the model standing for the cells
// that every place covering one of them covers: duplicates and rows whose
// places all cover another row's are left out (their constraint follows).
class set_packing {
public:
    explicit set_packing(layer_raster& r) : r_(r) {}

    bool build() {
        nu_ = r_.last_u();
        nv_ = r_.last_v();
        for (int i = 0; i < nu_; ++i) {
            for (int j = 0; j < nv_; ++j) {
                for (const bool turned : {false, true}) {
                    const units a = turned ? r_.q() : r_.p(), b = turned ? r_.p() : r_.q();
                    const int i1 = end_of(i, a, nu_), j1 = end_of(j, b, nv_);
                    if (i1 < 0 || j1 < 0) continue;
                    places_.push_back({i, i1, j, j1});
                }
            }
        }
        if (places_.empty() || places_.size() > max_places) return false;
        const std::size_t cells = static_cast<std::size_t>(nu_) * static_cast<std::size_t>(nv_);
        if (!r_.meter().spend(cells * places_.size() / 16 + 1)) return false;
        const std::size_t words = (places_.size() + 63) / 64;
        std::vector<std::vector<std::uint64_t>> sets;
        std::vector<std::pair<int, int>> cells_of;
        for (int i = 0; i < nu_; ++i) {
            for (int j = 0; j < nv_; ++j) {
                std::vector<std::uint64_t> set(words, 0);
                bool any = false;
                for (std::size_t k = 0; k < places_.size(); ++k) {
                    if (!places_[k].covers(i, j)) continue;
                    set[k / 64] |= std::uint64_t{1} << (k % 64);
                    any = true;
                }
                if (!any) continue;
                sets.push_back(std::move(set));
                cells_of.push_back({i, j});
            }
        }
        const auto within = [&](std::size_t a, std::size_t b) {
            for (std::size_t w = 0; w < words; ++w)
                if ((sets[a][w] & ~sets[b][w]) != 0) return false;
            return true;
        };
        if (!r_.meter().spend(sets.size() * sets.size() * words / 4 + 1)) return false;
        for (std::size_t a = 0; a < sets.size(); ++a) {
            bool follows = false;
            for (std::size_t b = 0; b < sets.size() && !follows; ++b) {
                // Of two equal sets the first is kept.
                follows = b != a && within(a, b) && (!within(b, a) || b < a);
            }
            if (!follows) rows_.push_back(cells_of[a]);
        }
        return rows_.size() <= max_rows;
    }

    std::size_t rows() const { return rows_.size(); }
    std::size_t places() const { return places_.size(); }
    std::vector<std::size_t> rows_of(std::size_t k) const {
        std::vector<std::size_t> out;
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            if (places_[k].covers(rows_[r].first, rows_[r].second)) out.push_back(r);
        }
        return out;
    }

    // Each place's weight under row duals y: the sum over the rows it
    // covers, by prefix sums over the cells.
    std::vector<double> weights(const std::vector<double>& y) const {
        const auto w = static_cast<std::size_t>(nv_) + 1;
        std::vector<double> sum((static_cast<std::size_t>(nu_) + 1) * w, 0.0);
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            const auto [i, j] = rows_[r];
            sum[static_cast<std::size_t>(i + 1) * w + static_cast<std::size_t>(j + 1)] += y[r];
        }
        for (std::size_t i = 1; i <= static_cast<std::size_t>(nu_); ++i)
            for (std::size_t j = 1; j < w; ++j)
                sum[i * w + j] +=
                    sum[(i - 1) * w + j] + sum[i * w + j - 1] - sum[(i - 1) * w + j - 1];
        std::vector<double> out;
        out.reserve(places_.size());
        const auto at = [&](int i, int j) {
            return sum[static_cast<std::size_t>(i) * w + static_cast<std::size_t>(j)];
        };
        for (const place& k : places_)
            out.push_back(at(k.i1, k.j1) - at(k.i0, k.j1) - at(k.i1, k.j0) + at(k.i0, k.j0));
        return out;
    }

private:
    // The raster index where a side of `length` from point `i` ends, or -1
    // beyond the last point.
    int end_of(int i, units length, int last) const {
        const units end = r_.point(i) + length;
        for (int k = i + 1; k <= last; ++k) {
            if (r_.point(k) == end) return k;
            if (r_.point(k) > end) return -1;
        }
        return -1;
    }

    layer_raster& r_;
    int nu_ = 0, nv_ = 0;
    std::vector<place> places_;
    std::vector<std::pair<int, int>> rows_;  // a cell of each row
};

}  // namespace

std::optional<std::int64_t> layer_lp_bound(layer_raster& raster, std::int64_t known) {
    set_packing model(raster);
    if (!model.build()) return std::nullopt;
    work_meter& meter = raster.meter();
    column_lp lp(model.rows());
    std::vector<bool> taken(model.places(), false);
    std::vector<double> weight(model.places(), 0.0);
    for (int round = 0; round < max_rounds; ++round) {
        // The places the duals weigh least, below 1: their columns would pay.
        std::vector<std::size_t> order(model.places());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::partial_sort(
            order.begin(),
            order.begin() + static_cast<std::ptrdiff_t>(std::min(places_per_round, order.size())),
            order.end(), [&](std::size_t a, std::size_t b) { return weight[a] < weight[b]; });
        std::size_t added = 0, columns = 0;
        for (const bool t : taken) columns += t ? 1 : 0;
        if (model.rows() * (columns + places_per_round) > max_entries) break;
        for (std::size_t k : order) {
            if (added == places_per_round || weight[k] >= 1.0 - eps) break;
            if (taken[k]) continue;
            taken[k] = true;
            lp.add(model.rows_of(k));
            ++added;
        }
        if (added == 0 || !lp.solve(meter) || !meter.spend(model.places() + model.rows())) break;
        const std::vector<double> y = lp.duals();
        weight = model.weights(y);
        // Any y >= 0 bounds the count by sum y over the least weight of a
        // place: each place takes at least that much of the rows' sum.
        const double least = *std::min_element(weight.begin(), weight.end());
        if (least <= eps) continue;
        const double bound = std::accumulate(y.begin(), y.end(), 0.0) / least;
        if (bound < static_cast<double>(known) + 1.0 - 1e-6) return known;
        if (least >= 1.0 - eps) return static_cast<std::int64_t>(std::floor(bound + 1e-6));
    }
    return std::nullopt;
}

}  // namespace varnel
