#include "engine/pallet.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace varnel {

namespace {

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
};

class guillotine {
public:
    guillotine(double U, double V, double p, double q, double section, work_meter& meter)
        : p_(p),
          q_(q),
          section_(section),
          xs_(raster_points(U, p, q)),
          ys_(raster_points(V, p, q)) {
        const std::size_t n = xs_.size() * ys_.size();
        value_.resize(n);
        how_.resize(n);
        solve(meter);
    }

    bool empty() const { return xs_.empty() || ys_.empty(); }
    const std::vector<double>& ys() const { return ys_; }
    int last_x() const { return static_cast<int>(xs_.size()) - 1; }
    score value(int i, int j) const { return value_[at(i, j)]; }

    void emit(int i, int j, double u0, double v0, std::vector<rect_grid>& out) const {
        const choice& c = how_[at(i, j)];
        if (value_[at(i, j)].count == 0) return;
        if (c.cut < 0) {
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
                value_[at(i, j)] = best;
                how_[at(i, j)] = how;
            }
        }
    }

    double p_, q_, section_;
    std::vector<double> xs_, ys_;
    std::vector<score> value_;
    std::vector<choice> how_;
};

// Waste of packing bars of length m in a whole-numbered a x b rectangle.
double bar_waste(double a, double b, double m) {
    const double r = std::fmod(a, m), s = std::fmod(b, m);
    return r + s <= m ? r * s : (m - r) * (m - s);
}

bool whole(double v) { return v == std::floor(v) && v < 1e9; }

}  // namespace

std::vector<double> raster_points(double limit, double p, double q) {
    std::vector<double> points;
    if (!(p > 0.0 && q > 0.0)) return points;
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
    double best = 0.0;
    for (int i = 0; i <= fitting(limit, p); ++i) {
        for (int j = 0; j <= fitting(limit - i * p, q); ++j) {
            const double used = i * p + j * q;
            best = std::max(best, used + fitting(limit - used, r) * r);
        }
    }
    return best;
}

pattern2d best_pattern(double U, double V, double p, double q, work_meter& meter, double section) {
    if (U > V && U > section) {
        // Solve with the long side along V, then turn the grids back.
        pattern2d turned = best_pattern(V, U, p, q, meter, section);
        for (rect_grid& g : turned.grids) {
            std::swap(g.u, g.v);
            std::swap(g.nu, g.nv);
            g.turned = !g.turned;
        }
        return turned;
    }
    pattern2d result;
    const guillotine dp(U, std::min(V, section), p, q, section, meter);
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
    return static_cast<std::int64_t>(std::floor((u * v - waste) / (p * q) + 1e-9));
}

}  // namespace varnel
