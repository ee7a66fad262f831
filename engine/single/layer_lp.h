#pragma once

#include <cstdint>
#include <optional>

#include "engine/core/work_meter.h"
#include "engine/single/layer_raster.h"

namespace varnel {

// An upper bound on the rectangles of a layer from the linear relaxation of
// its set-packing model (Letchford & Amaral 2001, "Analysis of upper bounds
// for the Pallet Loading Problem", where it is almost always the optimum):
// a variable for every place of a rectangle, either way round, its corner
// where some packing as good as any puts it (sums of the sides from the
// nearer end of each axis), and a row for every cell of the grid of those
// places' edges, which no two rectangles may share. The model is folded by
// the layer's two mirror images and solved whole by the simplex method; the
// bound is taken from its dual solution spread back over every place, so
// that rounding in the pivots can loosen it but never cut below the
// optimum. `known` when the bound proves a layer of `known` optimal; nullopt
// when the meter or the size of the model ends it first.
std::optional<std::int64_t> layer_lp_bound(layer_raster& raster, std::int64_t known);

}  // namespace varnel
