#include "engine/single/mixed_one_type.h"

#include <algorithm>

#include "engine/single/optimise.h"
#include "engine/single/partial_load.h"

namespace varnel {

namespace {

// The optimiser's units `meter` affords, up to the optimiser's own budget.
std::uint64_t optimiser_units(const work_meter& meter) {
    return std::min(default_work_budget, meter.left() / optimiser_unit_cost);
}

// The optimiser's plan of the type's cartons, at most `cartons`, its work
// drawn from `meter`; none when the type stands in ways the optimiser does
// not plan, carries nothing or weighs against a payload, or when `meter`
// affords no work.
one_type_load optimised_load(const mixed_request& request, std::size_t type, std::int64_t cartons,
                             work_meter& meter) {
    const carton_type& t = request.cartons[type];
    if ((t.allowed != orientation_set::upright() && t.allowed != orientation_set::any()) ||
        !t.stackable || (request.payload && t.weight) || optimiser_units(meter) == 0)
        return {};
    const calculation_input in = calculation_input_of(t.size, request.container);
    const optimised_plan plan = optimise_plan(
        {in, false, t.allowed, optimiser_units(meter), request.cancel, request.seconds_cap});
    meter.spend(plan.work * optimiser_unit_cost);
    if (plan.cancelled()) return {{}, plan.stop};
    // Joining the part load's blocks draws on what is left.
    work_meter joining(optimiser_units(meter), request.cancel, request.seconds_cap);
    one_type_load load{
        partial_load(plan.blocks, {in.carton_length, in.carton_width, in.carton_height}, cartons,
                     joining),
        plan.stop == stop_reason::clock ? plan.stop : joining.reason()};
    meter.spend(joining.used() * optimiser_unit_cost);
    return load;
}

}  // namespace

mixed_plan plan_mixed_load(const mixed_request& request) {
    return plan_mixed_load_with(request, optimised_load);
}

}  // namespace varnel
