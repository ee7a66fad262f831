#pragma once

// The mixed-load planner with the single-size optimiser for containers of
// one carton type: walls and guillotine cuts of one size beat blocks there.

#include "engine/mixed/mixed_load.h"

namespace varnel {

// Loads as much of the list as fits into one container, then the rest into
// the next, until every carton is loaded, `max_containers` are used, a
// container takes nothing, or the request's budget or clock runs out (the
// plan is then cut short). A container of one carton type gets the
// single-size optimiser's plan when that loads more. A container whose
// cartons left would give the next one the same load (each type it loads
// has still more than a container holds after it) is planned once and
// repeated.
mixed_plan plan_mixed_load(const mixed_request& request);

}  // namespace varnel
