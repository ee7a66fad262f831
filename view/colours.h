#pragma once

#include "view/canvas.h"

namespace varnel {

// Each colour stands for one face of a carton, and marks the matching edges
// of the container: length × height, length × width, width × height.
inline constexpr rgb front_colour{255, 9, 14};
inline constexpr rgb top_colour{0, 166, 13};
inline constexpr rgb side_colour{0, 86, 188};

inline constexpr rgb background_colour{212, 208, 200};

}  // namespace varnel
