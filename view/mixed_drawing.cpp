#include "view/mixed_drawing.h"

#include "engine/block_tables.h"
#include "engine/core/orientation.h"
#include "view/colours.h"
#include "view/projection.h"
#include "view/stack_drawing.h"
#include "view/type_colours.h"

namespace varnel {

namespace {

// Hands every line on in one colour: the stack drawing's face colours say how
// a carton lies, but in a load of several types the colour says which type.
class inked_canvas final : public canvas {
public:
    inked_canvas(canvas& target, rgb ink) : target_(target), ink_(ink) {}
    void draw_line(float x1, float y1, float x2, float y2, rgb) override {
        target_.draw_line(x1, y1, x2, y2, ink_);
    }
    void clear_drawing() override { target_.clear_drawing(); }

private:
    canvas& target_;
    rgb ink_;
};

}  // namespace

stack_record drawn_block(carton_block b, std::array<double, 3> carton,
                         const std::array<double, 3>& container, double min_cell) {
    const std::array<double, 3> drawn{view_extent_x, view_extent_y, view_extent_z};
    const auto& axes = axes_of(b.orientation);
    std::int16_t* counts[3] = {&b.count_x, &b.count_y, &b.count_z};
    for (std::size_t k = 0; k < 3; ++k) {
        if (container[k] <= 0 || *counts[k] <= 1) continue;
        if (carton[axes[k]] * drawn[k] / container[k] < min_cell) {
            carton[axes[k]] *= *counts[k];
            *counts[k] = 1;
        }
    }
    const box_size size{static_cast<float>(carton[0]), static_cast<float>(carton[1]),
                        static_cast<float>(carton[2])};
    return records_of(b, size, static_cast<float>(container[0]), static_cast<float>(container[1]),
                      static_cast<float>(container[2]))
        .drawn;
}

draw_status draw_typed_blocks(canvas& target, const typed_load& load,
                              std::span<const std::size_t> shown) {
    // Below a pixel apart the lines of a row would only fill it in.
    constexpr double one_pixel = 15.0;
    for (const std::size_t i : shown) {
        if (i >= load.blocks.size()) continue;
        const carton_block& b = load.blocks[i];
        if (b.type >= load.sizes.size()) continue;
        inked_canvas inked(target, type_colour(b.type));
        const stack_record r = drawn_block(b, load.sizes[b.type], load.container, one_pixel);
        for (auto face : {draw_stack_side, draw_stack_front, draw_stack_top}) {
            if (const draw_status s = face(inked, r); s != draw_status::ok) return s;
        }
    }
    return draw_status::ok;
}

step_shown typed_steps::draw(canvas& target, const typed_load& load,
                             std::span<const std::size_t> order, step_shown view) {
    // A walk longer than its 16-bit position can count goes round early.
    if (view.k < 1 || view.k > static_cast<int>(order.size())) view = {true, 1};
    shown_ = view;
    target.clear_drawing();
    const auto k = static_cast<std::size_t>(view.k);
    draw_typed_blocks(target, load, view.alone ? order.subspan(k - 1, 1) : order.first(k));
    draw_typed_outline(target);
    return view;
}

draw_status draw_typed_outline(canvas& target) {
    inked_canvas inked(target, typed_outline_colour);
    return draw_standard_outline(inked);
}

std::optional<step_shown> typed_steps::forward(canvas& target, const typed_load& load,
                                               std::span<const std::size_t> order) {
    const int n = static_cast<int>(order.size());
    if (n == 0) return std::nullopt;
    const std::optional<step_shown> view = walk_.forward(n);
    return draw(target, load, order, view ? *view : step_shown{true, 1});
}

std::optional<step_shown> typed_steps::back(canvas& target, const typed_load& load,
                                            std::span<const std::size_t> order) {
    const int n = static_cast<int>(order.size());
    if (n == 0) return std::nullopt;
    return draw(target, load, order, walk_.back(n));
}

std::optional<step_shown> typed_steps::first(canvas& target, const typed_load& load,
                                             std::span<const std::size_t> order, int k) {
    const int n = static_cast<int>(order.size());
    if (n == 0) return std::nullopt;
    return draw(target, load, order, walk_.first(n, k));
}

}  // namespace varnel
