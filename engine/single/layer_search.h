#pragma once

#include <cstdint>

#include "engine/core/work_meter.h"
#include "engine/single/rect_patterns.h"

namespace varnel {

// Which bound is the layer's: the area, bar-waste and line bounds of the
// raster (pattern_bound), the same on the instances of its equivalence class
// (layer_bound), or the linear relaxation (layer_lp_bound).
enum class layer_bound_kind : std::uint8_t { plain, equivalence, relaxation };

// What the layer search found: the pattern, the bound it searched towards
// and which bound that is, and whether it ran to its end (it stops early at
// the bound, or when the meter stops, or when the space has too many raster
// points to search).
struct layer_result {
    pattern2d pattern;
    std::int64_t bound = 0;
    layer_bound_kind bound_by = layer_bound_kind::plain;
    bool complete = false;
};

// The most p x q rectangles (either way round) in a U x V rectangle (mm)
// among the classic families of the pallet loading problem: guillotine cuts
// and first-order non-guillotine cuts (five blocks round a centre) nested to
// any depth (Morabito & Morales 1998, "A simple and effective recursive
// procedure for the manufacturer's pallet loading problem"; Birgin, Lobato &
// Morabito 2010, "An effective recursive partitioning approach for the
// packing of identical rectangles in a rectangle"), then L-shaped pieces cut
// into two L's or an L and a rectangle (Lins, Lins & Morabito 2003, "An
// L-approach for packing (l, w)-rectangles into rectangular and L-shaped
// pieces"). Each family runs only while its result is short of the bound
// (pattern_bound) and the meter lasts, so the pattern always fits. Lengths
// are whole steps of the coarsest grid the carton's sides lie on: the
// cartons rounded up, the space down.
layer_result best_layer(double U, double V, double p, double q, work_meter& meter);

// Roughly the units the layer search takes on this space for the guillotine
// values of every rectangle of raster points and one level of five-block
// cuts of the whole: far less than that is seldom enough to finish, which
// the deeper levels and L-shaped pieces may still need. Infinity when the
// raster is too large to search at all.
double layer_search_work(double U, double V, double p, double q);

}  // namespace varnel
