#include "engine/single/optimise.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "engine/block_tables.h"
#include "engine/core/box.h"
#include "engine/core/expects.h"
#include "engine/core/orientation.h"
#include "engine/core/placement.h"
#include "engine/single/box_cuts.h"
#include "engine/single/layer_search.h"
#include "engine/single/packing_bound.h"
#include "engine/single/rect_patterns.h"

namespace varnel {

namespace {

constexpr int knapsack_span = 400;
constexpr double upright_section = 6000.0;
constexpr double whole_floor_section = 14000.0;
constexpr double box_cuts_section = 3000.0;

// The request's budget in shares: each phase may spend this share of what
// is left when it starts, and the last takes the rest.
constexpr double walls_share = 0.6;         // walls and layers, free cartons
constexpr double floor_share = 0.6;         // one floor for every layer, upright
constexpr double whole_floor_share = 0.25;  // a long floor at once, upright
constexpr double layer_share = 0.5;         // the layer search of the pallet loading problem
constexpr double five_share = 0.9;          // of the last: non-guillotine floor cuts

// The standard calculation counts a row that falls short of a whole number
// of cartons by up to this share of one carton (its quotients are rounded
// from 0.49999 below), and stacks at most this many of its blocks one after
// another along an axis; float sums add a millionth of the side at most.
constexpr double standard_fit_share = 1e-5;
constexpr double standard_stacks_in_line = 3.0;
constexpr double float_share = 1e-6;

// A part load cuts one block of a plan into up to three, so a plan keeps
// two of the tables' 31 records free for it.
constexpr std::size_t max_plan_blocks = static_cast<std::size_t>(stack_table_size) - 2;

// What the optimiser plans: cartons with sides to divide by, in any
// orientation or upright; the standard calculation it starts from knows no
// other set.
bool plannable(const calculation_input& in, orientation_set allowed) {
    return positive_sides(std::array{in.carton_length, in.carton_width, in.carton_height}) &&
           (allowed == orientation_set::any() || allowed == orientation_set::upright());
}

std::int16_t count16(int n) { return static_cast<std::int16_t>(std::clamp(n, 0, 32767)); }

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

carton_block block_at(const std::array<double, 3>& at, int o, const std::array<int, 3>& n) {
    return {at[0],         at[1],         at[2],        static_cast<std::int16_t>(o),
            count16(n[0]), count16(n[1]), count16(n[2])};
}

// Slabs of whole cartons across one axis, each slab's cross-section the best
// 2-D pattern of the other two sides, the slab thicknesses chosen by a
// knapsack over the carton's sides. Walls across X or Y stand side by side
// on the floor, their cross-sections standing patterns; layers across Z
// stand on each other, so a layer goes only on layers whose tops cover it.
class wall_builder {
public:
    wall_builder(const instance& in, work_meter& meter, pattern_options options)
        : in_(in), meter_(meter), options_(options) {}

    candidate build(std::size_t axis, const std::vector<std::size_t>& thicknesses) {
        const std::size_t u_axis = axis == 0 ? 1 : 0, v_axis = axis == 2 ? 1 : 2;
        pattern_options o = options_;
        if (axis != 2) o.up = upward::v, o.five_meter = nullptr;
        std::array<const pattern2d*, 3> slab{};
        std::array<std::int64_t, 3> value{};
        for (std::size_t t : thicknesses) {
            const auto [p, q] = others(t);
            slab[t] = &pattern(in_.space[u_axis], in_.space[v_axis], box(p), box(q), o);
            value[t] = slab[t]->count;
        }
        std::array<std::array<bool, 3>, 3> covers{};
        for (std::size_t a : thicknesses) {
            for (std::size_t b : thicknesses) {
                covers[a][b] = axis != 2 || a == b || layer_covers(*slab[a], a, *slab[b], b);
            }
        }
        const auto [n, order] = knapsack(in_.space[axis], thicknesses, value, covers);

        candidate c;
        double offset = 0.0;
        for (std::size_t t : order) {
            const int k = n[t];
            if (k == 0 || value[t] == 0) continue;
            for (const carton_block& b : slab_blocks(*slab[t], axis, t, offset, k)) {
                c.blocks.push_back(b);
                c.cartons += carton_count(b);
            }
            offset += k * box(t);
        }
        return c;
    }

private:
    double box(std::size_t d) const { return in_.box[d]; }
    static std::pair<std::size_t, std::size_t> others(std::size_t t) {
        return t == 0   ? std::pair<std::size_t, std::size_t>{1, 2}
               : t == 1 ? std::pair<std::size_t, std::size_t>{0, 2}
                        : std::pair<std::size_t, std::size_t>{0, 1};
    }

    // The blocks of k slabs of thickness t from `offset` across `axis`.
    block_list slab_blocks(const pattern2d& s, std::size_t axis, std::size_t t, double offset,
                           int k) const {
        const std::size_t u_axis = axis == 0 ? 1 : 0, v_axis = axis == 2 ? 1 : 2;
        const auto [p, q] = others(t);
        block_list out;
        for (const rect_grid& g : s.grids) {
            std::array<std::size_t, 3> sides{};
            std::array<double, 3> at{};
            std::array<int, 3> count{};
            sides[axis] = t;
            sides[u_axis] = g.turned ? q : p;
            sides[v_axis] = g.turned ? p : q;
            at[axis] = offset;
            at[u_axis] = g.u;
            at[v_axis] = g.v;
            count[axis] = k;
            count[u_axis] = g.nu;
            count[v_axis] = g.nv;
            out.push_back(block_at(at, orientation_of(sides).value_or(1), count));
        }
        return out;
    }

    // Whether every carton of a layer of kind b stands on the tops of a
    // layer of kind a under it.
    bool layer_covers(const pattern2d& a, std::size_t ta, const pattern2d& b, std::size_t tb) {
        block_list both = slab_blocks(a, 2, ta, 0.0, 1);
        const block_list above = slab_blocks(b, 2, tb, box(ta), 1);
        both.insert(both.end(), above.begin(), above.end());
        merge_blocks(both, in_.box, meter_);
        const std::uint64_t n = both.size();
        if (!meter_.spend(n * n * 8)) return false;
        const carton_rules rules = single_carton(in_.box[0], in_.box[1], in_.box[2]);
        return unsupported_cartons(both, std::span(&rules, 1)) == 0;
    }

    // Solved patterns are kept: sides that are equal share them.
    const pattern2d& pattern(double U, double V, double p, double q, const pattern_options& o) {
        const auto key = std::make_tuple(U, V, std::min(p, q), std::max(p, q), o.up);
        auto it = solved_.find(key);
        if (it == solved_.end()) {
            pattern2d sol = best_pattern(U, V, std::min(p, q), std::max(p, q), meter_, o);
            // Stored for p <= q; turned below when asked the other way.
            it = solved_.emplace(key, std::move(sol)).first;
        }
        if (p <= q) return it->second;
        turned_.push_back(it->second);
        for (rect_grid& g : turned_.back().grids) g.turned = !g.turned;
        return turned_.back();
    }

    // The most cartons from slabs of the allowed thicknesses in `depth`,
    // whose kinds stand in an order where each covers the next; on a tie,
    // fewer kinds of slab. The counts and that order.
    std::pair<std::array<int, 3>, std::vector<std::size_t>> knapsack(
        double depth, const std::vector<std::size_t>& ts, const std::array<std::int64_t, 3>& value,
        const std::array<std::array<bool, 3>, 3>& covers) const {
        std::array<int, 3> best{}, n{};
        std::vector<std::size_t> best_order = ts;
        std::int64_t best_value = -1;
        int best_kinds = 4;
        const auto try_rest = [&](std::size_t level, double left, auto&& self) -> void {
            const std::size_t t = ts[level];
            const double side = box(t);
            if (level + 1 == ts.size()) {
                n[t] = fitting(left, side);
                std::int64_t v = 0;
                std::vector<std::size_t> used;
                for (std::size_t s : ts) {
                    v += n[s] * value[s];
                    if (n[s] > 0) used.push_back(s);
                }
                const int kinds = static_cast<int>(used.size());
                if (v < best_value || (v == best_value && kinds >= best_kinds)) return;
                std::sort(used.begin(), used.end());
                do {
                    bool chain = true;
                    for (std::size_t k = 1; k < used.size(); ++k)
                        chain = chain && covers[used[k - 1]][used[k]];
                    if (chain) {
                        best_value = v, best_kinds = kinds, best = n, best_order = used;
                        return;
                    }
                } while (std::next_permutation(used.begin(), used.end()));
                return;
            }
            // Few slabs of a kind tried from each end: enough in any real
            // container, and bounded in a huge typed one.
            const int most = fitting(left, side);
            if (!meter_.spend(static_cast<std::uint64_t>(std::min(most, 2 * knapsack_span) + 1)))
                return;
            for (int k = 0; k <= most; ++k) {
                if (k > knapsack_span && k < most - knapsack_span) k = most - knapsack_span;
                n[t] = k;
                self(level + 1, left - k * side, self);
            }
        };
        if (!ts.empty()) try_rest(0, depth, try_rest);
        return {best, best_order};
    }

    const instance& in_;
    work_meter& meter_;
    pattern_options options_;
    std::map<std::tuple<double, double, double, double, upward>, pattern2d> solved_;
    std::deque<pattern2d> turned_;  // references to them stay valid
};

candidate best_single_grid(const instance& in, orientation_set allowed) {
    candidate best;
    for (int o = 1; o <= 6; ++o) {
        if (!allowed.allows(o)) continue;
        const std::array<double, 3> e = rotated(in.box, o);
        std::array<int, 3> n{};
        for (std::size_t a = 0; a < 3; ++a) n[a] = fitting(in.space[a], e[a]);
        const std::int64_t k = std::int64_t{n[0]} * n[1] * n[2];
        if (k > best.cartons) {
            best.cartons = k;
            best.blocks = {block_at({0.0, 0.0, 0.0}, o, n)};
        }
    }
    return best;
}

candidate box_cuts_candidate(const box_pattern& p) {
    candidate c;
    for (const box_grid& g : p.grids) c.blocks.push_back(block_at(g.at, g.orientation, g.count));
    c.cartons = p.count;
    return c;
}

instance instance_of(const calculation_input& in) {
    return {{in.carton_length, in.carton_width, in.carton_height}, container_axes(in)};
}

// The container as the standard calculation may fill it: each side longer
// by what its rounding lets a row of cartons exceed it. Only a carton side
// no longer than the container's lies along it, so a carton far longer
// than the container widens nothing.
instance with_standard_slack(instance in) {
    const double longest = std::max({in.box[0], in.box[1], in.box[2]});
    for (double& side : in.space) {
        side += standard_stacks_in_line * standard_fit_share * std::min(longest, side) +
                float_share * side;
    }
    return in;
}

calculation_input input_of(const instance& in) {
    return {static_cast<float>(in.box[0]),   static_cast<float>(in.box[1]),
            static_cast<float>(in.box[2]),   static_cast<float>(in.space[0]),
            static_cast<float>(in.space[1]), static_cast<float>(in.space[2])};
}

std::int64_t saturated_product(std::int64_t a, std::int64_t b) {
    if (a == 0 || b == 0) return 0;
    return a > std::numeric_limits<std::int64_t>::max() / b
               ? std::numeric_limits<std::int64_t>::max()
               : a * b;
}

// The key a block joins others by along `axis`: its type, orientation, the
// counts and places across that axis, and last its place along it. Places
// are rounded to a thousandth of a millimetre, as far as faces may differ
// and still meet.
using merge_key =
    std::tuple<std::size_t, std::int16_t, std::int16_t, std::int16_t, double, double, double>;
merge_key key_along(const carton_block& b, std::size_t axis) {
    const std::array<double, 3> at{b.x, b.y, b.z};
    const std::array<std::int16_t, 3> n{b.count_x, b.count_y, b.count_z};
    const std::size_t u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
    const auto round = [](double x) { return std::nearbyint(x / contact_tolerance); };
    return {b.type, b.orientation, n[u], n[v], round(at[u]), round(at[v]), at[axis]};
}

// One round of joins along `axis`; whether any block joined another.
bool merge_along(block_list& blocks, const std::array<double, 3>& carton, std::size_t axis) {
    std::vector<std::pair<merge_key, carton_block>> keyed;
    keyed.reserve(blocks.size());
    for (const carton_block& b : blocks) keyed.emplace_back(key_along(b, axis), b);
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    const auto same_line = [](const merge_key& a, const merge_key& b) {
        return std::get<0>(a) == std::get<0>(b) && std::get<1>(a) == std::get<1>(b) &&
               std::get<2>(a) == std::get<2>(b) && std::get<3>(a) == std::get<3>(b) &&
               std::get<4>(a) == std::get<4>(b) && std::get<5>(a) == std::get<5>(b);
    };
    const auto count = [axis](carton_block& b) -> std::int16_t& {
        return axis == 0 ? b.count_x : axis == 1 ? b.count_y : b.count_z;
    };
    const std::size_t before = blocks.size();
    blocks.clear();
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        carton_block& b = keyed[i].second;
        if (!blocks.empty() && same_line(keyed[i - 1].first, keyed[i].first)) {
            carton_block& a = blocks.back();
            const double side = rotated(carton, a.orientation)[axis];
            const double end = std::get<6>(key_along(a, axis)) + count(a) * side;
            if (std::fabs(end - std::get<6>(keyed[i].first)) <= contact_tolerance &&
                count(a) + count(b) <= 32767) {
                count(a) = static_cast<std::int16_t>(count(a) + count(b));
                // The joined block stands where its first part stood.
                keyed[i].first = key_along(a, axis);
                continue;
            }
        }
        blocks.push_back(b);
    }
    return blocks.size() < before;
}

// One search: the phases of optimise_plan over one request's meter.
class search {
public:
    search(const optimise_request& r, work_meter& meter)
        : r_(r),
          in_(instance_of(r.input)),
          rules_(single_carton(in_.box[0], in_.box[1], in_.box[2], r.allowed)),
          meter_(meter) {}

    optimised_plan run() {
        optimised_plan result;
        load_model standard;
        run_calculation(standard, r_.input, r_.single, side_placement_allowed(r_.allowed));
        candidate from_standard{standard_blocks(standard), 0};
        from_standard.cartons = carton_count(from_standard.blocks);
        result.standard_cartons = from_standard.cartons;
        result.standard_supported = unsupported_cartons(from_standard.blocks, rules()) == 0;
        // A plan with a carton short of support is no plan to load: the
        // search must find one whose every carton stands.
        if (result.standard_supported) best_ = from_standard;
        bound_ = upper_bound(r_.input, r_.single, r_.allowed);

        consider(best_single_grid(in_, r_.allowed));
        if (!r_.single) r_.allowed == orientation_set::upright() ? upright_phases() : free_phases();

        std::sort(best_.blocks.begin(), best_.blocks.end(),
                  [](const carton_block& a, const carton_block& b) {
                      return std::tie(a.y, a.z, a.x) < std::tie(b.y, b.z, b.x);
                  });
        result.blocks = std::move(best_.blocks);
        result.cartons = best_.cartons;
        result.upper_bound = std::max(bound_, result.cartons);
        result.work = meter_.used();
        result.stop = meter_.reason();
        if (result.stop == stop_reason::none && phase_ran_out_) result.stop = stop_reason::budget;
        return result;
    }

private:
    std::span<const carton_rules> rules() const { return std::span(&rules_, 1); }
    bool short_of_bound() const { return best_.cartons < bound_ && !meter_.stopped(); }

    // Runs one phase on `share` of the units left.
    void phase(double share, const std::function<void(work_meter&)>& body) {
        const auto units = static_cast<std::uint64_t>(static_cast<double>(meter_.left()) * share);
        work_meter m = meter_.child(units);
        body(m);
        phase_ran_out_ = phase_ran_out_ || m.budget_spent();
    }

    // A candidate is kept only when it fits the tables and passes the
    // placement check: inside, clear of each other, every carton standing.
    void consider(candidate c, work_meter* meter = nullptr) {
        work_meter& m = meter != nullptr ? *meter : meter_;
        merge_blocks(c.blocks, in_.box, m);
        trim(c, m);
        if (c.blocks.size() > max_plan_blocks || !c.better_than(best_)) return;
        const bool corner = std::any_of(c.blocks.begin(), c.blocks.end(), [](const auto& b) {
            return b.x == 0.0 && b.y == 0.0 && b.z == 0.0;
        });
        const std::uint64_t n = c.blocks.size();
        if (!corner || !m.spend(n * n * n * 4 + 1)) return;
        const container_space room{in_.space, std::nullopt};
        if (check_placement(c.blocks, rules(), room).valid()) best_ = std::move(c);
    }

    // Leaves out the smallest blocks that nothing stands on, never the one
    // in the corner, until the plan fits its records: a few cartons fewer
    // rather than no plan.
    void trim(candidate& c, work_meter& m) const {
        while (c.blocks.size() > max_plan_blocks) {
            const std::uint64_t n = c.blocks.size();
            if (!m.spend(n * n)) return;
            std::optional<std::size_t> least;
            for (std::size_t i = 0; i < n; ++i) {
                const carton_block& b = c.blocks[i];
                const block_box under = box_of(b, in_.box);
                const bool carries = std::any_of(
                    c.blocks.begin(), c.blocks.end(),
                    [&](const carton_block& a) { return stands_on(box_of(a, in_.box), under); });
                const bool corner = b.x == 0.0 && b.y == 0.0 && b.z == 0.0;
                if (carries || corner) continue;
                if (!least || carton_count(b) < carton_count(c.blocks[*least])) least = i;
            }
            if (!least) return;
            c.cartons -= carton_count(c.blocks[*least]);
            c.blocks.erase(c.blocks.begin() + static_cast<std::ptrdiff_t>(*least));
        }
    }

    void upright_phases() {
        phase(floor_share, [&](work_meter& m) {
            // One floor pattern for every layer: it can afford to search
            // the whole floor of a 20-foot container at once.
            wall_builder walls(in_, m, {.section = upright_section});
            consider(walls.build(2, {2}), &m);
        });
        if (!short_of_bound()) return;
        phase(whole_floor_share, [&](work_meter& m) {
            // Still short of the bound: the whole floor of a longer
            // container at once; the plan above stays when it runs out.
            wall_builder walls(in_, m, {.section = whole_floor_section});
            consider(walls.build(2, {2}), &m);
        });
        if (!short_of_bound()) return;
        // Still short: the layer search of the pallet loading problem, five-
        // block cuts nested and L-shaped pieces. On a floor of few raster
        // points it can finish within its share, and goes first; on a larger
        // one it takes what the cuts below leave.
        const bool few_points =
            layer_search_work(in_.space[0], in_.space[1], in_.box[0], in_.box[1]) <=
            static_cast<double>(meter_.left()) * layer_share;
        if (few_points) {
            phase(layer_share, [&](work_meter& m) { consider(layer_candidate(m), &m); });
            if (!short_of_bound()) return;
        }
        phase(1.0, [&](work_meter& m) {
            // Still short: floors whose best patterns no cut across the
            // whole floor divides, four rectangles around a centre.
            work_meter five =
                m.child(static_cast<std::uint64_t>(static_cast<double>(m.left()) * five_share));
            wall_builder walls(in_, m, {.section = upright_section, .five_meter = &five});
            consider(walls.build(2, {2}), &m);
            phase_ran_out_ = phase_ran_out_ || five.budget_spent();
        });
        if (!few_points && short_of_bound()) {
            phase(1.0, [&](work_meter& m) { consider(layer_candidate(m), &m); });
        }
    }

    // The layer search's floor with every layer the height takes.
    candidate layer_candidate(work_meter& m) const {
        const pattern2d floor =
            best_layer(in_.space[0], in_.space[1], in_.box[0], in_.box[1], m).pattern;
        candidate c;
        const int layers = fitting(in_.space[2], in_.box[2]);
        for (const rect_grid& g : floor.grids) {
            c.blocks.push_back(block_at({g.u, g.v, 0.0}, g.turned ? 3 : 1, {g.nu, g.nv, layers}));
            c.cartons += std::int64_t{g.nu} * g.nv * layers;
        }
        return c;
    }

    void free_phases() {
        phase(walls_share, [&](work_meter& m) {
            wall_builder walls(in_, m, {});
            for (std::size_t axis : {2u, 1u, 0u}) consider(walls.build(axis, {0, 1, 2}), &m);
        });
        if (!short_of_bound()) return;
        phase(1.0, [&](work_meter& m) {
            // Walls across one axis waste most with large cartons, whose
            // sides have few sums: then every guillotine pattern of the
            // container can be tried while the budget lasts.
            consider(box_cuts_candidate(
                         best_box_cuts(in_.space, in_.box, m, m.left(), box_cuts_section)),
                     &m);
        });
    }

    const optimise_request& r_;
    const instance in_;
    const carton_rules rules_;
    work_meter& meter_;
    candidate best_;
    std::int64_t bound_ = 0;
    bool phase_ran_out_ = false;
};

}  // namespace

void merge_blocks(block_list& blocks, const std::array<double, 3>& carton, work_meter& meter) {
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t axis = 0; axis < 3; ++axis) {
            const std::uint64_t n = blocks.size();
            if (n < 2 || !meter.spend(n * static_cast<std::uint64_t>(std::bit_width(n)) * 4))
                return;
            joined = merge_along(blocks, carton, axis) || joined;
        }
    }
}

std::int64_t upper_bound(const calculation_input& input, bool single, orientation_set allowed) {
    VARNEL_EXPECTS(plannable(input, allowed));
    const instance in = with_standard_slack(instance_of(input));
    if (single) return best_single_grid(in, allowed).cartons;
    const double a = in.box[0], b = in.box[1], c = in.box[2];
    const std::int64_t dff = packing_bound(input_of(in), allowed);
    if (allowed == orientation_set::upright()) {
        const std::int64_t layers = fitting(in.space[2], c);
        return std::min(saturated_product(layers, pattern_bound(in.space[0], in.space[1], a, b)),
                        dff);
    }
    double volume = 1.0;
    for (double side : in.space) volume *= reduced_side(side, a, b, c);
    return std::min(bound_count(volume / (a * b * c)), dff);
}

container_space optimised_room(const calculation_input& input) {
    return {with_standard_slack(instance_of(input)).space, std::nullopt};
}

optimised_plan optimise_plan(const optimise_request& r) {
    VARNEL_EXPECTS(plannable(r.input, r.allowed));
    work_meter meter(r.work_budget, r.cancel, r.seconds_cap);
    return search(r, meter).run();
}

std::int16_t load_optimised_plan(load_model& m, const calculation_input& input,
                                 orientation_set allowed, const optimised_plan& plan) {
    VARNEL_EXPECTS(plannable(input, allowed));
    run_calculation(m, input, true, side_placement_allowed(allowed));
    if (!blocks_to_tables(m, plan.blocks)) return 0;
    return stack_count(m.stacks);
}

}  // namespace varnel
