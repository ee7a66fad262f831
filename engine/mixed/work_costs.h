#pragma once

// What each kind of the mixed planner's work costs in its meter's units.
// Every figure was measured, so that a unit lasts about as long whatever the
// list and a budget buys every list about the same time: the search's on
// the benchmark classes' lists of 3 to 100 carton types (bench/mixed_report),
// each kind's units chosen so that its share of the time matched its share
// of the units on lists of few types and of many; combining blocks so that
// its unit lasts as long as the search's; the tables on lists of up to a
// thousand types. A figure changed here changes where a budget ends, and so
// the plans: measure before and after.

#include <cstddef>
#include <cstdint>

#include "engine/mixed/free_space.h"

namespace varnel::mixed::work_cost {

// Making a container's blocks: each pair of blocks looked at (one already
// looked at in an earlier round costs a comparison) and each pair found
// that fills its box well (sorting it and making it a block).
inline constexpr std::uint64_t pair_looked_at = 8;
inline constexpr std::uint64_t old_pair_looked_at = 1;
inline constexpr std::uint64_t pair_found = 40;

// The search's tables beyond the pairs counted while combining: per block
// and per carton type (its poses sorted along each axis, its families of
// blocks limited).
inline constexpr std::uint64_t table_per_block = 160;
inline constexpr std::uint64_t table_per_type = 1000;

constexpr std::uint64_t tables(std::uint64_t blocks, std::uint64_t types) {
    return blocks * table_per_block + types * table_per_type;
}

// Choosing the next space: each space looked at.
inline constexpr std::uint64_t space_looked_at = 1;

// The candidate scan of a space: the call, 3 units for every 4 blocks whose
// sizes it compared (a run at a time, without a branch) and each block it
// scored; the blocks it skipped as larger than the room cost nothing.
inline constexpr std::uint64_t scan_call = 3;
inline constexpr std::uint64_t sizes_compared_per_four = 3;
inline constexpr std::uint64_t block_scored = 12;

constexpr std::uint64_t scan(std::uint64_t compared, std::uint64_t scored) {
    return scan_call + sizes_compared_per_four * compared / 4 + block_scored * scored;
}

// With the weight limits on: each simple block placed looked at under a
// space or a simple block placed.
inline constexpr std::uint64_t held_looked_at = 1;

// Placing a block: each simple block of it, then its base cut out of the
// free space, each surface of every height passed over and of its height
// cut, and each pair of the parts made, compared to keep the maximal ones.
inline constexpr std::uint64_t simple_block_placed = 16;

constexpr std::uint64_t base_cut(const surface_work& w) {
    return w.surfaces + w.at_height + w.made * w.made;
}

// A carrying top joined to those at its height: each surface passed over
// and, when others lie there, the grid of their edges (twice as many lines
// as parts each way, every pair of columns walking every row); it costs
// about half what that count says.
constexpr std::uint64_t top_joined(const surface_work& w) {
    const std::uint64_t lines = w.at_height == 0 ? 0 : 2 * (w.at_height + 1);
    return (w.surfaces + lines * lines * lines / 2) / 2;
}

// Taking a block's cartons from those left: each type it needs, and each
// two blocks that thereby need more cartons than are left.
constexpr std::uint64_t cartons_taken(std::uint64_t newly_gone) { return 1 + newly_gone / 2; }

// Sweeping the blocks that need more cartons than are left out of the list
// the scan reads: each two blocks of the list.
constexpr std::uint64_t list_swept(std::uint64_t listed) { return listed / 2; }

// Copying a packing: the copy, each 16 blocks of its list and each block
// placed.
constexpr std::uint64_t packing_copied(std::uint64_t listed, std::uint64_t placed) {
    return 16 + listed / 16 + placed;
}

}  // namespace varnel::mixed::work_cost
