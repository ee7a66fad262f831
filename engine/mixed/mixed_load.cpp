#include "engine/mixed/mixed_load.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "engine/core/expects.h"
#include "engine/mixed/blocks.h"
#include "engine/mixed/cargo.h"
#include "engine/mixed/fill_lengths.h"
#include "engine/mixed/packing.h"
#include "engine/mixed/search.h"

namespace varnel {

namespace {

using namespace mixed;

// Block generation may take at most this share of a container's budget;
// the search needs the rest.
constexpr std::uint64_t block_share_divisor = 4;

// What making a container's blocks and its search's tables costs beyond the
// block pairs counted while combining, per block and per type (its poses
// sorted along each axis, its families of blocks limited), in the meter's
// units: measured, as the search's work is, on lists of up to a thousand
// types.
constexpr std::uint64_t work_per_block = 160;
constexpr std::uint64_t work_per_type = 1000;

// Whether any carton left stands in the container in some allowed way.
bool any_cargo(const cargo& c) {
    return std::any_of(c.types.begin(), c.types.end(),
                       [](const cargo_type& t) { return t.quantity > 0 && !t.poses.empty(); });
}

// The plan's blocks of a packing, in millimetres and in loading order.
container_load load_of(const packing& p, const block_set& blocks, const cargo& c,
                       const std::vector<carton_rules>& rules) {
    std::vector<leaf> leaves;
    for (const placement& at : p.placed()) leaves_of(blocks, at, leaves);
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

// One container's load of what is left, and the work it took at the least
// (its blocks and first fill, charged whatever the budget). It draws an
// even share of the budget with the `plannings` containers expected to be
// planned, after what `after` more containers need at the least, `least`
// each, is set aside: a share its blocks' combining and its search divide.
container_load load_container(const mixed_request& request, const cargo& c,
                              const std::vector<carton_rules>& rules, work_meter& meter,
                              std::uint64_t plannings, std::uint64_t after, std::uint64_t& least) {
    const mixed_parameters& p = request.parameters;
    const std::uint64_t reserve =
        saturated_product(saturated_product(least, p.reserve_per_container), after);
    work_meter share =
        meter.child(meter.left() > reserve ? (meter.left() - reserve) / plannings : 0);
    work_meter for_blocks = share.child(share.left() / block_share_divisor);
    const block_set blocks(c, p, for_blocks);
    const std::uint64_t made = blocks.size() * work_per_block + c.types.size() * work_per_type;
    // The blocks' tables and the first fill are what any container needs:
    // they are charged whole to the request, and when that spends the
    // budget the load still stands.
    meter.spend(made);
    const fill_lengths fills(c);
    const packing_context context = context_for(c, blocks, fills, p);
    std::uint64_t first = 0;
    packing best = first_fill(context, p, first);
    meter.spend(first);
    least = made + first;
    best = widen_search(context, p, share, std::move(best));
    return load_of(best, blocks, c, rules);
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

// The other planner's load of the one type left, when it holds more and
// keeps every rule.
void try_one_type(const mixed_request& request, const cargo& c,
                  const std::vector<carton_rules>& rules, const one_type_planner& one_type,
                  container_load& load) {
    const std::optional<std::size_t> t = only_type(c);
    if (!t || !one_type) return;
    block_list blocks = one_type(request, *t, c.types[*t].quantity);
    std::int64_t cartons = 0;
    for (carton_block& b : blocks) {
        b.type = *t;
        cartons += carton_count(b);
    }
    std::vector<carton_rules> limited = rules;
    limited[*t].quantity = c.types[*t].quantity;
    if (cartons <= load.loaded[*t] ||
        !check_placement(blocks, limited, {request.container, request.payload}).valid())
        return;
    load.blocks.clear();
    for (const std::size_t i : loading_order(blocks, rules)) load.blocks.push_back(blocks[i]);
    load.loaded.assign(c.types.size(), 0);
    load.loaded[*t] = cartons;
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

// How many containers the plan may still take.
std::uint64_t containers_allowed(const mixed_request& request, std::int64_t planned) {
    if (!request.max_containers) return std::numeric_limits<std::uint64_t>::max();
    const auto most = static_cast<std::uint64_t>(*request.max_containers);
    const auto done = static_cast<std::uint64_t>(planned);
    return most > done ? most - done : 0;
}

}  // namespace

mixed_plan plan_mixed_load_with(const mixed_request& request, const one_type_planner& one_type) {
    VARNEL_EXPECTS(well_formed(request));
    mixed_plan plan;
    std::vector<std::int64_t> left;
    for (const carton_type& t : request.cartons)
        left.push_back(std::max<std::int64_t>(0, t.quantity));
    const std::vector<carton_rules> rules = rules_of(request.cartons);
    work_meter meter(request.parameters.work_budget, request.cancel, request.seconds_cap);
    const std::vector<std::int64_t> holds = container_holds(cargo_of(request, left));
    const mixed_parameters& p = request.parameters;
    // What a container needs at the least, before one is planned: the most
    // blocks' tables.
    std::uint64_t least = p.max_blocks * work_per_block;
    std::int64_t planned = 0;
    bool stopped = false;  // by the budget or the clock, with cartons left
    while (const std::uint64_t allowed = containers_allowed(request, planned)) {
        std::vector<std::int64_t> seen(left.size());
        for (std::size_t t = 0; t < left.size(); ++t) seen[t] = std::min(left[t], holds[t]);
        const cargo c = cargo_of(request, seen);
        if (!any_cargo(c) || meter.cancelled()) break;
        if (meter.stopped()) {
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
        container_load load = load_container(request, c, rules, meter, plannings, after, least);
        try_one_type(request, c, rules, one_type, load);
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
    plan.stop = meter.reason();
    plan.cut_short = stopped || plan.stop == stop_reason::clock;
    return plan;
}

}  // namespace varnel
