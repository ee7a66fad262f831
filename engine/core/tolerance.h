#pragma once

// How near is near enough, in one place. Lengths are millimetres held in
// double, summed from sides typed in centimetres and kept as float; every
// comparison of the engine that forgives a difference names one of these.
// The mixed planner needs none inside: it counts on a grid of whole steps
// (engine/mixed/cargo.h) and forgives only the conversion onto it. The
// linear program of the dual-feasible bound keeps its pivot tolerances
// (engine/single/packing_bound.cpp): they are about its own arithmetic, not
// about lengths. The standard calculation's own rounding (a count taken from
// a quotient less 0.49999) is a fact of that calculation, kept where it is
// computed and where the optimiser matches it (engine/single/optimise.cpp).

namespace varnel {

// Two faces meet, and a carton reaches across a line, when they are closer
// than this: float sides summed in double drift by far less, and no real
// gap between cartons is this thin.
inline constexpr double contact_tolerance = 1e-3;

// A row of carton sides fits a space, and two sums of sides are one length,
// within this: the rounding of float sides summed in double, far below any
// difference two real lengths have.
inline constexpr double fit_tolerance = 1e-6;

// A side converted from centimetres lies on a grid line (1, 0.1 or 0.01 mm)
// when this close to it: the float arithmetic of the conversion moves it by
// far less, and no typed size lies nearer to a line without lying on it.
inline constexpr double grid_noise = 1e-4;

// A plan read back from its file stands where its blocks are inside the
// container and clear of each other within this: the file keeps each
// block's corner as a float projected through the view's angle, which
// turned back moves it by far less than this, and no real carton overlaps
// another by half a millimetre.
inline constexpr double file_slack = 0.5;

// Two stack records read as the same when every size and corner agrees to
// this share of itself (of 1 below 1): a plan file keeps them to seven
// significant digits, computed on another route (the standard planning, or
// a block's projection), so they agree to a thousandth, not to the bit.
inline constexpr float record_share = 1e-3f;

// A count taken from a real value meant to be whole (a bound's quotient, a
// count of a hull's corner) may come out this far below it: the rounding of
// a few products and quotients in double.
inline constexpr double count_rounding = 1e-9;

// The cargo's weight, summed carton by carton in double, may pass the
// payload by this share of it before it is too heavy: the rounding of that
// sum, far below the weight of any carton.
inline constexpr double weight_share = 1e-9;

}  // namespace varnel
