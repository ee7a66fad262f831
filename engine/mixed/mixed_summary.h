#pragma once

// What a mixed plan loads, container by container: the figures the planner
// prints, the window shows and the loading report lists, each container
// summarised once. Pure C++20.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/core/load_summary.h"
#include "engine/mixed/request.h"

namespace varnel {

struct mixed_summary {
    // Each run of identical containers once, as the plan lists them; one
    // container's figures (the plan's `repeat` says how many load it).
    std::vector<container_summary> containers;
    std::int64_t container_count = 0;    // every container, each repeat counted
    std::int64_t cartons = 0;            // loaded in all containers
    std::vector<std::int64_t> loaded;    // per type, in all containers
    std::vector<std::int64_t> unloaded;  // per type: the quantity less what is loaded
    std::int64_t unloaded_cartons = 0;
    std::optional<double> weight;  // kg; none unless every container's is known
};

// Every container of `plan`, the totals and what is left over.
// `container` is the inner size along x, y and z.
mixed_summary summarise_mixed(const mixed_plan& plan, std::span<const carton_type> cartons,
                              const std::array<double, 3>& container);

}  // namespace varnel
