#include "view/step_walk.h"

#include <algorithm>

namespace varnel {

step_shown step_walk::show(int n, int position) {
    next_ = static_cast<std::int16_t>(position + 1 > 2 * n - 1 ? 0 : position + 1);
    if (position <= n - 1) return {true, position + 1};
    return {false, position - n + 1};
}

std::optional<step_shown> step_walk::forward(int n) {
    if (next_ > 2 * n - 1) {
        next_ = 1;
        return std::nullopt;
    }
    return show(n, next_);
}

step_shown step_walk::back(int n) {
    const int shown = next_ == 0 || next_ > 2 * n - 1 ? 2 * n - 1 : next_ - 1;
    return show(n, shown == 0 ? 2 * n - 1 : shown - 1);
}

step_shown step_walk::first(int n, int k) { return show(n, n - 1 + std::clamp(k, 1, n)); }

}  // namespace varnel
