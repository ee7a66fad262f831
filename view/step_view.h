#pragma once

#include <cstdint>
#include <string>

#include "engine/load_model.h"
#include "view/canvas.h"
#include "view/projection.h"

namespace varnel {

// Where the step-through writes which stacks it shows (the main window's
// stack text).
class stack_text_target {
public:
    virtual ~stack_text_target() = default;
    virtual void set_stack_text(const std::string& text) = 0;
};

// The draw button's walk through the plan: each stack alone, then the plan
// growing one stack at a time, then over again; 2n presses for n stacks.
class step_through {
public:
    step_through(canvas& area, stack_text_target& text) : area_(area), text_(text) {}

    // One press. The stack text and the position move on even when a
    // hand-edited record could not be drawn in full, so the walk never sticks
    // on one stack; the status tells the caller what happened.
    draw_status step_view(const stack_table& draw_stacks);

    // A calculation, New plan and Open end the walk; the next press starts
    // at stack 1.
    void reset() { view_step_ = 0; }

private:
    canvas& area_;
    stack_text_target& text_;
    std::int16_t view_step_ = 0;
};

}  // namespace varnel
