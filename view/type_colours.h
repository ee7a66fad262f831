#pragma once

#include <cstddef>

#include "view/canvas.h"

namespace varnel {

// The colour of carton type `index` in every picture of a plan with several
// types, on screen and in print: dark enough to read as a thin line on white
// (at least 3:1 against it), with neighbouring types apart in hue and, for
// print in black and white, in grey too. Any index has its colour; a type
// keeps it across containers.
rgb type_colour(std::size_t index);

// The colour moved towards white by `share` (0 itself, 1 white): the fill
// behind a type's lines.
rgb lighter(rgb colour, double share);

// The colour's relative luminance, 0 black to 1 white, as a grey print shows it.
double luminance(rgb colour);

}  // namespace varnel
