#include "engine/single/box_cuts.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/core/expects.h"
#include "engine/core/orientation.h"
#include "engine/single/pattern_search.h"
#include "engine/single/rect_patterns.h"

namespace varnel {

namespace {

// Sub-boxes and cuts held at once; beyond them the memory, not the work,
// would be the limit. Sums are listed and sorted between two polls of the
// meter, so a cancel waits for no more than a few hundredths of a second.
constexpr double max_boxes = 2e6;
constexpr double max_cuts = 2e6;
constexpr double max_sums = 1e6;

std::size_t idx(int i) { return static_cast<std::size_t>(i); }

// A cut tried here costs about a quarter of one in the 2-D patterns, whose
// units the request's budget counts.
std::uint64_t units(double cuts) { return static_cast<std::uint64_t>(cuts / 4) + 1; }

// Sums i*a + j*b + k*c up to `limit`, ascending, without 0; empty when
// there are too many to list or the meter refuses the listing.
std::vector<double> side_sums(double limit, const std::array<double, 3>& box, work_meter& meter) {
    std::vector<double> sums;
    const double combinations = static_cast<double>(fitting(limit, box[0]) + 1) *
                                (fitting(limit, box[1]) + 1) * (fitting(limit, box[2]) + 1) / 6.0;
    if (combinations > max_sums || !meter.spend(static_cast<std::uint64_t>(combinations)))
        return sums;
    for (int i = 0; i <= fitting(limit, box[0]); ++i) {
        for (int j = 0; j <= fitting(limit - i * box[0], box[1]); ++j) {
            const double base = i * box[0] + j * box[1];
            for (int k = 0; k <= fitting(limit - base, box[2]); ++k) {
                const double v = base + k * box[2];
                if (v > 0.0) sums.push_back(v);
            }
        }
    }
    return distinct_points(std::move(sums));
}

using score = pattern_score<std::int32_t>;

// A sub-box's choice: one grid in orientation `pose` (axis < 0), or a cut
// across `axis` at point `cut`.
using choice = pattern_choice<std::int8_t>;

// A cut at point `at` of a side whose largest point is i leaves the rest
// at point `rest` (-1 when nothing fits there); `exact` when the two fill
// the side.
struct cut_at {
    int at = 0;
    int rest = 0;
    bool exact = false;
};

class box_search {
public:
    box_search(const std::array<double, 3>& space, const std::array<double, 3>& box, double section,
               work_meter& meter)
        : box_(box) {
        for (std::size_t a = 0; a < 3; ++a) {
            points_[a] = side_sums(a == 1 ? std::min(space[a], section) : space[a], box, meter);
        }
        if (space[1] > section) along_ = side_sums(space[1], box, meter);
    }

    // The units solve() counts, or UINT64_MAX when the sub-boxes or their
    // cuts are too many to hold. Cuts across the height stand on exact
    // fillings below, few in any column: counted as the half cuts.
    std::uint64_t work() const {
        std::array<double, 3> n{}, half{};
        for (std::size_t a = 0; a < 3; ++a) {
            const std::vector<double>& p = points_[a];
            n[a] = static_cast<double>(p.size());
            std::size_t h = 0;
            for (std::size_t i = 0; i < p.size(); ++i) {
                while (h < i && p[h] <= p[i] / 2 + fit_tolerance) ++h;
                half[a] += static_cast<double>(h);
            }
        }
        const double boxes = n[0] * n[1] * n[2];
        if (boxes == 0.0 || boxes > max_boxes || half[0] + half[1] + half[2] > max_cuts)
            return std::numeric_limits<std::uint64_t>::max();
        const double cuts = half[0] * n[1] * n[2] + half[1] * n[0] * n[2] + half[2] * n[0] * n[1];
        return units(boxes + 2 * cuts) +
               static_cast<std::uint64_t>(static_cast<double>(along_.size()) * n[1]);
    }

    void solve(work_meter& meter) {
        for (std::size_t a = 0; a < 3; ++a) {
            const std::vector<double>& p = points_[a];
            cuts_[a].resize(p.size());
            for (std::size_t i = 0; i < p.size(); ++i) {
                // Cuts up to half the side, where both parts are searched
                // alike: the other half is the same cut seen from the other
                // end.
                for (std::size_t c = 0; c < i && p[c] <= p[i] / 2 + fit_tolerance; ++c) {
                    const int rest = floor_index(p, p[i] - p[c]);
                    const bool exact =
                        rest >= 0 && std::fabs(p[idx(rest)] + p[c] - p[i]) <= fit_tolerance;
                    cuts_[a][i].push_back({static_cast<int>(c), rest, exact});
                }
            }
        }
        const std::array<int, 3> n = sizes();
        value_.assign(idx(n[0]) * idx(n[1]) * idx(n[2]), score{});
        how_.assign(value_.size(), choice{});
        full_.assign(value_.size(), score{});
        full_how_.assign(value_.size(), choice{});
        std::array<int, 3> p{};
        std::vector<int> filled;
        for (p[0] = 0; p[0] < n[0]; ++p[0]) {
            for (p[1] = 0; p[1] < n[1]; ++p[1]) {
                // The heights, ascending, where this column's base is
                // filled exactly so far.
                filled.clear();
                for (p[2] = 0; p[2] < n[2]; ++p[2]) solve_one(p, filled, meter);
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
    score value(const std::array<int, 3>& p) const {
        return p[0] < 0 || p[1] < 0 || p[2] < 0 ? score{} : value_[at(p)];
    }
    score full(const std::array<int, 3>& p) const {
        return p[0] < 0 || p[1] < 0 || p[2] < 0 ? score{} : full_[at(p)];
    }
    std::array<int, 3> grid_count(const std::array<int, 3>& p, int o) const {
        const std::array<double, 3> e = rotated(box_, o);
        std::array<int, 3> count{};
        for (std::size_t a = 0; a < 3; ++a) count[a] = fitting(points_[a][idx(p[a])], e[a]);
        return count;
    }

    void solve_one(const std::array<int, 3>& p, std::vector<int>& filled, work_meter& meter) {
        score best, whole;
        choice how, whole_how;
        for (std::int8_t o = 1; o <= 6; ++o) {
            const std::array<int, 3> c = grid_count(p, o);
            const score s{c[0] * c[1] * c[2], 1};
            if (s.count == 0) continue;
            if (s > best) best = s, how = {0, -1, o};
            const std::array<double, 3> e = rotated(box_, o);
            bool exact = true;
            for (std::size_t a = 0; a < 3; ++a) {
                exact = exact && std::fabs(c[a] * e[a] - points_[a][idx(p[a])]) <= fit_tolerance;
            }
            if (exact && s > whole) whole = s, whole_how = {0, -1, o};
        }
        double half_cuts = 0.0;
        for (std::size_t a = 0; a < 3; ++a)
            half_cuts += static_cast<double>(cuts_[a][idx(p[a])].size());
        if (meter.spend(units(1 + 2 * half_cuts + static_cast<double>(filled.size())))) {
            for (std::size_t a = 0; a < 2; ++a) {
                for (const cut_at& c : cuts_[a][idx(p[a])]) {
                    std::array<int, 3> near = p, far = p;
                    near[a] = c.at;
                    far[a] = c.rest;
                    const score first = value(near);
                    if (first.count > 0 && first + value(far) > best)
                        best = first + value(far), how = {c.at, static_cast<std::int8_t>(a), 1};
                }
            }
            // What stands on a cut across the height stands on an exact
            // filling below it, at any height.
            const double height = points_[2][idx(p[2])];
            for (int c : filled) {
                const score first = full({p[0], p[1], c});
                const score second =
                    value({p[0], p[1], floor_index(points_[2], height - points_[2][idx(c)])});
                if (first + second > best) best = first + second, how = {c, 2, 1};
            }
            for (std::size_t a = 0; a < 3; ++a) {
                for (const cut_at& c : cuts_[a][idx(p[a])]) {
                    if (!c.exact) continue;
                    std::array<int, 3> near = p, far = p;
                    near[a] = c.at;
                    far[a] = c.rest;
                    const score f = full(near), g = full(far);
                    if (f.count > 0 && g.count > 0 && f + g > whole)
                        whole = f + g, whole_how = {c.at, static_cast<std::int8_t>(a), 1};
                }
            }
        }
        value_[at(p)] = best;
        how_[at(p)] = how;
        full_[at(p)] = whole;
        full_how_[at(p)] = whole_how;
        if (whole.count > 0) filled.push_back(p[2]);
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
                if (here.count > 0 && here + before > best[k])
                    best[k] = here + before, last[k] = static_cast<int>(s);
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
              std::vector<box_grid>& out, bool exact = false) const {
        if (p[0] < 0 || p[1] < 0 || p[2] < 0) return;
        if ((exact ? full_ : value_)[at(p)].count == 0) return;
        const choice& c = (exact ? full_how_ : how_)[at(p)];
        if (c.axis < 0) {
            out.push_back({origin, c.pose, grid_count(p, c.pose)});
            return;
        }
        const std::size_t a = idx(c.axis);
        const double cut = points_[a][idx(c.cut)];
        std::array<int, 3> near = p, far = p;
        near[a] = c.cut;
        far[a] = floor_index(points_[a], points_[a][idx(p[a])] - cut);
        std::array<double, 3> shifted = origin;
        shifted[a] += cut;
        emit(near, origin, out, exact || a == 2);
        emit(far, shifted, out, exact);
    }

    std::array<double, 3> box_;
    std::array<std::vector<double>, 3> points_;
    std::vector<double> along_;  // the sums along a Y longer than a section
    std::array<std::vector<std::vector<cut_at>>, 3> cuts_;
    std::vector<score> value_, full_;
    std::vector<choice> how_, full_how_;
};

}  // namespace

box_pattern best_box_cuts(const std::array<double, 3>& space, const std::array<double, 3>& box,
                          work_meter& meter, std::uint64_t work_limit, double section) {
    VARNEL_EXPECTS(positive_sides(box));
    // Shorter sections, fewer sub-boxes: halved while the search would count
    // too much, as long as a section holds every carton side.
    const double longest = std::max({box[0], box[1], box[2]});
    for (; section >= longest && !meter.stopped(); section /= 2) {
        box_search search(space, box, section, meter);
        if (search.work() > std::min(work_limit, meter.left())) continue;
        search.solve(meter);
        return search.pattern(meter);
    }
    return {};
}

}  // namespace varnel
