#pragma once

#include "plan/mixed_plan_format.h"

namespace varnel::test_support {

// A mixed plan proved by hand, for the tests of the summary, the plan file
// and the planner's output. The worked example's container (590 x 235 x
// 239 cm, no payload); A: 60 x 40 x 30 cm, 12 ordered, 12.5 kg, any side up;
// B: 80 x 60 x 180 cm, 2 ordered, weight unknown, only upright, not
// stackable. Container 1: six A (3 x 2 x 1) at the far end, the two B
// (2 x 1 x 1) just in front; container 2: four A (2 x 2 x 1). Two A are left.
inline mixed_plan_file mixed_example() {
    mixed_plan_file f;
    f.container = {{2350, 5900, 2390}, std::nullopt};
    carton_type a{"A", {600, 400, 300}, 12, 12.5, orientation_set::any(), true};
    carton_type b{"B", {800, 600, 1800}, 2, std::nullopt, orientation_set::upright(), false};
    f.cartons = {a, b};
    f.plan.containers = {
        {{{0, 0, 0, 1, 3, 2, 1, 0}, {0, 800, 0, 1, 2, 1, 1, 1}}, {6, 2}},
        {{{0, 0, 0, 1, 2, 2, 1, 0}}, {4, 0}},
    };
    f.plan.unloaded = {2, 0};
    return f;
}

}  // namespace varnel::test_support
