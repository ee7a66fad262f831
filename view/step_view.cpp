#include "view/step_view.h"

#include <numeric>
#include <vector>

#include "engine/numbers.h"
#include "view/messages.h"
#include "view/stack_drawing.h"

namespace varnel {

std::string step_text(step_shown view) {
    return std::string(view.alone ? text::showing_stack : text::showing_first) +
           format_number(static_cast<float>(view.k)) + text::stacks_of_cartons;
}

draw_status step_through::draw(const stack_table& draw_stacks, step_shown view) {
    shown_ = view;
    area_.clear_drawing();
    const draw_status s =
        view.alone ? draw_stack(area_, draw_stacks, view.k - 1)
                   : draw_first_stacks(area_, draw_stacks, static_cast<std::int16_t>(view.k));
    text_.set_stack_text(step_text(view));
    return s;
}

draw_status step_through::step_view(const stack_table& draw_stacks) {
    // Counted afresh at every press: a new calculation or an opened plan may
    // have changed the table since the last one.
    const int n = stack_count(draw_stacks);
    if (const std::optional<step_shown> view = walk_.forward(n)) return draw(draw_stacks, *view);
    // Only reached when no stack is in use: the cleared area shows the empty
    // container, and record 0 of a cleared table (zero counts) adds nothing.
    shown_ = n > 0 ? std::optional<step_shown>({true, 1}) : std::nullopt;
    area_.clear_drawing();
    return draw_stack(area_, draw_stacks, 0);
}

draw_status step_through::step_back(const stack_table& draw_stacks) {
    const int n = stack_count(draw_stacks);
    if (n == 0) return draw_status::ok;
    return draw(draw_stacks, walk_.back(n));
}

draw_status step_through::show_first(const stack_table& draw_stacks, int k) {
    const int n = stack_count(draw_stacks);
    if (n == 0) return draw_status::ok;
    return draw(draw_stacks, walk_.first(n, k));
}

draw_status step_through::draw(const typed_load& parts, step_shown view) {
    // A walk longer than its 16-bit position can count goes round early.
    if (view.k < 1 || view.k > static_cast<int>(parts.blocks.size())) view = {true, 1};
    shown_ = view;
    area_.clear_drawing();
    std::vector<std::size_t> shown(view.alone ? 1 : static_cast<std::size_t>(view.k));
    std::iota(shown.begin(), shown.end(), static_cast<std::size_t>(view.alone ? view.k - 1 : 0));
    const draw_status s = draw_typed_blocks(area_, parts, shown);
    draw_typed_outline(area_);
    text_.set_stack_text(step_text(view));
    return s;
}

draw_status step_through::step_view(const typed_load& parts) {
    const int n = static_cast<int>(parts.blocks.size());
    if (n == 0) return draw_status::ok;
    const std::optional<step_shown> view = walk_.forward(n);
    return draw(parts, view ? *view : step_shown{true, 1});
}

draw_status step_through::step_back(const typed_load& parts) {
    const int n = static_cast<int>(parts.blocks.size());
    if (n == 0) return draw_status::ok;
    return draw(parts, walk_.back(n));
}

draw_status step_through::show_first(const typed_load& parts, int k) {
    const int n = static_cast<int>(parts.blocks.size());
    if (n == 0) return draw_status::ok;
    return draw(parts, walk_.first(n, k));
}

}  // namespace varnel
