#include "engine/box_cuts.h"

#include <algorithm>
#include <limits>

#include "engine/pallet.h"

namespace varnel {

namespace {

// Sub-boxes held at once; beyond it the memory, not the work, would be the
// limit.
constexpr double max_boxes = 2e6;
constexpr double max_sums = 4e6;

constexpr std::array<std::array<int, 3>, 6> permutations{
    {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};

std::size_t idx(int i) { return static_cast<std::size_t>(i); }

// Sums i*a + j*b + k*c up to `limit`, ascending, without 0; empty when
// there are too many to list.
std::vector<double> side_sums(double limit, const std::array<double, 3>& box) {
    std::vector<double> sums;
    const double combinations = static_cast<double>(fitting(limit, box[0])) *
                                fitting(limit, box[1]) * fitting(limit, box[2]) / 6.0;
    if (combinations > max_sums) return sums;
    for (int i = 0; i <= fitting(limit, box[0]); ++i) {
        for (int j = 0; j <= fitting(limit - i * box[0], box[1]); ++j) {
            const double base = i * box[0] + j * box[1];
            for (int k = 0; k <= fitting(limit - base, box[2]); ++k) {
                const double v = base + k * box[2];
                if (v > 0.0) sums.push_back(v);
            }
        }
    }
    std::sort(sums.begin(), sums.end());
    std::vector<double> unique;
    for (double v : sums) {
        if (unique.empty() || v - unique.back() > fit_tolerance) unique.push_back(v);
    }
    return unique;
}

int floor_index(const std::vector<double>& points, double value) {
    const auto it = std::upper_bound(points.begin(), points.end(), value + fit_tolerance);
    return static_cast<int>(it - points.begin()) - 1;
}

struct score {
    std::int32_t count = 0;
    std::int32_t grids = 0;
    bool operator>(const score& o) const {
        return count != o.count ? count > o.count : grids < o.grids;
    }
};

// A sub-box's choice: one grid in permutation `perm` (axis < 0), or a cut
// across `axis` at point `cut`.
struct choice {
    std::int32_t cut = 0;
    std::int8_t axis = -1;
    std::int8_t perm = 0;
};

// A cut at point `at` of a side whose largest point is i leaves the rest
// at point `rest`.
struct cut_at {
    int at = 0;
    int rest = 0;
};

class box_search {
public:
    box_search(const std::array<double, 3>& space, const std::array<double, 3>& box, double section)
        : box_(box) {
        for (std::size_t a = 0; a < 3; ++a) {
            points_[a] = side_sums(a == 1 ? std::min(space[a], section) : space[a], box);
        }
        if (space[1] > section) along_ = side_sums(space[1], box);
    }

    // The units solve() counts, or UINT64_MAX when the sub-boxes are too
    // many to hold.
    std::uint64_t work() const {
        std::array<double, 3> n{}, cuts{};
        for (std::size_t a = 0; a < 3; ++a) {
            const std::vector<double>& p = points_[a];
            n[a] = static_cast<double>(p.size());
            std::size_t half = 0;
            for (std::size_t i = 0; i < p.size(); ++i) {
                while (half < i && p[half] <= p[i] / 2 + fit_tolerance) ++half;
                cuts[a] += static_cast<double>(half);
            }
        }
        const double boxes = n[0] * n[1] * n[2];
        if (boxes == 0.0 || boxes > max_boxes) return std::numeric_limits<std::uint64_t>::max();
        return static_cast<std::uint64_t>(boxes + cuts[0] * n[1] * n[2] + cuts[1] * n[0] * n[2] +
                                          cuts[2] * n[0] * n[1] +
                                          static_cast<double>(along_.size()) * n[1]);
    }

    void solve(work_meter& meter) {
        for (std::size_t a = 0; a < 3; ++a) {
            const std::vector<double>& p = points_[a];
            cuts_[a].resize(p.size());
            for (std::size_t i = 0; i < p.size(); ++i) {
                // Cuts up to half the side: the other half is the same cut
                // seen from the other end.
                for (std::size_t c = 0; c < i && p[c] <= p[i] / 2 + fit_tolerance; ++c) {
                    cuts_[a][i].push_back({static_cast<int>(c), floor_index(p, p[i] - p[c])});
                }
            }
        }
        const std::array<int, 3> n = sizes();
        value_.assign(idx(n[0]) * idx(n[1]) * idx(n[2]), score{});
        how_.assign(value_.size(), choice{});
        std::array<int, 3> p{};
        for (p[0] = 0; p[0] < n[0]; ++p[0]) {
            for (p[1] = 0; p[1] < n[1]; ++p[1]) {
                for (p[2] = 0; p[2] < n[2]; ++p[2]) solve_one(p, meter);
            }
        }
    }

    box_pattern pattern(work_meter& meter) const {
        box_pattern result;
        const std::array<int, 3> n = sizes();
        if (value_.empty()) return result;
        std::array<double, 3> origin{};
        for (int s : sections(meter)) {
            emit({n[0] - 1, s, n[2] - 1}, origin, result.grids);
            origin[1] += points_[1][idx(s)];
        }
        for (const box_grid& g : result.grids) {
            result.count += std::int64_t{g.count[0]} * g.count[1] * g.count[2];
        }
        return result;
    }

private:
    std::array<int, 3> sizes() const {
        return {static_cast<int>(points_[0].size()), static_cast<int>(points_[1].size()),
                static_cast<int>(points_[2].size())};
    }
    std::size_t at(const std::array<int, 3>& p) const {
        return (idx(p[0]) * points_[1].size() + idx(p[1])) * points_[2].size() + idx(p[2]);
    }
    std::array<int, 3> grid_count(const std::array<int, 3>& p, int perm) const {
        std::array<int, 3> count{};
        for (std::size_t a = 0; a < 3; ++a) {
            count[a] = fitting(points_[a][idx(p[a])], box_[idx(permutations[idx(perm)][a])]);
        }
        return count;
    }

    void solve_one(const std::array<int, 3>& p, work_meter& meter) {
        score best;
        choice how;
        for (int perm = 0; perm < 6; ++perm) {
            const std::array<int, 3> c = grid_count(p, perm);
            const std::int32_t k = c[0] * c[1] * c[2];
            if (k > best.count) best = {k, 1}, how = {0, -1, static_cast<std::int8_t>(perm)};
        }
        const std::uint64_t units = 1 + cuts_[0][idx(p[0])].size() + cuts_[1][idx(p[1])].size() +
                                    cuts_[2][idx(p[2])].size();
        if (meter.spend(units)) {
            for (std::size_t a = 0; a < 3; ++a) {
                for (const cut_at& c : cuts_[a][idx(p[a])]) {
                    std::array<int, 3> near = p, far = p;
                    near[a] = c.at;
                    far[a] = c.rest;
                    const score first = value_[at(near)], second = value_[at(far)];
                    const score s{first.count + second.count, first.grids + second.grids};
                    if (first.count > 0 && s > best) {
                        best = s, how = {c.at, static_cast<std::int8_t>(a), 0};
                    }
                }
            }
        }
        value_[at(p)] = best;
        how_[at(p)] = how;
    }

    // The lengths of the whole-width sections laid along Y: the whole box
    // when it is short, else a knapsack over the lengths of the sections,
    // equal ones side by side so that their grids can merge.
    std::vector<int> sections(work_meter& meter) const {
        const int top_x = static_cast<int>(points_[0].size()) - 1;
        const int top_z = static_cast<int>(points_[2].size()) - 1;
        const std::vector<double>& ys = points_[1];
        if (along_.empty()) return {static_cast<int>(ys.size()) - 1};
        std::vector<score> best(along_.size());
        std::vector<int> last(along_.size(), -1);
        for (std::size_t k = 0; k < along_.size(); ++k) {
            if (!meter.spend(ys.size())) {
                // Out of budget: what fitted a shorter length still fits.
                if (k > 0) best[k] = best[k - 1], last[k] = -2;
                continue;
            }
            for (std::size_t s = 0; s < ys.size() && ys[s] <= along_[k] + fit_tolerance; ++s) {
                const int rest = floor_index(along_, along_[k] - ys[s]);
                const score here = value_[at({top_x, static_cast<int>(s), top_z})];
                const score before = rest >= 0 ? best[idx(rest)] : score{};
                const score sum{here.count + before.count, here.grids + before.grids};
                if (here.count > 0 && sum > best[k]) best[k] = sum, last[k] = static_cast<int>(s);
            }
        }
        std::vector<int> chosen;
        for (int k = static_cast<int>(along_.size()) - 1; k >= 0;) {
            const int s = last[idx(k)];
            if (s == -2) {
                --k;
                continue;
            }
            if (s < 0) break;
            chosen.push_back(s);
            k = floor_index(along_, along_[idx(k)] - ys[idx(s)]);
        }
        std::sort(chosen.begin(), chosen.end());
        return chosen;
    }

    void emit(const std::array<int, 3>& p, const std::array<double, 3>& origin,
              std::vector<box_grid>& out) const {
        if (value_[at(p)].count == 0) return;
        const choice& c = how_[at(p)];
        if (c.axis < 0) {
            out.push_back({origin, permutations[idx(c.perm)], grid_count(p, c.perm)});
            return;
        }
        const std::size_t a = idx(c.axis);
        const double cut = points_[a][idx(c.cut)];
        std::array<int, 3> near = p, far = p;
        near[a] = c.cut;
        far[a] = floor_index(points_[a], points_[a][idx(p[a])] - cut);
        std::array<double, 3> shifted = origin;
        shifted[a] += cut;
        emit(near, origin, out);
        emit(far, shifted, out);
    }

    std::array<double, 3> box_;
    std::array<std::vector<double>, 3> points_;
    std::vector<double> along_;  // the sums along a Y longer than a section
    std::array<std::vector<std::vector<cut_at>>, 3> cuts_;
    std::vector<score> value_;
    std::vector<choice> how_;
};

}  // namespace

box_pattern best_box_cuts(const std::array<double, 3>& space, const std::array<double, 3>& box,
                          work_meter& meter, std::uint64_t work_limit, double section) {
    box_search search(space, box, section);
    if (search.work() > work_limit) return {};
    search.solve(meter);
    return search.pattern(meter);
}

}  // namespace varnel
