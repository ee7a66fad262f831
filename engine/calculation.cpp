#include "engine/calculation.h"

#include <algorithm>
#include <optional>

#include "engine/messages.h"
#include "engine/numbers.h"

namespace varnel {

namespace {

// A count on some axis could pass 32767 only when a container side is more
// than 32767 times the carton's smallest side; such a container is refused
// before anything is planned.
bool counts_fit(const calculation_input& in) {
    const double smallest_side = std::min({in.carton_length, in.carton_width, in.carton_height});
    const double longest = std::max({in.container_width, in.container_length, in.container_height});
    return longest / smallest_side <= max_count_quotient;
}

}  // namespace

std::variant<calculation_input, input_refusal> read_calculation_input(const size_texts& f) {
    calculation_input in;
    const struct {
        std::string_view text;
        float& target;
        const char* wrong;
        const char* too_small;
        input_field field;
    } cartons[] = {
        {f.carton_length, in.carton_length, text::carton_length_wrong,
         text::carton_length_too_small, input_field::carton_length},
        {f.carton_width, in.carton_width, text::carton_width_wrong, text::carton_width_too_small,
         input_field::carton_width},
        {f.carton_height, in.carton_height, text::carton_height_wrong,
         text::carton_height_too_small, input_field::carton_height},
    };
    for (const auto& c : cartons) {
        const std::optional<float> mm = read_size_cm(c.text);
        if (!mm) return input_refusal{c.wrong, c.field};
        c.target = *mm;
    }
    for (const auto& c : cartons) {
        if (c.target < min_carton_side) return input_refusal{c.too_small, c.field};
    }

    // All three container fields are read before the one common refusal.
    const std::optional<float> width = read_size_cm(f.container_width);
    const std::optional<float> length = read_size_cm(f.container_length);
    const std::optional<float> height = read_size_cm(f.container_height);
    if (!width || !length || !height)
        return input_refusal{text::internal_error, input_field::container};
    in.container_width = *width;
    in.container_length = *length;
    in.container_height = *height;

    if (!counts_fit(in)) return input_refusal{text::container_too_large, input_field::container};
    return in;
}

std::array<double, 3> container_axes(const calculation_input& in) {
    return {in.container_width, in.container_length, in.container_height};
}

calculation_input calculation_input_of(const std::array<double, 3>& carton,
                                       const std::array<double, 3>& container) {
    calculation_input in;
    in.carton_length = static_cast<float>(carton[0]);
    in.carton_width = static_cast<float>(carton[1]);
    in.carton_height = static_cast<float>(carton[2]);
    in.container_width = static_cast<float>(container[0]);
    in.container_length = static_cast<float>(container[1]);
    in.container_height = static_cast<float>(container[2]);
    return in;
}

void set_sizes(load_model& m, const calculation_input& in) {
    m.carton_length = in.carton_length;
    m.carton_width = in.carton_width;
    m.carton_height = in.carton_height;
    m.container_width = in.container_width;
    m.container_length = in.container_length;
    m.container_height = in.container_height;
}

plan_outcome run_calculation(load_model& m, const calculation_input& in, bool single_placement,
                             bool side_placement_allowed) {
    m.side_allowed = side_placement_allowed ? 1 : 0;
    set_sizes(m, in);
    m.view_origin_x = view_origin_x;
    m.view_origin_y = view_origin_y;

    m.best_orientation = 1;
    m.best_count_x = 0;
    m.best_count_y = 0;
    m.best_count_z = 0;
    m.orientation_fill.fill(0.0f);
    m.best_fill = 0.0f;
    clear_table(m.draw_stacks);
    clear_table(m.stacks);
    return plan_stacks(m, single_placement);
}

}  // namespace varnel
