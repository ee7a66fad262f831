#pragma once

#include <cstdint>

namespace varnel {

// An upper bound on p x q rectangles (either way round) in a U x V
// rectangle (mm), at most pattern_bound's. Instances whose sides admit the
// same maximal rows of the two carton sides (the counts of each that fit
// along a side with no room for another) have the same best patterns
// (Dowsland 1984, "The three-dimensional pallet chart"): cartons grown while
// every such row still fits along its side leave the count as it is. So
// pattern_bound is also taken on the grown instances at the corners of that
// region, and at the points of its edges with the largest carton area
// (Dowsland's minimum area ratio), the least of them kept. Sides off the
// 0.01 mm grid are rounded as the layer search rounds them.
std::int64_t layer_bound(double U, double V, double p, double q);

}  // namespace varnel
