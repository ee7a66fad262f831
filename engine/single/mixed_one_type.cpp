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
    if ((t.allowed != orientation_set::upright() && t.allowed != orientation_set::any()) ||
        !t.stackable || (request.payload && t.weight))
        return {};
    const calculation_input in = calculation_input_of(t.size, request.container);
    optimise_request r{in, false, t.allowed};
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
