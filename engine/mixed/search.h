#pragma once

// The search for one container's load: a beam search whose every node is
// judged by the greedy fill it leads to, run again with a wider beam while
// the budget lasts (Araya & Riff 2014, "A beam search approach to the
// container loading problem", C&OR 43:100-107; the growing effort after
// Fanslau & Bortfeldt 2010): first at width 1, then as wide as the budget
// left affords by what that run cost; for lists of many types once for each
// space order, the two taking turns.

#include <cstddef>
#include <cstdint>

#include "engine/core/work_meter.h"
#include "engine/mixed/packing.h"

namespace varnel::mixed {

// The fullest packing found; the greedy fill of the empty container at the
// least, whatever the budget: first_fill, then widen_search, both on
// `meter`.
packing search_load(const packing_context& context, const mixed_parameters& p, work_meter& meter);

// The greedy fill of the empty container in each space order the search
// runs, the fullest of them. It is the load's floor and is not cut short:
// its work is charged to `meter` whole, or, when that has not the units,
// refused, which stops the meter by its budget.
packing first_fill(const packing_context& context, const mixed_parameters& p, work_meter& meter);

// The search's runs from `best`, the first fill, while `meter` lasts; the
// fullest packing found.
packing widen_search(const packing_context& context, const mixed_parameters& p, work_meter& meter,
                     packing best);

// Fills `p` greedily: the next space, the best block for it, until no block
// fits anywhere or the meter stops. `unpaid` is work done on `p` the meter
// has not been charged yet.
void fill_greedily(packing& p, work_meter& meter, std::uint64_t unpaid = 0);

}  // namespace varnel::mixed
