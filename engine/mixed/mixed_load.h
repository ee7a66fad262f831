#pragma once

// The mixed-load planner: a packing list of several carton types loaded into
// as many containers of one size as it takes. Pure C++20, no Qt; the same
// request gives the same plan on every machine (a counted budget, not the
// clock, ends the search). The optimiser of one carton size joins it in
// engine/single/mixed_one_type.h.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/core/placement.h"
#include "engine/core/work_meter.h"
#include "engine/mixed/request.h"

namespace varnel {

// Another planner's load of a container of one carton type.
struct one_type_load {
    block_list blocks;  // empty when it has none for the type's rules
    // Why it stopped, when the request's cancel flag or clock stopped it:
    // the request then stops too.
    stop_reason stop = stop_reason::none;
};

// Another planner's load of at most `cartons` cartons of list type `type`,
// its work drawn from `meter` (the container's share of the request's, in
// its units) and ending when that refuses.
using one_type_planner = std::function<one_type_load(const mixed_request& request, std::size_t type,
                                                     std::int64_t cartons, work_meter& meter)>;

// The fewest containers any plan of the whole list takes, a lower bound:
// its volume's and its weight's over the container's, and for a weighed list
// with heavy not on light what the cartons that stand only on the floor with
// nothing on them take besides: a type nothing may stand on heavier than
// every type that carries cartons stands on the floor and leaves the room
// over it empty, each carton at least its footprint on its tallest allowed
// side. Cartons that fit in no way are not counted.
std::int64_t fewest_containers(const mixed_request& request);

// Loads as much of the list as fits into one container, then the rest into
// the next, until every carton is loaded, `max_containers` are used, or a
// container takes nothing, asking `one_type` for containers of one type.
mixed_plan plan_mixed_load_with(const mixed_request& request, const one_type_planner& one_type);

}  // namespace varnel
