#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "engine/calculation.h"
#include "engine/core/orientation.h"

namespace varnel {

// Dual-feasible functions on whole sizes 0 <= x <= capacity, valued in
// [0, 1]: sizes that fit side by side in `capacity` have values that sum to
// at most 1. Any packing stays a packing when every side along an axis is
// replaced by such a function's value, so the cartons' transformed volumes
// sum to at most 1.

// u^(k): a size in (c/(k+1), c/k] counts as c/k.
double dff_rounding(std::int64_t k, std::int64_t x, std::int64_t capacity);
// U^(eps) and f_0: sizes above capacity - lambda count whole, below lambda
// nothing.
double dff_threshold(std::int64_t lambda, std::int64_t x, std::int64_t capacity);
// f_1: multiples of lambda, with sizes above half the capacity rounded up to
// the multiples that leave room beside them.
double dff_steps(std::int64_t lambda, std::int64_t x, std::int64_t capacity);

// Weights for distinct sizes (ascending, none above `capacity`) that one
// dual-feasible function or another gives them: the plain ratio first, then
// for two sizes every corner of the weights that fitting counts allow, for
// three the corners of each pair with the third raised as far as it goes,
// and the functions above.
std::vector<std::vector<double>> size_weights(std::int64_t capacity,
                                              const std::vector<std::int64_t>& sizes);

inline constexpr std::int64_t no_bound = std::numeric_limits<std::int64_t>::max();

// The most of sum x_o subject to sum_o rows[t][o] x_o <= 1 for every row t
// and x >= 0, where the entries are >= 0; the value comes from a dual
// solution, so rounding in the pivots can loosen it but never cut below the
// optimum. Infinity when a column has no positive entry.
double packing_lp(const std::vector<std::vector<double>>& rows, std::size_t columns);

// An upper bound from dual-feasible functions along each axis on cartons in
// the orientations `allowed` (for upright cartons the layer count times the
// floor's bound), `no_bound` when a size is not a whole number of hundredths
// of a millimetre or a side is kilometres long.
std::int64_t packing_bound(const calculation_input& input, orientation_set allowed);

}  // namespace varnel
