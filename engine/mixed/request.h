#pragma once

// What a mixed load is asked and what it answers: the packing list, the
// container, the knobs of the search and the plan. The words every layer
// that reads or writes a mixed load speaks, without the planner itself.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/core/block.h"
#include "engine/core/orientation.h"
#include "engine/core/placement.h"
#include "engine/core/work_meter.h"

namespace varnel {

// One line of a packing list.
struct carton_type {
    std::string name;
    std::array<double, 3> size{};  // length, width, height in millimetres
    std::int64_t quantity = 0;
    std::optional<double> weight;  // kg per carton, when known
    orientation_set allowed = orientation_set::any();
    bool stackable = true;                     // may anything stand on it
    std::optional<double> max_load{};          // kg one carton may carry on its top
    std::optional<std::int64_t> max_layers{};  // cartons in one column at most, itself counted
    bool pallet = false;                       // a loaded pallet: see carton_rules::pallet
};

// Knobs of the search; the defaults are the program's.
struct mixed_parameters {
    // Counted units for the whole request: about three and a half seconds on
    // one core for a container of the benchmark's lists.
    std::uint64_t work_budget = 1'500'000'000;
    // Blocks (Fanslau & Bortfeldt 2010): a combined block is kept when its
    // cartons fill at least this share of its box; at most this many blocks,
    // simple ones first; rounds of combining combined blocks again;
    // combining may take at most this part of a container's share of the
    // budget (a quarter), the search needs the rest.
    double min_fill = 0.98;
    std::size_t max_blocks = 10'000;
    std::size_t combining_rounds = 3;
    std::uint64_t block_share_divisor = 4;
    // The search (Araya & Riff 2014): blocks tried in each node's space; the
    // first beam's width, widened on each run as far as the budget left
    // affords up to the widest beam, after which each run tries twice the
    // blocks.
    std::size_t successors = 24;
    std::size_t first_width = 1;
    std::size_t max_width = 256;
    // How much the space a block leaves unfillable counts against its volume;
    // a gap beside it narrower than this many of the narrowest cartons left
    // counts as unfillable; the lengths carton sides fill are tabled in at
    // most this many steps along each axis, coarser steps for a longer
    // container: the score needs them roughly, not to the last step.
    double loss_weight = 1.0;
    double thin_gap = 2.0;
    std::int64_t most_fill_steps = 1 << 15;
    // Heavy not on light: the room above a block counts as far as this many
    // times the share of the volume left as light as its lightest top carton
    // (at most wholly). Cartons stand on others about as often as on the
    // floor, so the lighter half of what is left may fill all the room over
    // the heavier half: at 1 a middling carton's room above counted half and
    // the search put too few of them low (2: BR8-15 +0.9 points).
    double lighter_scale = 2.0;
    // From this many carton types left on, the search runs lowest space
    // first as well as nearest corner first, each on half the budget: many
    // types gain more from the second order, few from the deeper search.
    std::size_t two_orders_from_types = 15;
    // Each container's search leaves this many times the work its blocks
    // and first greedy fill took for each container that may follow, and
    // for at least `containers_reserved` of them, so that the budget still
    // plans them when the volume's estimate of their number falls short.
    std::uint64_t reserve_per_container = 2;
    std::uint64_t containers_reserved = 8;
    // With the balance asked, a load whose centre lies outside the band
    // across or along counts as holding this share of its volume less: a
    // container out of balance may not be shipped, and a tenth buys a
    // balanced load of nearly every list.
    double balance_trade = 0.1;
    // A weighed order whose plan takes more containers than the cargo needs
    // at the least, two of them filled less than `poor_container`, is planned
    // again on the budget over `replan_divisor`, the types of which a third
    // went into those poor containers favoured while containers follow: they
    // count for `favour_put_off` times what the others do (1: never planned
    // again).
    double poor_container = 0.5;
    double favour_put_off = 2.0;
    std::uint64_t replan_divisor = 2;
};

struct mixed_request {
    // The container's inner size along the blocks' axes: x across (its
    // width), y along (its length, from the far end), z up; millimetres.
    std::array<double, 3> container{};
    std::optional<double> payload;  // kg, when known
    std::vector<carton_type> cartons;
    std::optional<std::size_t> max_containers;  // none: until every carton is loaded
    // Heavy not on light, and the balance band; they bite only where the
    // list gives weights.
    weight_rules weights{true, 0.05};
    mixed_parameters parameters{};
    const std::atomic<bool>* cancel = nullptr;  // polled; set to stop early
    double seconds_cap = 60.0;                  // a far safety net only
};

// One container's load: blocks of one type each (`type` indexes the list),
// in loading order (far end first, bottom up, nothing before what carries it).
// `repeat` containers in a row load exactly this.
struct container_load {
    block_list blocks;
    std::vector<std::int64_t> loaded;  // cartons per type, in each container
    std::int64_t repeat = 1;
};

struct mixed_plan {
    // The containers in order, each run of identical ones once.
    std::vector<container_load> containers;
    std::vector<std::int64_t> unloaded;  // cartons per type left over
    stop_reason stop = stop_reason::none;
    // The budget or the clock ended the planning before it was done: cartons
    // that would have gone into further containers are left over, or the
    // clock's safety net cut a container's search short.
    bool cut_short = false;
};

// What the planner expects of any request: a container and cartons with
// positive, finite sides, a beam at least one wide trying at least one
// block. A list read and checked as the program reads one always is.
bool well_formed(const mixed_request& request);

// Every container of the plan, each repeat counted.
std::int64_t container_count(const mixed_plan& plan);

// Whether any type of the list has a weight: then the weight rules apply.
bool weighed(std::span<const carton_type> cartons);

// The rules each type's cartons obey, for check_placement.
std::vector<carton_rules> rules_of(std::span<const carton_type> cartons);

}  // namespace varnel
