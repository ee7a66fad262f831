#pragma once

#include <cstdint>

#include "engine/load_model.h"
#include "engine/orientation_search.h"

namespace varnel {

struct plan_outcome {
    std::int16_t stack_count = 0;              // records 0..n-1 of both tables
    search_status status = search_status::ok;  // not ok: planning stopped there
};

// Plans up to seven stacks in four stages: the whole container (0), in front
// of stack 0 (1), beside it (2) and above it (3). Expects both tables cleared
// and best_orientation set to 1; with `single_placement` it stops after
// stage 0.
plan_outcome plan_stacks(load_model& model, bool single_placement);

}  // namespace varnel
