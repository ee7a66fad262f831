#pragma once

#include <atomic>
#include <cstdint>

#include "engine/block.h"
#include "engine/calculation.h"
#include "engine/load_model.h"

namespace varnel {

// Ends the search for the hardest inputs (cartons near the smallest size)
// well within a second; most inputs need a small fraction of it.
inline constexpr std::uint64_t default_work_budget = 40'000'000;

struct optimise_request {
    calculation_input input;  // from read_calculation_input
    bool single = false;      // 单一摆放: one orientation for every carton
    bool upright = false;     // 不可侧放: orientations 1 and 3 only
    std::uint64_t work_budget = default_work_budget;
    // Polled between steps; set from another thread to stop early.
    const std::atomic<bool>* cancel = nullptr;
    // A safety net only: the budget, not the clock, should end the search.
    double seconds_cap = 1.5;
};

struct optimised_plan {
    block_list blocks;  // at most 31, the first in the corner (0, 0, 0)
    std::int64_t cartons = 0;
    std::int64_t standard_cartons = 0;  // what the standard calculation loads
    std::int64_t upper_bound = 0;       // no plan can load more
    std::uint64_t work = 0;             // counted units spent
    bool cancelled = false;             // the result is not to be shown
    bool budget_spent = false;
    bool clock_cap_hit = false;

    bool proven_optimal() const { return cartons >= upper_bound; }
    // The clock's safety net stopped the search: another machine, or this
    // one less busy, may find a better plan.
    bool cut_short() const { return clock_cap_hit; }
};

// Plans as many cartons as the search finds room for, never fewer than the
// standard calculation, and an upper bound on what any plan can load.
optimised_plan optimise_plan(const optimise_request& request);

// Loads the model as run_calculation does and fills both stack tables from
// the plan's blocks. Returns the stack count (0 when nothing fits).
std::int16_t load_optimised_plan(load_model& model, const calculation_input& input,
                                 bool side_placement_allowed, const optimised_plan& plan);

// Joins blocks of one orientation that touch face to face and share the
// face's size, until none do.
void merge_blocks(block_list& blocks, float length, float width, float height);

// The bound alone: the least of the reduced-side volume (for upright
// cartons the layers times the floor's area, bar-waste and line bounds) and
// the dual-feasible-function bound (engine/packing_bound); the best grid
// when one orientation is asked for.
std::int64_t upper_bound(const calculation_input& input, bool single, bool upright);

}  // namespace varnel
