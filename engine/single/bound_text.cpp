#include "engine/single/bound_text.h"

#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/summary.h"

namespace varnel {

std::string bound_text(std::int64_t cartons, std::int64_t upper_bound) {
    if (cartons >= upper_bound) {
        return std::string(text::optimal_prefix) + std::to_string(upper_bound) +
               text::optimal_suffix;
    }
    const double share = static_cast<double>(cartons) / static_cast<double>(upper_bound) * 100.0;
    return std::string(text::bound_prefix) + std::to_string(upper_bound) + text::bound_middle +
           format_number(cut_percent(share)) + text::bound_suffix;
}

}  // namespace varnel
