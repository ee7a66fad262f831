#pragma once

// What a mixed plan loads, container by container: the figures the planner
// prints, the window shows and the loading report lists. Pure C++20.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/core/block.h"
#include "engine/mixed/request.h"

namespace varnel {

struct container_summary {
    std::int64_t cartons = 0;
    std::vector<std::int64_t> per_type;  // cartons of each type, in list order
    std::size_t types = 0;               // how many types it holds
    double utilisation = 0.0;            // per cent of the container's volume, not cut
    // kg; none unless every type loaded here has a weight.
    std::optional<double> weight;
    // x across, y along from the far end, z up, in millimetres: the centre of
    // the cartons' weights when `weight` is known, else of their volumes
    // (as if every carton were equally dense); 0 for an empty container.
    std::array<double, 3> centre_of_gravity{};
    std::int64_t repeat = 1;  // containers in a row that load exactly this
};

struct mixed_summary {
    std::vector<container_summary> containers;  // each run of identical ones once
    std::int64_t container_count = 0;           // every container, each repeat counted
    std::int64_t cartons = 0;                   // loaded in all containers
    std::vector<std::int64_t> loaded;           // per type, in all containers
    std::vector<std::int64_t> unloaded;         // per type: the quantity less what is loaded
    std::int64_t unloaded_cartons = 0;
    std::optional<double> weight;  // kg; none unless every container's is known
};

// One container holding `blocks` (positions in millimetres, types indexing
// `cartons`; blocks of an unknown type or without cartons are passed over).
// `container` is its inner size along x, y and z.
container_summary summarise_container(const block_list& blocks,
                                      std::span<const carton_type> cartons,
                                      const std::array<double, 3>& container);

// Every container of `plan`, the totals and what is left over.
mixed_summary summarise_mixed(const mixed_plan& plan, std::span<const carton_type> cartons,
                              const std::array<double, 3>& container);

}  // namespace varnel
