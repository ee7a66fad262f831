#pragma once

#include <string>
#include <vector>

#include "engine/single/pallet_load.h"

namespace varnel {

// The plan of a pallet as the planner prints it and the window shows it:
// cartons, layers and cartons per layer with the limit that binds, how the
// layers lie, the stance, the bound, and the loaded pallet's size and gross
// weight (when the carton weight is known).
std::vector<std::string> pallet_lines(const pallet_plan& plan);

}  // namespace varnel
