#pragma once

#include "engine/calculation.h"
#include "engine/load_model.h"

namespace varnel::test_support {

// The worked example the tests of every layer share: a container 590 x 235
// x 239 cm inside, cartons 60 x 85 x 40 cm. The standard calculation loads
// 130 cartons in 5 stacks, 80.03% of the container.

// As typed, in centimetres: the container's length, width and height, then
// the carton's.
inline constexpr const char* worked_example_cm[6] = {"590", "235", "239", "60", "85", "40"};

// As the calculation reads it, in millimetres.
inline constexpr calculation_input worked_example_mm{600, 850, 400, 2350, 5900, 2390};

// A model holding these sizes, nothing planned.
inline load_model model_of(const calculation_input& sizes) {
    load_model m;
    set_sizes(m, sizes);
    return m;
}

}  // namespace varnel::test_support
