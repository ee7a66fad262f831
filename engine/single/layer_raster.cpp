#include "engine/single/layer_raster.h"

#include <algorithm>
#include <limits>

namespace varnel {

namespace {

// Beyond these the tables would outgrow a layer search: a floor of more
// points is left to the guillotine sections of best_pattern.
constexpr std::size_t max_points = 1024;
constexpr double max_sums = 4e6;
constexpr std::size_t max_cells = 1 << 20;

std::int32_t clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

layer_raster::layer_raster(units U, units V, units p, units q, double step_mm, work_meter& meter)
    : meter_(meter), p_(p), q_(q), step_(step_mm) {
    if (p <= 0 || q <= 0 || U < std::min(p, q) || V < std::min(p, q)) return;
    const units longest = std::max(U, V);
    const double sums =
        (static_cast<double>(longest / p) + 1) * (static_cast<double>(longest / q) + 1);
    if (sums > max_sums || !meter.spend(static_cast<std::uint64_t>(sums))) return;
    for (units a = 0; a <= longest; a += p) {
        for (units s = a; s <= longest; s += q) points_.push_back(s);
    }
    std::sort(points_.begin(), points_.end());
    points_.erase(std::unique(points_.begin(), points_.end()), points_.end());
    n_ = points_.size();
    const auto last = [this](units v) {
        return static_cast<int>(std::upper_bound(points_.begin(), points_.end(), v) -
                                points_.begin()) -
               1;
    };
    last_u_ = last(U);
    last_v_ = last(V);
    if (n_ > max_points || cells() > max_cells || !meter.spend(n_ * n_ + cells())) return;
    rest_.assign(n_ * n_, 0);
    half_.assign(n_, 0);
    for (std::size_t a = 0; a < n_; ++a) {
        std::size_t r = a;  // the rest only shrinks as b grows
        for (std::size_t b = 0; b <= a; ++b) {
            while (points_[r] > points_[a] - points_[b]) --r;
            rest_[a * n_ + b] = static_cast<std::int32_t>(r);
        }
        std::size_t h = 0;
        while (h + 1 < n_ && 2 * points_[h + 1] <= points_[a]) ++h;
        half_[a] = static_cast<std::int32_t>(h);
    }
    ub_.assign(cells(), -1);
    ready_ = true;
}

std::int32_t layer_raster::ub(int i, int j) {
    if (i <= 0 || j <= 0) return 0;
    std::int32_t& cached = ub_[at(i, j)];
    if (cached >= 0) return cached;
    const units X = point(i), Y = point(j), side = std::min(p_, q_);
    // pattern_bound's line bound walks the counts of one kind.
    const auto work =
        static_cast<std::uint64_t>(16 + X / side + Y / side + (X / side) * (Y / side) / 4);
    if (meter_.spend(work)) {
        cached = clamp32(pattern_bound(static_cast<double>(X), static_cast<double>(Y),
                                       static_cast<double>(p_), static_cast<double>(q_)));
    } else {
        cached = clamp32((X * Y) / (p_ * q_));
    }
    return cached;
}

std::pair<std::int32_t, bool> layer_raster::grid(units X, units Y) const {
    const units straight = (X / p_) * (Y / q_), turned = (X / q_) * (Y / p_);
    return {clamp32(std::max(straight, turned)), turned > straight};
}

void layer_raster::emit_grid(units X, units Y, bool turned, units u0, units v0, const flip& f,
                             std::vector<rect_grid>& out) const {
    const units eu = turned ? q_ : p_, ev = turned ? p_ : q_;
    const units nu = X / eu, nv = Y / ev;
    if (nu == 0 || nv == 0) return;
    // The grid's corners in the layer; a mirrored frame swaps them.
    const units a = f.ox + f.sx * u0, b = f.ox + f.sx * (u0 + nu * eu);
    const units c = f.oy + f.sy * v0, d = f.oy + f.sy * (v0 + nv * ev);
    out.push_back({static_cast<double>(std::min(a, b)) * step_,
                   static_cast<double>(std::min(c, d)) * step_, static_cast<int>(nu),
                   static_cast<int>(nv), turned});
}

}  // namespace varnel
