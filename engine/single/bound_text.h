#pragma once

#include <cstdint>
#include <string>

namespace varnel {

// The line under the summary of an optimised plan: the plan is proven best
// when it reaches the upper bound, otherwise the share of the bound it
// reaches, cut to two decimals like the utilisation.
std::string bound_text(std::int64_t cartons, std::int64_t upper_bound);

}  // namespace varnel
