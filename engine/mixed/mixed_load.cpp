#include "engine/mixed/mixed_load.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>
#include <numeric>
#include <optional>

#include "engine/core/expects.h"
#include "engine/core/load_summary.h"
#include "engine/core/loading_walls.h"
#include "engine/mixed/blocks.h"
#include "engine/mixed/cargo.h"
#include "engine/mixed/fill_lengths.h"
#include "engine/mixed/load_balance.h"
#include "engine/mixed/packing.h"
#include "engine/mixed/search.h"
#include "engine/mixed/work_costs.h"

namespace varnel {

namespace {

using namespace mixed;

// Whether any carton left stands in the container in some allowed way.
bool any_cargo(const cargo& c) {
    return std::any_of(c.types.begin(), c.types.end(),
                       [](const cargo_type& t) { return t.quantity > 0 && !t.poses.empty(); });
}

// The plan's blocks of a packing's first `placements`, in millimetres and
// in loading order.
container_load load_of(const packing& p, const block_set& blocks, const cargo& c,
                       const std::vector<carton_rules>& rules,
                       std::size_t placements = std::numeric_limits<std::size_t>::max()) {
    std::vector<leaf> leaves;
    for (std::size_t i = 0; i < std::min(placements, p.placed().size()); ++i)
        leaves_of(blocks, p.placed()[i], leaves);
    block_list placed;
    container_load load;
    load.loaded.assign(c.types.size(), 0);
    for (const leaf& l : leaves) {
        const block& b = blocks[l.block];
        placed.push_back({c.steps.mm(l.at[0]), c.steps.mm(l.at[1]), c.steps.mm(l.at[2]),
                          b.orientation, b.count[0], b.count[1], b.count[2], b.type});
        load.loaded[b.type] += std::int64_t{b.count[0]} * b.count[1] * b.count[2];
    }
    for (const std::size_t i : loading_order(placed, rules)) load.blocks.push_back(placed[i]);
    return load;
}

// a × b, or the largest count when that is more.
std::uint64_t saturated_product(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    return a != 0 && b > most / a ? most : a * b;
}

// The one type left, when only one is.
std::optional<std::size_t> only_type(const cargo& c) {
    std::optional<std::size_t> only;
    for (std::size_t t = 0; t < c.types.size(); ++t) {
        if (c.types[t].quantity == 0 || c.types[t].poses.empty()) continue;
        if (only) return std::nullopt;
        only = t;
    }
    return only;
}

// The planning of one request: its meter, and what each container tells
// those after it.
struct planning {
    const mixed_request& request;
    const one_type_planner& one_type;
    std::vector<carton_rules> rules;
    work_meter meter;
    // What a container needs at the least (its blocks' tables and first
    // fill), as the last planned took; before one is planned, the most
    // blocks' tables.
    std::uint64_t least = 0;
    // What stopped the other planner, when the request's cancel flag or
    // clock did: the request stops with it.
    stop_reason other_stop = stop_reason::none;

    // Why the planning stops before its next container, if it does.
    stop_reason stop() const { return meter.stopped() ? meter.reason() : other_stop; }

    container_load load_container(const cargo& c, std::uint64_t plannings, std::uint64_t after);
    container_load settled(container_load load) const;
    std::optional<container_load> one_type_load_of(const cargo& c, work_meter& share);
};

// The other planner's load of the one type left, when only one is and it
// keeps every rule; its work drawn from `share`.
std::optional<container_load> planning::one_type_load_of(const cargo& c, work_meter& share) {
    const std::optional<std::size_t> t = only_type(c);
    if (!t || !one_type) return std::nullopt;
    one_type_load alone = one_type(request, *t, c.types[*t].quantity, share);
    if (alone.stop == stop_reason::cancelled || alone.stop == stop_reason::clock)
        other_stop = alone.stop;
    container_load load;
    load.loaded.assign(c.types.size(), 0);
    for (carton_block& b : alone.blocks) {
        b.type = *t;
        load.loaded[*t] += carton_count(b);
    }
    std::vector<carton_rules> limited = rules;
    limited[*t].quantity = c.types[*t].quantity;
    if (alone.blocks.empty() ||
        !check_placement(alone.blocks, limited, {request.container, request.payload},
                         {request.weights.heavy_not_on_light, std::nullopt})
             .valid() ||
        !loading_walls(alone.blocks, rules).check.valid())
        return std::nullopt;
    for (const std::size_t i : loading_order(alone.blocks, rules))
        load.blocks.push_back(alone.blocks[i]);
    return load;
}

// One container's load of what is left. It draws an even share of the
// budget with the `plannings` containers expected to be planned, after
// what `after` more containers need at the least is set aside: a share its
// blocks' combining, the other planner (when one type is left) and its
// search divide, in that order. The other planner's load is taken when it
// holds more.
container_load planning::load_container(const cargo& c, std::uint64_t plannings,
                                        std::uint64_t after) {
    const mixed_parameters& p = request.parameters;
    const std::uint64_t reserve =
        saturated_product(saturated_product(least, p.reserve_per_container), after);
    work_meter share =
        meter.child(meter.left() > reserve ? (meter.left() - reserve) / plannings : 0);
    work_meter for_blocks = share.child(share.left() / p.block_share_divisor);
    const block_set blocks(c, p, for_blocks);
    const std::uint64_t made = work_cost::tables(blocks.size(), c.types.size());
    // The blocks' tables and the first fill are what any container needs:
    // they draw on the request's meter, from what the containers before set
    // aside, rather than on the share, and the first fill is the load's
    // floor whatever the budget.
    meter.spend(made);
    const fill_lengths fills(c, p.most_fill_steps);
    const packing_context context = context_for(c, blocks, fills, p);
    const std::uint64_t before = meter.used();
    packing best = first_fill(context, p, meter);
    least = made + (meter.used() - before);
    const std::optional<container_load> alone = one_type_load_of(c, share);
    best = widen_search(context, p, share, std::move(best));
    // The search keeps every row within reach of what it stands on, which
    // leaves a crew an order to follow; should the order still break a rule,
    // the load is cut back to the placements a crew can follow.
    container_load load = load_of(best, blocks, c, rules);
    for (std::size_t n = best.placed().size();
         n > 0 && !loading_walls(load.blocks, rules).check.valid();)
        load = load_of(best, blocks, c, rules, --n);
    const auto cartons = [](const container_load& l) {
        return std::accumulate(l.loaded.begin(), l.loaded.end(), std::int64_t{0});
    };
    return settled(alone && cartons(*alone) > cartons(load) ? *alone : load);
}

// A list with weights: the load's walls closed up and balanced as far as
// they can be, when that keeps every rule.
container_load planning::settled(container_load load) const {
    if (!weighed(request.cartons)) return load;
    const container_space room{request.container, request.payload};
    block_list moved = settled_load(load.blocks, rules, room, request.weights.balance_share);
    const weight_rules kept{request.weights.heavy_not_on_light, std::nullopt};
    // Walls turned end for end may put a row out of the crew's reach.
    if (!check_placement(moved, rules, room, kept).valid() ||
        !loading_walls(moved, rules).check.valid())
        return load;
    load.blocks.clear();
    for (const std::size_t i : loading_order(moved, rules)) load.blocks.push_back(moved[i]);
    return load;
}

// How many containers the cartons left would fill at best.
std::uint64_t containers_wanted(const std::vector<std::int64_t>& left, const cargo& c) {
    const auto room = static_cast<double>(c.container[0] * c.container[1] * c.container[2]);
    if (!(room > 0.0)) return 1;
    // In double: a billion cartons of a type may hold more than 64 bits do,
    // and an estimate needs no more.
    double volume = 0.0;
    for (std::size_t t = 0; t < left.size(); ++t) {
        if (!c.types[t].poses.empty())
            volume += static_cast<double>(left[t]) * static_cast<double>(c.types[t].volume);
    }
    return static_cast<std::uint64_t>(std::clamp(std::ceil(volume / room), 1.0, 1e15));
}

// The most cartons of each type one container holds: its volume over the
// carton's. A type with more left than that is planned as if it had just
// that many, so that containers whose every type keeps more than that
// are planned alike.
std::vector<std::int64_t> container_holds(const cargo& c) {
    const std::int64_t room = c.container[0] * c.container[1] * c.container[2];
    std::vector<std::int64_t> most;
    for (const cargo_type& t : c.types) most.push_back(t.volume > 0 ? room / t.volume : 0);
    return most;
}

// How many containers in a row, from the one planned, load `load` when each
// sees what is left capped at what a container holds: as long as every type
// it loads keeps more than `holds` before the container.
std::int64_t repeats_of(const container_load& load, const std::vector<std::int64_t>& left,
                        const std::vector<std::int64_t>& holds) {
    std::int64_t n = std::numeric_limits<std::int64_t>::max();
    for (std::size_t t = 0; t < left.size(); ++t) {
        if (load.loaded[t] == 0) continue;
        if (left[t] < holds[t]) return 1;
        n = std::min(n, (left[t] - holds[t]) / load.loaded[t] + 1);
    }
    return n == std::numeric_limits<std::int64_t>::max() ? 1 : n;
}

// `c` as the search values it when `more` containers follow and the types
// `favoured` marks were put off: each of those counts for `favour` times its
// volume, and one that nothing may stand on for the column over its
// footprint at the least (standing on its tallest side, so that a flatter
// pose counts for no more): on the floor, where such cartons are left to
// stand, they use up that room whatever stands beside them, and counted by
// their volume alone a floor of them never wins against stacks of cartons.
// The others count for their volume over `favour` rather than these for more,
// so that no load counts for more than the container holds.
cargo favoured_cargo(const cargo& c, const std::vector<bool>& favoured, double favour, bool more) {
    cargo out = c;
    if (!more) return out;
    for (std::size_t t = 0; t < favoured.size(); ++t) {
        cargo_type& type = out.types[t];
        const auto volume = static_cast<double>(type.volume);
        const auto worth = [](double v) {
            return std::max<std::int64_t>(1, static_cast<std::int64_t>(std::round(v)));
        };
        if (!favoured[t]) {
            type.volume = worth(volume / favour);
        } else if (!type.stackable && !type.poses.empty()) {
            length tallest = 0;
            for (const pose& q : type.poses) tallest = std::max(tallest, q.size[2]);
            const double column =
                volume / static_cast<double>(tallest) * static_cast<double>(out.container[2]);
            type.volume = std::max(type.volume, worth(column / favour));
        }
    }
    return out;
}

// The types of a weighed order that the plan put off to its poor containers
// (filled less than `poor`): at least a third of their cartons are in them.
// None unless two containers at least are poor: the last alone is often
// part full whatever the plan.
std::vector<bool> put_off(const mixed_request& request, const mixed_plan& plan, double poor) {
    std::vector<bool> out(request.cartons.size(), false);
    std::vector<std::int64_t> tail(request.cartons.size(), 0), all(request.cartons.size(), 0);
    std::int64_t poor_containers = 0;
    const std::vector<carton_rules> rules = rules_of(request.cartons);
    for (const container_load& load : plan.containers) {
        const bool low =
            summarise_container(load.blocks, rules, request.container).utilisation < 100 * poor;
        poor_containers += low ? load.repeat : 0;
        for (std::size_t t = 0; t < tail.size(); ++t) {
            all[t] += load.loaded[t] * load.repeat;
            if (low) tail[t] += load.loaded[t] * load.repeat;
        }
    }
    if (poor_containers < 2) return out;
    for (std::size_t t = 0; t < out.size(); ++t) out[t] = tail[t] > 0 && 3 * tail[t] >= all[t];
    return out;
}

// Whether plan `a` loads more cartons than `b`, or as many into fewer
// containers.
bool fewer_containers(const mixed_plan& a, const mixed_plan& b) {
    const auto left = [](const mixed_plan& p) {
        return std::accumulate(p.unloaded.begin(), p.unloaded.end(), std::int64_t{0});
    };
    if (left(a) != left(b)) return left(a) < left(b);
    return container_count(a) < container_count(b);
}

// The containers of `plan` whose cargo's centre lies outside the band, each
// repeat counted; none when no band is asked.
std::int64_t unbalanced_containers(const mixed_request& request, const mixed_plan& plan) {
    if (!request.weights.balance_share) return 0;
    const std::vector<carton_rules> rules = rules_of(request.cartons);
    const container_space room{request.container, request.payload};
    std::int64_t out = 0;
    for (const container_load& load : plan.containers) {
        const std::optional<balance_figures> f =
            balance_of(load.blocks, rules, room, *request.weights.balance_share);
        if (f && !f->holds) out += load.repeat;
    }
    return out;
}

// How many containers the plan may still take.
std::uint64_t containers_allowed(const mixed_request& request, std::int64_t planned) {
    if (!request.max_containers) return std::numeric_limits<std::uint64_t>::max();
    const auto most = static_cast<std::uint64_t>(*request.max_containers);
    const auto done = static_cast<std::uint64_t>(planned);
    return most > done ? most - done : 0;
}

// The order's containers one after another, each loading the most of what
// is left it can; while more follow, the types `favoured` marks favoured by
// `favour` as favoured_cargo values them.
mixed_plan plan_order(const mixed_request& request, const one_type_planner& one_type,
                      const std::vector<bool>& favoured, double favour) {
    mixed_plan plan;
    std::vector<std::int64_t> left;
    for (const carton_type& t : request.cartons)
        left.push_back(std::max<std::int64_t>(0, t.quantity));
    const mixed_parameters& p = request.parameters;
    planning run{request, one_type, rules_of(request.cartons),
                 work_meter(p.work_budget, request.cancel, request.seconds_cap),
                 work_cost::tables(p.max_blocks, 0)};
    const std::vector<std::int64_t> holds = container_holds(cargo_of(request, left));
    std::int64_t planned = 0;
    bool stopped = false;  // by the budget or the clock, with cartons left
    while (const std::uint64_t allowed = containers_allowed(request, planned)) {
        std::vector<std::int64_t> seen(left.size());
        for (std::size_t t = 0; t < left.size(); ++t) seen[t] = std::min(left[t], holds[t]);
        const cargo c = cargo_of(request, seen);
        if (!any_cargo(c) || run.stop() == stop_reason::cancelled) break;
        if (run.stop() != stop_reason::none) {
            stopped = true;
            break;
        }
        const std::uint64_t wanted = std::min(containers_wanted(left, c), allowed);
        // Containers planned once and repeated: a few for each type left.
        std::uint64_t types = 0;
        for (const cargo_type& t : c.types) types += t.quantity > 0 && !t.poses.empty();
        const std::uint64_t plannings = std::min(wanted, 2 * types + 1);
        // Each container leaves what those after it need at the least: as many
        // as the volume left fills, but for runs twice the plannings
        // expected, and at least a few, as cartons nothing may stand on fill
        // containers the volume does not tell.
        const std::uint64_t after = std::min(
            allowed - 1,
            std::max<std::uint64_t>(std::min(wanted, 2 * plannings), p.containers_reserved));
        container_load load = run.load_container(
            favoured_cargo(c, favoured, favour, wanted > 1 && allowed > 1), plannings, after);
        if (load.blocks.empty()) break;
        load.repeat = std::min<std::int64_t>(
            repeats_of(load, left, holds), static_cast<std::int64_t>(std::min<std::uint64_t>(
                                               allowed, std::numeric_limits<std::int64_t>::max())));
        for (std::size_t t = 0; t < left.size(); ++t) left[t] -= load.loaded[t] * load.repeat;
        planned += load.repeat;
        // A container planned anew as the run before it is one more of them.
        if (!plan.containers.empty() && plan.containers.back().blocks == load.blocks) {
            plan.containers.back().repeat += load.repeat;
        } else {
            plan.containers.push_back(std::move(load));
        }
    }
    plan.unloaded = left;
    plan.stop = run.stop();
    plan.cut_short = stopped || plan.stop == stop_reason::clock;
    return plan;
}

}  // namespace

std::int64_t fewest_containers(const mixed_request& request) {
    const auto& c = request.container;
    const double room = c[0] * c[1] * c[2];
    const bool heavy = request.weights.heavy_not_on_light && weighed(request.cartons);
    double heaviest_carrier = 0.0;
    for (const carton_type& t : request.cartons) {
        if (t.stackable && t.quantity > 0)
            heaviest_carrier = std::max(heaviest_carrier, t.weight.value_or(0.0));
    }
    double volume = 0.0, weight = 0.0, lost = 0.0;
    for (const carton_type& t : request.cartons) {
        double tallest = 0.0;
        for (std::int16_t o = 1; o <= 6; ++o) {
            const auto e = rotated(t.size, o);
            if (t.allowed.allows(o) && e[0] <= c[0] && e[1] <= c[1] && e[2] <= c[2])
                tallest = std::max(tallest, e[2]);
        }
        if (!(tallest > 0.0) || t.quantity <= 0) continue;
        const auto n = static_cast<double>(t.quantity);
        const double one = t.size[0] * t.size[1] * t.size[2];
        volume += n * one;
        weight += n * t.weight.value_or(0.0);
        if (heavy && !t.stackable && t.weight.value_or(0.0) > heaviest_carrier)
            lost += n * one / tallest * (c[2] - tallest);
    }
    // Rounded up, less a hair, so that a cargo that fills a whole number of
    // containers exactly in floating point does not count one more.
    const auto at_least = [](double x) {
        return static_cast<std::int64_t>(std::clamp(std::ceil(x * (1 - 1e-12)), 0.0, 1e15));
    };
    // Their floor needs no bound of its own: the room they take holds it.
    std::int64_t fewest = at_least((volume + lost) / room);
    if (request.payload && *request.payload > 0.0)
        fewest = std::max(fewest, at_least(weight / *request.payload));
    return fewest;
}

mixed_plan plan_mixed_load_with(const mixed_request& request, const one_type_planner& one_type) {
    VARNEL_EXPECTS(well_formed(request));
    const mixed_parameters& p = request.parameters;
    const std::clock_t started = std::clock();
    mixed_plan plan = plan_order(request, one_type, {}, 1.0);
    // A weighed order planned container by container, each judged by the
    // volume it loads, puts off the cartons that are hard to load (those
    // nothing may stand on, those only the heaviest may carry) to its last
    // containers, which then hold little more than a floor of them: which
    // cartons those are depends on what else is on the list, so the plan
    // itself tells. When it takes more containers than the cargo needs at the
    // least and two of them are poor, the order is planned again, on a part of
    // the budget, with the types it put off favoured while containers follow,
    // so that they go in while there is floor and a carrying top for them;
    // the plan of fewer containers is kept. Unweighted lists, and orders
    // planned well at once, plan as they always have; the last container and
    // a list of one container are judged by volume either way.
    if (!weighed(request.cartons) || plan.stop != stop_reason::none || plan.cut_short ||
        !(p.favour_put_off > 1.0) || container_count(plan) <= fewest_containers(request))
        return plan;
    const std::vector<bool> favoured = put_off(request, plan, p.poor_container);
    if (std::none_of(favoured.begin(), favoured.end(), [](bool f) { return f; })) return plan;
    mixed_request again = request;
    again.parameters.work_budget = p.work_budget / std::max<std::uint64_t>(1, p.replan_divisor);
    // The clock's safety net counts both plannings.
    again.seconds_cap = std::max(
        0.0, request.seconds_cap - static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC);
    mixed_plan second = plan_order(again, one_type, favoured, p.favour_put_off);
    // A container out of balance may not be shipped: a plan of fewer
    // containers that puts more of them out of balance is no better.
    return fewer_containers(second, plan) && second.stop == stop_reason::none &&
                   !second.cut_short &&
                   unbalanced_containers(request, second) <= unbalanced_containers(request, plan)
               ? second
               : plan;
}

}  // namespace varnel
