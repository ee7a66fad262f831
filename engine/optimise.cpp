#include "engine/optimise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <map>
#include <tuple>

#include "engine/block_tables.h"
#include "engine/box_cuts.h"
#include "engine/packing_bound.h"
#include "engine/pallet.h"

namespace varnel {

namespace {

// Which carton dimension (0 length, 1 width, 2 height) lies along X, Y, Z
// in orientations 1..6.
constexpr std::array<std::array<int, 3>, 7> dims_of{
    {{0, 1, 2}, {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {2, 0, 1}, {1, 2, 0}, {2, 1, 0}}};

std::int16_t orientation_of(const std::array<int, 3>& dims) {
    for (std::int16_t o = 1; o <= 6; ++o) {
        if (dims_of[static_cast<std::size_t>(o)] == dims) return o;
    }
    return 1;
}

constexpr int knapsack_span = 400;
constexpr double upright_section = 6000.0;
constexpr double whole_floor_section = 14000.0;
constexpr std::uint64_t whole_floor_budget = 15'000'000;
// Enough for every guillotine pattern of a container whose carton's sides
// have few sums in it (large cartons, where walls waste most), with the
// length in sections: about 0.6 s at most.
// The floor's first-order non-guillotine cuts, tried in every rectangle of
// it: about 0.5 s at most.
constexpr std::uint64_t five_block_budget = 30'000'000;
constexpr double box_cuts_section = 3000.0;
constexpr std::uint64_t box_cuts_budget = 100'000'000;

std::int16_t count16(int n) { return static_cast<std::int16_t>(std::min(n, 32767)); }

struct instance {
    std::array<double, 3> box;    // carton length, width, height
    std::array<double, 3> space;  // container X, Y, Z
};

struct candidate {
    block_list blocks;
    std::int64_t cartons = 0;
    bool better_than(const candidate& o) const {
        return cartons != o.cartons ? cartons > o.cartons : blocks.size() < o.blocks.size();
    }
};

// Walls (or layers) across one axis: slabs of whole cartons, each slab's
// cross-section the best 2-D pattern of the other two sides, the slab
// thicknesses chosen by a knapsack over the carton's sides.
class wall_builder {
public:
    wall_builder(const instance& in, work_meter& meter, double section = 5000.0,
                 work_meter* five_meter = nullptr)
        : in_(in), meter_(meter), section_(section), five_meter_(five_meter) {}

    candidate build(int axis, const std::vector<int>& thicknesses) {
        const int u_axis = axis == 0 ? 1 : 0, v_axis = axis == 2 ? 1 : 2;
        const double depth = in_.space[static_cast<std::size_t>(axis)];
        std::array<const pattern2d*, 3> slab{};
        std::array<std::int64_t, 3> value{};
        for (int t : thicknesses) {
            const auto [p, q] = others(t);
            slab[static_cast<std::size_t>(t)] =
                &pattern(in_.space[static_cast<std::size_t>(u_axis)],
                         in_.space[static_cast<std::size_t>(v_axis)], box(p), box(q));
            value[static_cast<std::size_t>(t)] = slab[static_cast<std::size_t>(t)]->count;
        }
        const std::array<int, 3> n = knapsack(depth, thicknesses, value);

        candidate c;
        double offset = 0.0;
        for (int t : thicknesses) {
            const int k = n[static_cast<std::size_t>(t)];
            if (k == 0 || value[static_cast<std::size_t>(t)] == 0) continue;
            const auto [p, q] = others(t);
            for (const rect_grid& g : slab[static_cast<std::size_t>(t)]->grids) {
                std::array<int, 3> dims{};
                std::array<double, 3> at{};
                std::array<int, 3> count{};
                dims[static_cast<std::size_t>(axis)] = t;
                dims[static_cast<std::size_t>(u_axis)] = g.turned ? q : p;
                dims[static_cast<std::size_t>(v_axis)] = g.turned ? p : q;
                at[static_cast<std::size_t>(axis)] = offset;
                at[static_cast<std::size_t>(u_axis)] = g.u;
                at[static_cast<std::size_t>(v_axis)] = g.v;
                count[static_cast<std::size_t>(axis)] = k;
                count[static_cast<std::size_t>(u_axis)] = g.nu;
                count[static_cast<std::size_t>(v_axis)] = g.nv;
                c.blocks.push_back({at[0], at[1], at[2], orientation_of(dims), count16(count[0]),
                                    count16(count[1]), count16(count[2])});
                c.cartons += std::int64_t{g.nu} * g.nv * k;
            }
            offset += k * box(t);
        }
        return c;
    }

private:
    double box(int d) const { return in_.box[static_cast<std::size_t>(d)]; }
    static std::pair<int, int> others(int t) {
        return t == 0 ? std::pair{1, 2} : t == 1 ? std::pair{0, 2} : std::pair{0, 1};
    }

    // Solved patterns are kept: sides that are equal share them.
    const pattern2d& pattern(double U, double V, double p, double q) {
        const auto key = std::make_tuple(U, V, std::min(p, q), std::max(p, q));
        auto it = solved_.find(key);
        if (it == solved_.end()) {
            pattern2d sol = best_pattern(U, V, p, q, meter_, section_, five_meter_);
            if (p > q) {
                for (rect_grid& g : sol.grids) g.turned = !g.turned;
            }
            // Stored for p <= q; turned back below when asked the other way.
            it = solved_.emplace(key, std::move(sol)).first;
            if (p > q) return turned_view(it->second);
        }
        if (p > q) return turned_view(it->second);
        return it->second;
    }
    const pattern2d& turned_view(const pattern2d& stored) {
        turned_.push_back(stored);
        for (rect_grid& g : turned_.back().grids) g.turned = !g.turned;
        return turned_.back();
    }

    // The most cartons from slabs of the allowed thicknesses in `depth`;
    // on a tie, fewer kinds of slab.
    std::array<int, 3> knapsack(double depth, const std::vector<int>& ts,
                                const std::array<std::int64_t, 3>& value) const {
        std::array<int, 3> best{}, n{};
        std::int64_t best_value = -1;
        int best_kinds = 4;
        const auto try_rest = [&](std::size_t level, double left, auto&& self) -> void {
            const int t = ts[level];
            const double side = box(t);
            if (level + 1 == ts.size()) {
                n[static_cast<std::size_t>(t)] = fitting(left, side);
                std::int64_t v = 0;
                int kinds = 0;
                for (int s : ts) {
                    v += n[static_cast<std::size_t>(s)] * value[static_cast<std::size_t>(s)];
                    kinds += n[static_cast<std::size_t>(s)] > 0 ? 1 : 0;
                }
                if (v > best_value || (v == best_value && kinds < best_kinds)) {
                    best_value = v, best_kinds = kinds, best = n;
                }
                return;
            }
            // Few slabs of a kind tried from each end: enough in any real
            // container, and bounded in a huge typed one.
            const int most = fitting(left, side);
            for (int k = 0; k <= most; ++k) {
                if (k > knapsack_span && k < most - knapsack_span) k = most - knapsack_span;
                n[static_cast<std::size_t>(t)] = k;
                self(level + 1, left - k * side, self);
            }
        };
        if (!ts.empty()) try_rest(0, depth, try_rest);
        return best;
    }

    const instance& in_;
    work_meter& meter_;
    double section_;
    work_meter* five_meter_;
    std::map<std::tuple<double, double, double, double>, pattern2d> solved_;
    std::deque<pattern2d> turned_;  // references to them stay valid
};

candidate best_single_grid(const instance& in, bool upright) {
    candidate best;
    for (std::int16_t o = 1; o <= 6; ++o) {
        if (upright && lies_on_side(o)) continue;
        const auto& d = dims_of[static_cast<std::size_t>(o)];
        std::array<int, 3> n{};
        for (std::size_t a = 0; a < 3; ++a)
            n[a] = fitting(in.space[a], in.box[static_cast<std::size_t>(d[a])]);
        const std::int64_t k = std::int64_t{n[0]} * n[1] * n[2];
        if (k > best.cartons) {
            best.cartons = k;
            best.blocks = {{0.0, 0.0, 0.0, o, count16(n[0]), count16(n[1]), count16(n[2])}};
        }
    }
    return best;
}

candidate box_cuts_candidate(const box_pattern& p) {
    candidate c;
    for (const box_grid& g : p.grids) {
        c.blocks.push_back({g.at[0], g.at[1], g.at[2], orientation_of(g.dims), count16(g.count[0]),
                            count16(g.count[1]), count16(g.count[2])});
    }
    c.cartons = p.count;
    return c;
}

bool same(double a, double b) { return std::fabs(a - b) <= 1e-4; }

instance instance_of(const calculation_input& in) {
    return {{in.carton_length, in.carton_width, in.carton_height},
            {in.container_width, in.container_length, in.container_height}};
}

}  // namespace

void merge_blocks(block_list& blocks, float l, float w, float h) {
    bool merged = true;
    while (merged) {
        merged = false;
        for (std::size_t i = 0; i < blocks.size() && !merged; ++i) {
            for (std::size_t j = 0; j < blocks.size() && !merged; ++j) {
                carton_block& a = blocks[i];
                const carton_block& b = blocks[j];
                if (i == j || a.orientation != b.orientation) continue;
                const block_extent e = extent_of(a, l, w, h);
                if (same(a.y, b.y) && same(a.z, b.z) && a.count_y == b.count_y &&
                    a.count_z == b.count_z && same(a.x + e.x, b.x) &&
                    a.count_x + b.count_x <= 32767) {
                    a.count_x = static_cast<std::int16_t>(a.count_x + b.count_x);
                } else if (same(a.x, b.x) && same(a.z, b.z) && a.count_x == b.count_x &&
                           a.count_z == b.count_z && same(a.y + e.y, b.y) &&
                           a.count_y + b.count_y <= 32767) {
                    a.count_y = static_cast<std::int16_t>(a.count_y + b.count_y);
                } else if (same(a.x, b.x) && same(a.y, b.y) && a.count_x == b.count_x &&
                           a.count_y == b.count_y && same(a.z + e.z, b.z) &&
                           a.count_z + b.count_z <= 32767) {
                    a.count_z = static_cast<std::int16_t>(a.count_z + b.count_z);
                } else {
                    continue;
                }
                blocks.erase(blocks.begin() + static_cast<std::ptrdiff_t>(j));
                merged = true;
            }
        }
    }
}

std::int64_t upper_bound(const calculation_input& input, bool single, bool upright) {
    const instance in = instance_of(input);
    if (single) return best_single_grid(in, upright).cartons;
    const double a = in.box[0], b = in.box[1], c = in.box[2];
    if (upright) {
        const std::int64_t layers = fitting(in.space[2], c);
        return std::min(layers * pattern_bound(in.space[0], in.space[1], a, b),
                        packing_bound(input, true));
    }
    double volume = 1.0;
    for (double side : in.space) volume *= reduced_side(side, a, b, c);
    return std::min(static_cast<std::int64_t>(std::floor(volume / (a * b * c) + 1e-9)),
                    packing_bound(input, false));
}

optimised_plan optimise_plan(const optimise_request& r) {
    optimised_plan result;
    work_meter meter(r.work_budget, r.cancel, r.seconds_cap);
    const auto account = [&result](const work_meter& m) {
        result.work += m.used();
        result.cancelled = result.cancelled || m.cancelled();
        result.budget_spent = result.budget_spent || m.budget_spent();
        result.clock_cap_hit = result.clock_cap_hit || m.clock_cap_hit();
    };
    const instance in = instance_of(r.input);
    const auto l = r.input.carton_length, w = r.input.carton_width, h = r.input.carton_height;

    load_model standard;
    run_calculation(standard, r.input, r.single, !r.upright);
    candidate best{standard_blocks(standard), 0};
    best.cartons = carton_count(best.blocks);
    result.standard_cartons = best.cartons;

    const auto consider = [&](candidate c) {
        merge_blocks(c.blocks, l, w, h);
        if (c.blocks.size() <= static_cast<std::size_t>(stack_table_size) && c.better_than(best)) {
            best = std::move(c);
        }
    };
    consider(best_single_grid(in, r.upright));
    if (!r.single) {
        if (r.upright) {
            // One floor pattern for every layer: it can afford to search
            // the whole floor of a 20-foot container at once.
            wall_builder walls(in, meter, upright_section);
            consider(walls.build(2, {2}));
            const std::int64_t bound = upper_bound(r.input, false, true);
            if (best.cartons < bound && !meter.stopped()) {
                // Still short of the bound: the whole floor of a longer
                // container at once, on a budget of its own so that the
                // plan above is kept when it runs out.
                work_meter whole(std::min(whole_floor_budget, r.work_budget - meter.used()),
                                 r.cancel, r.seconds_cap);
                wall_builder long_walls(in, whole, whole_floor_section);
                consider(long_walls.build(2, {2}));
                account(whole);
            }
            if (best.cartons < bound && !meter.stopped() && !result.cancelled) {
                // Still short: floors whose best patterns no cut across the
                // whole floor divides, four rectangles around a centre.
                work_meter five(five_block_budget, r.cancel, r.seconds_cap);
                work_meter cuts(r.work_budget, r.cancel, r.seconds_cap);
                wall_builder five_walls(in, cuts, upright_section, &five);
                consider(five_walls.build(2, {2}));
                account(five);
                account(cuts);
            }
        } else {
            wall_builder walls(in, meter);
            for (int axis : {2, 1, 0}) consider(walls.build(axis, {0, 1, 2}));
            if (!meter.stopped()) {
                // Walls across one axis waste most with large cartons, whose
                // sides have few sums: then every guillotine pattern of the
                // container can be tried, on a budget of its own.
                work_meter cuts(box_cuts_budget, r.cancel, r.seconds_cap);
                consider(box_cuts_candidate(
                    best_box_cuts(in.space, in.box, cuts, box_cuts_budget, box_cuts_section)));
                account(cuts);
            }
        }
    }

    std::sort(best.blocks.begin(), best.blocks.end(),
              [](const carton_block& a, const carton_block& b) {
                  return std::tie(a.y, a.z, a.x) < std::tie(b.y, b.z, b.x);
              });
    result.blocks = std::move(best.blocks);
    result.cartons = best.cartons;
    result.upper_bound = std::max(upper_bound(r.input, r.single, r.upright), result.cartons);
    account(meter);
    return result;
}

std::int16_t load_optimised_plan(load_model& m, const calculation_input& input,
                                 bool side_placement_allowed, const optimised_plan& plan) {
    run_calculation(m, input, true, side_placement_allowed);
    if (!blocks_to_tables(m, plan.blocks)) return 0;
    return stack_count(m.stacks);
}

}  // namespace varnel
