#include "engine/single/mixed_one_type.h"
#include "engine/single/optimise.h"
#include "engine/single/partial_load.h"

namespace varnel {

namespace {

// The optimiser's plan of the type's cartons, at most `cartons`; none when
// the type stands in ways the optimiser does not plan, carries nothing or
// weighs against a payload.
block_list optimised_blocks(const mixed_request& request, std::size_t type, std::int64_t cartons) {
    const carton_type& t = request.cartons[type];
    const bool upright = t.allowed == orientation_set::upright();
    if ((!upright && t.allowed != orientation_set::any()) || !t.stackable ||
        (request.payload && t.weight))
        return {};
    calculation_input in;
    in.carton_length = static_cast<float>(t.size[0]);
    in.carton_width = static_cast<float>(t.size[1]);
    in.carton_height = static_cast<float>(t.size[2]);
    in.container_width = static_cast<float>(request.container[0]);
    in.container_length = static_cast<float>(request.container[1]);
    in.container_height = static_cast<float>(request.container[2]);
    optimise_request r{in, false, upright};
    r.cancel = request.cancel;
    const optimised_plan plan = optimise_plan(r);
    if (plan.cancelled()) return {};
    return partial_load(plan.blocks, {in.carton_length, in.carton_width, in.carton_height},
                        cartons);
}

}  // namespace

mixed_plan plan_mixed_load(const mixed_request& request) {
    return plan_mixed_load_with(request, optimised_blocks);
}

}  // namespace varnel
