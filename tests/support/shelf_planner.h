#pragma once

#include <algorithm>
#include <cstddef>

#include "engine/mixed/mixed_load.h"

namespace varnel::test_support {

// A planner for the window's tests, so they need not wait for a real search:
// each carton upright (orientation 1) on the floor, one block a carton, in
// rows across the container from the far end, a millimetre apart each way so that
// each is a loading step of its own, at most `per_container` to a
// container. Every plan it gives keeps the rules of cartons whose height may
// stand vertical. Only the cancel flag and the list are read.
inline mixed_plan shelf_plan(const mixed_request& r, std::int64_t per_container) {
    mixed_plan plan;
    std::vector<std::int64_t> left;
    for (const carton_type& t : r.cartons) left.push_back(t.quantity);
    const auto& c = r.container;
    for (;;) {
        container_load load;
        load.loaded.assign(r.cartons.size(), 0);
        double x = 0, y = 0, row_depth = 0;
        std::int64_t count = 0;
        for (std::size_t t = 0; t < r.cartons.size() && count < per_container; ++t) {
            const auto& s = r.cartons[t].size;
            while (left[t] > 0 && count < per_container) {
                if (x + s[0] > c[0]) {
                    x = 0;
                    y += row_depth + 1;
                    row_depth = 0;
                }
                if (x + s[0] > c[0] || y + s[1] > c[1] || s[2] > c[2]) break;
                load.blocks.push_back({x, y, 0, 1, 1, 1, 1, t});
                x += s[0] + 1;
                row_depth = std::max(row_depth, s[1]);
                --left[t];
                ++load.loaded[t];
                ++count;
            }
        }
        if (count == 0) break;
        plan.containers.push_back(std::move(load));
        if (r.cancel && r.cancel->load()) {
            plan.stop = stop_reason::cancelled;
            break;
        }
    }
    plan.unloaded = left;
    return plan;
}

}  // namespace varnel::test_support
