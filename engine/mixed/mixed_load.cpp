#include "engine/mixed/mixed_load.h"

#include <algorithm>
#include <numeric>

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

std::int64_t cargo_volume(const cargo& c) {
    std::int64_t v = 0;
    for (const cargo_type& t : c.types) {
        if (!t.poses.empty()) v += t.quantity * t.volume;
    }
    return v;
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

// One container's load of what is left, the search drawing on `meter`.
container_load load_container(const mixed_request& request, const cargo& c,
                              const std::vector<carton_rules>& rules, work_meter& meter) {
    const mixed_parameters& p = request.parameters;
    work_meter for_blocks = meter.child(meter.left() / block_share_divisor);
    const block_set blocks(c, p, for_blocks);
    const fill_lengths fills(c);
    const packing_context context = context_for(c, blocks, fills, p);
    const packing best = search_load(context, p, meter);
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
        cartons += std::int64_t{b.count_x} * b.count_y * b.count_z;
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
std::uint64_t containers_wanted(const cargo& c) {
    const std::int64_t room = c.container[0] * c.container[1] * c.container[2];
    if (room <= 0) return 1;
    return static_cast<std::uint64_t>(
        std::max<std::int64_t>(1, (cargo_volume(c) + room - 1) / room));
}

}  // namespace

mixed_plan plan_mixed_load_with(const mixed_request& request, const one_type_planner& one_type) {
    mixed_plan plan;
    std::vector<std::int64_t> left;
    for (const carton_type& t : request.cartons)
        left.push_back(std::max<std::int64_t>(0, t.quantity));
    const std::vector<carton_rules> rules = rules_of(request.cartons);
    work_meter meter(request.parameters.work_budget, request.cancel, request.seconds_cap);
    while (!request.max_containers || plan.containers.size() < *request.max_containers) {
        const cargo c = cargo_of(request, left);
        if (cargo_volume(c) == 0 || meter.cancelled()) break;
        std::uint64_t wanted = containers_wanted(c);
        if (request.max_containers) {
            wanted =
                std::min<std::uint64_t>(wanted, *request.max_containers - plan.containers.size());
        }
        work_meter share = meter.child(meter.left() / wanted);
        container_load load = load_container(request, c, rules, share);
        try_one_type(request, c, rules, one_type, load);
        if (load.blocks.empty()) break;
        for (std::size_t t = 0; t < left.size(); ++t) left[t] -= load.loaded[t];
        plan.containers.push_back(std::move(load));
    }
    plan.unloaded = left;
    plan.stop = meter.reason();
    return plan;
}

}  // namespace varnel
