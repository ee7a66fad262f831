#include "engine/mixed/cargo.h"

#include <algorithm>
#include <cmath>

#include "engine/core/tolerance.h"

namespace varnel::mixed {

namespace {

// Volumes and areas are counted in 64 bits: a container's volume in grid
// steps stays below this, with room for the sums of a search.
constexpr double largest_volume = 1e17;

bool on_grid(double mm, double step) {
    return std::fabs(mm - std::round(mm / step) * step) <= grid_noise;
}

}  // namespace

length grid::carton(double mm) const {
    return static_cast<length>(std::ceil((mm - grid_noise) / step_mm));
}

length grid::container(double mm) const {
    return static_cast<length>(std::floor((mm + grid_noise) / step_mm));
}

grid grid_of_sides(std::span<const double> sides_mm) {
    for (const double step : {1.0, 0.1}) {
        if (std::all_of(sides_mm.begin(), sides_mm.end(),
                        [step](double mm) { return on_grid(mm, step); }))
            return {step};
    }
    return {0.01};
}

grid grid_for(const mixed_request& request) {
    std::vector<double> sides;
    sides.reserve(request.cartons.size() * 3);
    for (const carton_type& t : request.cartons)
        sides.insert(sides.end(), t.size.begin(), t.size.end());
    grid g = grid_of_sides(sides);
    // A container too large for 64-bit volumes on that grid is counted on a
    // coarser one; its cartons are rounded up to it.
    const auto& c = request.container;
    while (c[0] / g.step_mm * (c[1] / g.step_mm) * (c[2] / g.step_mm) > largest_volume) {
        g.step_mm *= 10;
    }
    return g;
}

cargo cargo_of(const mixed_request& request, const std::vector<std::int64_t>& left) {
    cargo c;
    c.steps = grid_for(request);
    for (std::size_t k = 0; k < 3; ++k) c.container[k] = c.steps.container(request.container[k]);
    c.payload = request.payload;
    for (std::size_t t = 0; t < request.cartons.size(); ++t) {
        const carton_type& in = request.cartons[t];
        cargo_type out;
        const extent sides{c.steps.carton(in.size[0]), c.steps.carton(in.size[1]),
                           c.steps.carton(in.size[2])};
        for (std::int16_t o = 1; o <= 6; ++o) {
            if (!in.allowed.allows(o)) continue;
            const extent e = rotated(sides, o);
            const bool seen = std::any_of(out.poses.begin(), out.poses.end(),
                                          [&e](const pose& p) { return p.size == e; });
            const bool fits = e[0] <= c.container[0] && e[1] <= c.container[1] &&
                              e[2] <= c.container[2] && e[0] > 0 && e[1] > 0 && e[2] > 0;
            if (!seen && fits) out.poses.push_back({e, o});
        }
        out.quantity = std::max<std::int64_t>(0, left[t]);
        out.weight = in.weight.value_or(0.0);
        out.stackable = in.stackable;
        out.volume = sides[0] * sides[1] * sides[2];
        out.max_load = in.max_load;
        out.max_layers = in.max_layers;
        out.pallet = in.pallet;
        c.limits.pallets = c.limits.pallets || in.pallet;
        c.limits.on = c.limits.on || in.max_load || in.max_layers || in.pallet;
        c.types.push_back(std::move(out));
    }
    if (weighed(request.cartons)) {
        c.limits.weighed = true;
        c.limits.heavy_not_on_light = request.weights.heavy_not_on_light;
        c.limits.balance_share = request.weights.balance_share;
        c.limits.on = c.limits.on || c.limits.heavy_not_on_light;
    }
    return c;
}

}  // namespace varnel::mixed
