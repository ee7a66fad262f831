#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/load_model.h"
#include "view/canvas.h"
#include "view/mixed_drawing.h"
#include "view/projection.h"
#include "view/step_walk.h"

namespace varnel {

// Where the step-through writes which stacks it shows (the main window's
// stack text).
class stack_text_target {
public:
    virtual ~stack_text_target() = default;
    virtual void set_stack_text(const std::string& text) = 0;
};

// The stack text of a view: "显示第3堆包装箱", "显示前3堆包装箱".
std::string step_text(step_shown view);

// The draw button's walk through the plan: each stack alone, then the plan
// growing one stack at a time, then over again; 2n presses for n stacks.
class step_through {
public:
    step_through(canvas& area, stack_text_target& text) : area_(area), text_(text) {}

    // One press. The stack text and the position move on even when a
    // hand-edited record could not be drawn in full, so the walk never sticks
    // on one stack; the status tells the caller what happened.
    draw_status step_view(const stack_table& draw_stacks);

    // The view before the last one, and a jump to the first k stacks
    // together (k clamped to the plan); the next press goes on from there.
    // Neither does anything while no stack is in use.
    draw_status step_back(const stack_table& draw_stacks);
    draw_status show_first(const stack_table& draw_stacks, int k);

    // The same walk through a plan's loading steps instead of its stacks:
    // `parts` holds one block a step, in loading order, drawn by type.
    draw_status step_view(const typed_load& parts);
    draw_status step_back(const typed_load& parts);
    draw_status show_first(const typed_load& parts, int k);

    // A calculation, New plan and Open end the walk; the next press starts
    // at stack 1.
    void reset() {
        walk_.reset();
        shown_.reset();
    }

    // What the last press, step back or jump showed; none since the reset.
    std::optional<step_shown> shown() const { return shown_; }

private:
    draw_status draw(const stack_table& draw_stacks, step_shown view);
    draw_status draw(const typed_load& parts, step_shown view);

    canvas& area_;
    stack_text_target& text_;
    step_walk walk_;
    std::optional<step_shown> shown_;
};

}  // namespace varnel
