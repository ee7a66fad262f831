#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

#include "engine/core/orientation.h"
#include "engine/load_model.h"
#include "engine/stack_planning.h"

namespace varnel {

// The six size fields as typed, in centimetres.
struct size_texts {
    std::string_view carton_length;
    std::string_view carton_width;
    std::string_view carton_height;
    std::string_view container_length;
    std::string_view container_width;
    std::string_view container_height;
};

// Sizes read from the fields, in millimetres.
struct calculation_input {
    float carton_length = 0.0f;
    float carton_width = 0.0f;
    float carton_height = 0.0f;
    float container_width = 0.0f;
    float container_length = 0.0f;
    float container_height = 0.0f;
};

// Which field a refusal is about; the window puts the focus there. The
// container fields share one refusal that moves no focus.
enum class input_field { carton_length, carton_width, carton_height, container };

struct input_refusal {
    const char* message;
    input_field field;
};

// The minimum carton side, in millimetres (15 cm; exactly 15 cm passes).
inline constexpr float min_carton_side = 150.0f;

// The longest container side may be at most this many times the carton's
// smallest side, so that every count fits in 16 bits.
inline constexpr double max_count_quotient = 32767.0;

// Reads and checks the fields in the calculation's order: the three carton
// fields, the 150 mm minimum, the three container fields, and last a
// container so large that a count would not fit in 16 bits.
std::variant<calculation_input, input_refusal> read_calculation_input(const size_texts& fields);

// The container of `input` along the blocks' axes: x across (its width), y
// along (its length), z up.
std::array<double, 3> container_axes(const calculation_input& input);

// The input of a carton of `carton` (length, width, height) in a container
// of `container` along the blocks' axes; millimetres.
calculation_input calculation_input_of(const std::array<double, 3>& carton,
                                       const std::array<double, 3>& container);

// Puts the carton's and the container's sizes into the model; nothing else.
void set_sizes(load_model& model, const calculation_input& input);

// The option 不可侧放 between the design's calculation, whose load model
// speaks of whether a carton may lie on its side (`side_allowed`), and the
// other planners, which speak of the orientations allowed: a carton that may
// not lie on its side stands upright.
inline orientation_set orientations_of(bool side_placement_allowed) {
    return side_placement_allowed ? orientation_set::any() : orientation_set::upright();
}
inline bool side_placement_allowed(orientation_set allowed) {
    return allowed != orientation_set::upright();
}

// Loads the model from checked input, clears both tables and plans. Returns
// the stack count; 0 when no carton fits.
plan_outcome run_calculation(load_model& model, const calculation_input& input,
                             bool single_placement, bool side_placement_allowed);

}  // namespace varnel
