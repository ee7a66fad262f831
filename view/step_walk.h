#pragma once

#include <cstdint>
#include <optional>

namespace varnel {

// What one view of a walk through n steps shows: step k alone, or the first
// k steps together (k from 1 to n).
struct step_shown {
    bool alone = true;
    int k = 1;

    bool operator==(const step_shown&) const = default;
};

// The walk the draw button makes through a plan of n steps: each step
// alone, then the load growing one step at a time, then over again (2n
// views). Forward is a press of the button; back and a jump let a long plan
// be looked through without pressing round the whole cycle. Every window
// that steps through a load shares it; each draws what it is told.
class step_walk {
public:
    // The view after the one shown last (at the start, step 1 alone). None
    // when the walk stands past the plan (no steps, or fewer than when it
    // last moved, without a reset): it then goes on as if step 1 had been
    // shown, and the caller shows step 1 without naming it.
    std::optional<step_shown> forward(int n);
    // The view before the one shown last; n >= 1. Before any press the
    // window shows the whole load, the last view, so back shows the first
    // n - 1 steps.
    step_shown back(int n);
    // The first k steps together (k clamped to 1..n), and forward goes on
    // from there; n >= 1.
    step_shown first(int n, int k);

    // A new plan: the next press starts again at step 1.
    void reset() { next_ = 0; }
    // The position of the next forward view, 0..2n-1.
    int next() const { return next_; }

private:
    step_shown show(int n, int position);

    std::int16_t next_ = 0;
};

}  // namespace varnel
