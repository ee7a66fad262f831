#include "view/step_view.h"

#include "engine/numbers.h"
#include "view/messages.h"
#include "view/stack_drawing.h"

namespace varnel {

namespace {

std::string stack_text(const char* prefix, int number) {
    return std::string(prefix) + format_number(static_cast<float>(number)) +
           text::stacks_of_cartons;
}

}  // namespace

draw_status step_through::step_view(const stack_table& draw_stacks) {
    // Counted afresh at every press: a new calculation or an opened plan may
    // have changed the table since the last one.
    const int n = stack_count(draw_stacks);
    const int step = view_step_;

    if (step <= n - 1) {
        area_.clear_drawing();
        const draw_status s = draw_stack(area_, draw_stacks, step);
        text_.set_stack_text(stack_text(text::showing_stack, step + 1));
        view_step_ = static_cast<std::int16_t>(step + 1);
        return s;
    }
    if (step <= 2 * n - 1) {
        area_.clear_drawing();
        const int m = step - n + 1;
        const draw_status s = draw_first_stacks(area_, draw_stacks, static_cast<std::int16_t>(m));
        text_.set_stack_text(stack_text(text::showing_first, m));
        view_step_ = static_cast<std::int16_t>(step + 1 > 2 * n - 1 ? 0 : step + 1);
        return s;
    }
    // Only reached when no stack is in use: the cleared area shows the empty
    // container, and record 0 of a cleared table (zero counts) adds nothing.
    view_step_ = 0;
    area_.clear_drawing();
    const draw_status s = draw_stack(area_, draw_stacks, 0);
    view_step_ = 1;
    return s;
}

}  // namespace varnel
