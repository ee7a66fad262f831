#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "engine/calculation.h"
#include "engine/core/block.h"
#include "engine/core/orientation.h"
#include "engine/core/placement.h"
#include "engine/core/work_meter.h"
#include "engine/load_model.h"

namespace varnel {

// The request's counted budget: it alone decides where the search ends, so a
// plan is the same on every machine and at every load. The hardest inputs
// (cartons near the smallest size) spend it in about a second of processor
// time; most inputs finish the search on a small fraction of it.
inline constexpr std::uint64_t default_work_budget = 24'000'000;

struct optimise_request {
    calculation_input input;  // from read_calculation_input
    bool single = false;      // 单一摆放: one orientation for every carton
    // Any orientation, or upright only (不可侧放: orientations 1 and 3); the
    // optimiser plans no other set.
    orientation_set allowed = orientation_set::any();
    std::uint64_t work_budget = default_work_budget;
    // Polled between steps; set from another thread to stop early.
    const std::atomic<bool>* cancel = nullptr;
    // A far safety net only, in seconds of processor time: the budget ends
    // the search long before it.
    double seconds_cap = 10.0;
};

struct optimised_plan {
    // At most 29, the first in the corner (0, 0, 0): a part load of any count
    // of them fits the tables' 31 records.
    block_list blocks;
    std::int64_t cartons = 0;
    std::int64_t standard_cartons = 0;  // what the standard calculation loads
    // Every carton of the standard plan stands wholly on the floor or on
    // cartons; only then does the plan load at least as many.
    bool standard_supported = true;
    std::int64_t upper_bound = 0;  // no plan can load more
    std::uint64_t work = 0;        // counted units spent
    // Why the search ended: it finished, its budget ran out (the same on
    // every machine), it was cancelled (the result is not to be shown), or
    // the clock's safety net fired.
    stop_reason stop = stop_reason::none;

    bool proven_optimal() const { return cartons >= upper_bound; }
    bool cancelled() const { return stop == stop_reason::cancelled; }
    bool budget_spent() const { return stop == stop_reason::budget; }
    // The clock's safety net stopped the search: another machine, or this
    // one less busy, may find a better plan.
    bool cut_short() const { return stop == stop_reason::clock; }
};

// Plans as many cartons as the search finds room for, every one standing
// wholly on the floor or on cartons, never fewer than the standard
// calculation when its plan stands so too, and an upper bound on what any
// plan can load.
optimised_plan optimise_plan(const optimise_request& request);

// Loads the model as run_calculation does and fills both stack tables from
// the plan's blocks. Returns the stack count (0 when nothing fits).
std::int16_t load_optimised_plan(load_model& model, const calculation_input& input,
                                 orientation_set allowed, const optimised_plan& plan);

// Joins blocks of one type and orientation that touch face to face and share
// the face's size, until none do: sorted runs along each axis in turn, so
// the work grows as n log n per round. `carton` is the length, width and
// height; stops, leaving every carton in place, when the meter refuses.
void merge_blocks(block_list& blocks, const std::array<double, 3>& carton, work_meter& meter);

// The bound alone: the least of the reduced-side volume (for upright
// cartons the layers times the floor's area, bar-waste and line bounds) and
// the dual-feasible-function bound (engine/packing_bound); the best grid
// when one orientation is asked for. It counts a row as the standard
// calculation does, which lets a row exceed its space by a hair, so it
// bounds that plan too.
std::int64_t upper_bound(const calculation_input& input, bool single, orientation_set allowed);

// The room an optimised plan and its part loads take at most: the container,
// each side longer by what the standard calculation's count lets a row of
// cartons exceed it (its rows may come short of their cartons by 1e-5 of a
// carton), since a plan that matches the standard one stands in it too.
container_space optimised_room(const calculation_input& input);

}  // namespace varnel
