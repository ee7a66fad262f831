#pragma once

#include <cstdint>
#include <optional>

#include "engine/core/work_meter.h"
#include "engine/single/layer_raster.h"

namespace varnel {

// An upper bound on the rectangles of a layer from the linear relaxation of
// its set-packing model (Letchford & Amaral 2001, "Analysis of upper bounds
// for the Pallet Loading Problem", where it is almost always the optimum):
// a variable for every place of a rectangle (its corner on raster points,
// either way round), a row for every cell of the raster grid, which no two
// rectangles may share. Places enter as their reduced costs ask (column
// generation, from those of `known` rectangles laid), and the bound is taken
// from a dual solution over every place, so that rounding in the pivots can
// loosen it but never cut below the optimum. It stops as soon as the bound
// proves `known` optimal. Nullopt when the meter or the size of the model
// ends it first.
std::optional<std::int64_t> layer_lp_bound(layer_raster& raster, std::int64_t known);

}  // namespace varnel
