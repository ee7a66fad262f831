#pragma once

// The mixed-load planner with the single-size optimiser for containers of
// one carton type: walls and guillotine cuts of one size beat blocks there.

#include <cstdint>

#include "engine/mixed/mixed_load.h"

namespace varnel {

// What a unit of the single-size optimiser's work costs in the mixed
// planner's units, so that the request's budget buys its time as it buys
// the search's: on one machine a unit of the optimiser took 16 ns over the
// first 40 of its seeded set of one carton size, one of the mixed planner
// 3 ns over the benchmark classes (bench/mixed_report).
inline constexpr std::uint64_t optimiser_unit_cost = 5;

// Loads as much of the list as fits into one container, then the rest into
// the next, until every carton is loaded, `max_containers` are used, a
// container takes nothing, or the request's budget or clock runs out (the
// plan is then cut short). A container of one carton type gets the
// single-size optimiser's plan when that loads more: the optimiser runs
// first, on its own budget at most, drawn from the container's share of the
// request's, and the search on what it leaves. A container whose cartons
// left would give the next one the same load (each type it loads has still
// more than a container holds after it) is planned once and repeated.
mixed_plan plan_mixed_load(const mixed_request& request);

}  // namespace varnel
