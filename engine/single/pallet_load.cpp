#include "engine/single/pallet_load.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <tuple>

#include "engine/core/orientation.h"
#include "engine/core/placement.h"
#include "engine/messages.h"
#include "engine/single/layer_bound.h"
#include "engine/single/layer_search.h"
#include "engine/single/rect_patterns.h"

namespace varnel {

namespace {

// The carton sides lying flat when `standing` stands, in side order.
std::array<std::size_t, 2> flat_sides(std::size_t standing) {
    return standing == 0   ? std::array<std::size_t, 2>{1, 2}
           : standing == 1 ? std::array<std::size_t, 2>{0, 2}
                           : std::array<std::size_t, 2>{0, 1};
}

// One stance's full layers: the pattern, its count and how many layers the
// load height takes.
struct stance {
    std::size_t standing = 2;
    pattern2d layer;
    // The layer search's bound on a layer, with its linear relaxation; 0
    // when it did not run.
    std::int64_t layer_bound = 0;
    std::int64_t layers = 0;
    stop_reason stop = stop_reason::none;
};

// The floor search of the optimiser of one size for a layer: the layer
// search, or where the deck has too many raster points for it (cartons far
// smaller than any export carton), the guillotine sections.
stance search_stance(const pallet_request& r, std::size_t standing, work_meter& meter) {
    stance s;
    s.standing = standing;
    const auto [a, b] = flat_sides(standing);
    const double p = r.carton[a], q = r.carton[b], h = r.carton[standing];
    s.layers = fitting(r.pallet.load_height, h);
    if (s.layers == 0 || fitting(r.pallet.length, std::min(p, q)) == 0 ||
        fitting(r.pallet.width, std::min(p, q)) == 0)
        return s;
    layer_result found = best_layer(r.pallet.length, r.pallet.width, p, q, meter);
    if (found.pattern.count > 0) s.layer_bound = found.bound;
    if (found.pattern.count == 0)
        found.pattern = best_pattern(r.pallet.length, r.pallet.width, p, q, meter);
    s.layer = std::move(found.pattern);
    s.stop = meter.reason();
    return s;
}

// The pattern's cartons, sorted by place, and the same shifted so that
// their bounding box lies centred on the deck.
layer_pattern cartons_of(const pattern2d& layer, double p, double q) {
    layer_pattern out;
    for (const rect_grid& g : layer.grids) {
        const double eu = g.turned ? q : p, ev = g.turned ? p : q;
        for (int i = 0; i < g.nu; ++i)
            for (int j = 0; j < g.nv; ++j) out.push_back({g.u + i * eu, g.v + j * ev, eu, ev});
    }
    std::sort(out.begin(), out.end(), [](const layer_carton& a, const layer_carton& b) {
        return std::tie(a.x, a.y) < std::tie(b.x, b.y);
    });
    return out;
}

struct box2 {
    double x0, y0, x1, y1;
};

box2 bounds_of(const layer_pattern& cartons) {
    box2 b{1e300, 1e300, -1e300, -1e300};
    for (const layer_carton& c : cartons) {
        b = {std::min(b.x0, c.x), std::min(b.y0, c.y), std::max(b.x1, c.x + c.length),
             std::max(b.y1, c.y + c.width)};
    }
    return b;
}

// The pattern mirrored within its bounding box: across the length, the
// width, or both (turned half round).
layer_pattern mirrored(const layer_pattern& cartons, const box2& b, bool along_x, bool along_y) {
    layer_pattern out;
    for (layer_carton c : cartons) {
        if (along_x) c.x = b.x0 + b.x1 - c.x - c.length;
        if (along_y) c.y = b.y0 + b.y1 - c.y - c.width;
        out.push_back(c);
    }
    std::sort(out.begin(), out.end(), [](const layer_carton& a, const layer_carton& c) {
        return std::tie(a.x, a.y) < std::tie(c.x, c.y);
    });
    return out;
}

double overlap(double a0, double a1, double b0, double b1) {
    return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

// Whether every carton of `upper` stands wholly on cartons of `lower`: the
// area of its base on them is its whole base (cartons of one layer do not
// overlap, so the areas add up).
bool stands_on(const layer_pattern& upper, const layer_pattern& lower) {
    for (const layer_carton& u : upper) {
        double on = 0.0;
        for (const layer_carton& l : lower) {
            on += overlap(u.x, u.x + u.length, l.x, l.x + l.length) *
                  overlap(u.y, u.y + u.width, l.y, l.y + l.width);
        }
        if (on < u.length * u.width * (1.0 - 1e-9)) return false;
    }
    return true;
}

// Cartons of `upper` that rest on two cartons or more of `lower`.
std::int64_t bridging(const layer_pattern& upper, const layer_pattern& lower) {
    std::int64_t n = 0;
    for (const layer_carton& u : upper) {
        int under = 0;
        for (const layer_carton& l : lower) {
            const double a = overlap(u.x, u.x + u.length, l.x, l.x + l.length) *
                             overlap(u.y, u.y + u.width, l.y, l.y + l.width);
            under += a > contact_tolerance * contact_tolerance ? 1 : 0;
        }
        n += under >= 2 ? 1 : 0;
    }
    return n;
}

// The mirror image that bridges most joints while each layer still stands
// wholly on the other, or none when every image is the pattern itself or
// leaves a carton short of support.
std::optional<layer_pattern> interlocking(const layer_pattern& first) {
    const box2 b = bounds_of(first);
    std::optional<layer_pattern> best;
    std::int64_t most = 0;
    for (const auto& [along_x, along_y] : {std::pair{true, false}, {false, true}, {true, true}}) {
        layer_pattern second = mirrored(first, b, along_x, along_y);
        if (second == first || !stands_on(second, first) || !stands_on(first, second)) continue;
        const std::int64_t n = bridging(second, first);
        if (n > most) most = n, best = std::move(second);
    }
    return best;
}

void centre(layer_pattern& cartons, const box2& b, const pallet_measures& pallet) {
    const double dx = (pallet.length - (b.x1 - b.x0)) / 2 - b.x0;
    const double dy = (pallet.width - (b.y1 - b.y0)) / 2 - b.y0;
    for (layer_carton& c : cartons) c.x += dx, c.y += dy;
}

// Every carton of the plan as a block: x across the width (a layer's y), y
// along the length (its x), z up; then joined where they can be.
block_list pallet_blocks(const pallet_plan& plan, const std::array<double, 3>& carton) {
    block_list blocks;
    const auto [a, b] = flat_sides(plan.standing_side);
    const double h = carton[plan.standing_side];
    for (std::int64_t k = 0; k < plan.layers; ++k) {
        const layer_pattern& layer =
            plan.layer_patterns[static_cast<std::size_t>(k) % plan.layer_patterns.size()];
        const std::size_t n =
            k + 1 == plan.layers ? static_cast<std::size_t>(plan.top_layer) : layer.size();
        for (std::size_t i = 0; i < n && i < layer.size(); ++i) {
            const layer_carton& c = layer[i];
            // Side a lies along the pallet's length unless the carton is turned.
            const bool turned = c.length != carton[a];
            const std::array<std::size_t, 3> axes{turned ? a : b, turned ? b : a,
                                                  plan.standing_side};
            blocks.push_back({c.y, c.x, static_cast<double>(k) * h,
                              orientation_of(axes).value_or(1), 1, 1, 1, 0});
        }
    }
    work_meter meter(static_cast<std::uint64_t>(blocks.size()) * 4096 + 4096, nullptr, 10.0);
    merge_blocks(blocks, carton, meter);
    return blocks;
}

}  // namespace

std::variant<pallet_plan, pallet_refusal> plan_pallet(const pallet_request& r) {
    const pallet_measures& pallet = r.pallet;
    const auto positive = [](double v) { return std::isfinite(v) && v > 0.0; };
    if (!std::all_of(r.carton.begin(), r.carton.end(), positive) || !positive(pallet.length) ||
        !positive(pallet.width) || !positive(pallet.load_height))
        return pallet_refusal{text::carton_size_wrong};

    std::vector<std::size_t> stances{2};
    if (r.any_side) stances = {2, 1, 0};
    const auto fits_deck = [&](std::size_t s) {
        const auto [a, b] = flat_sides(s);
        const double p = r.carton[a], q = r.carton[b];
        return (p <= pallet.length + fit_tolerance && q <= pallet.width + fit_tolerance) ||
               (q <= pallet.length + fit_tolerance && p <= pallet.width + fit_tolerance);
    };
    if (std::none_of(stances.begin(), stances.end(), fits_deck))
        return pallet_refusal{text::carton_larger_than_pallet};
    if (std::none_of(stances.begin(), stances.end(), [&](std::size_t s) {
            return fits_deck(s) && fitting(pallet.load_height, r.carton[s]) > 0;
        }))
        return pallet_refusal{text::carton_above_load_height};
    std::optional<std::int64_t> by_weight;
    if (r.carton_weight && pallet.load_weight && *r.carton_weight > 0.0) {
        by_weight = static_cast<std::int64_t>(
            std::min(std::floor(*pallet.load_weight / *r.carton_weight + 1e-9), 9e18));
        if (*by_weight == 0) return pallet_refusal{text::carton_over_load_weight};
    }

    work_meter meter(r.work_budget, r.cancel, r.seconds_cap);
    std::optional<stance> chosen;
    std::int64_t chosen_cartons = -1;
    bool ran_out = false;
    for (std::size_t k = 0; k < stances.size(); ++k) {
        if (!fits_deck(stances[k])) continue;
        // Each stance may spend an even share of what is left.
        work_meter share = meter.child(meter.left() / (stances.size() - k));
        stance found = search_stance(r, stances[k], share);
        ran_out = ran_out || found.stop == stop_reason::budget;
        const std::int64_t n =
            std::min(found.layers * found.layer.count,
                     by_weight.value_or(std::numeric_limits<std::int64_t>::max()));
        // Upright first: another stance must carry more to be taken.
        if (n > chosen_cartons) chosen_cartons = n, chosen = std::move(found);
    }

    pallet_plan plan;
    plan.standing_side = chosen->standing;
    plan.per_layer = chosen->layer.count;
    plan.cartons = chosen_cartons;
    plan.limit = by_weight && *by_weight < chosen->layers * plan.per_layer ? pallet_limit::weight
                                                                           : pallet_limit::height;
    plan.layers = plan.per_layer > 0 ? (plan.cartons + plan.per_layer - 1) / plan.per_layer : 0;
    plan.top_layer = plan.cartons - (plan.layers - 1) * plan.per_layer;
    plan.stop = meter.reason();
    if (plan.stop == stop_reason::none && ran_out) plan.stop = stop_reason::budget;

    const auto [a, b] = flat_sides(plan.standing_side);
    layer_pattern first = cartons_of(chosen->layer, r.carton[a], r.carton[b]);
    const box2 box = bounds_of(first);
    std::optional<layer_pattern> second = interlocking(first);
    plan.interlocked = second.has_value() && plan.layers > 1;
    centre(first, box, pallet);
    plan.layer_patterns.push_back(std::move(first));
    if (plan.interlocked) {
        centre(*second, box, pallet);
        plan.layer_patterns.push_back(std::move(*second));
    }

    const calculation_input in{
        static_cast<float>(r.carton[0]),   static_cast<float>(r.carton[1]),
        static_cast<float>(r.carton[2]),   static_cast<float>(pallet.width),
        static_cast<float>(pallet.length), static_cast<float>(pallet.load_height)};
    std::int64_t bound =
        upper_bound(in, false, r.any_side ? orientation_set::any() : orientation_set::upright());
    if (!r.any_side) {
        std::int64_t per_layer = layer_bound(pallet.length, pallet.width, r.carton[0], r.carton[1]);
        if (chosen->layer_bound > 0) per_layer = std::min(per_layer, chosen->layer_bound);
        bound = std::min(bound, chosen->layers * per_layer);
    }
    if (by_weight) bound = std::min(bound, *by_weight);
    plan.upper_bound = std::max(bound, plan.cartons);

    const double load = static_cast<double>(plan.layers) * r.carton[plan.standing_side];
    plan.size = {pallet.length, pallet.width, pallet.height + load};
    if (r.carton_weight)
        plan.weight = pallet.weight + static_cast<double>(plan.cartons) * *r.carton_weight;
    plan.carton = r.carton;
    plan.blocks = pallet_blocks(plan, r.carton);
    return plan;
}

}  // namespace varnel
