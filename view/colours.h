#pragma once

#include "view/canvas.h"

namespace varnel {

// Each colour stands for one face of a carton, and marks the matching edges
// of the container: length × height, length × width, width × height.
inline constexpr rgb front_colour{255, 9, 14};
inline constexpr rgb top_colour{0, 166, 13};
inline constexpr rgb side_colour{0, 86, 188};

inline constexpr rgb background_colour{212, 208, 200};

// The container's edges in a load of several types, where colours name the
// types: one neutral dark grey, no type's colour.
inline constexpr rgb typed_outline_colour{64, 64, 64};

}  // namespace varnel
