#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnel {

// A block of identically oriented cartons of one type at a position in the
// container: count_x across, count_y along, count_z up, in orientation 1..6.
// Positions are millimetres from the floor corner where the first stack
// stands (the far end of the container, against its side X = 0): x across the
// width, y along the length towards the door, z up. The standard plan's
// stacks, the optimised plan, a partly loaded container and a mixed load all
// speak of their cartons this way; `type` indexes the packing list (0 in a
// plan of one carton size).
struct carton_block {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    std::int16_t orientation = 1;
    std::int16_t count_x = 0;
    std::int16_t count_y = 0;
    std::int16_t count_z = 0;
    std::size_t type = 0;

    bool operator==(const carton_block&) const = default;
};

using block_list = std::vector<carton_block>;

// The cartons a block holds, counted in 64 bits.
inline std::int64_t carton_count(const carton_block& b) {
    return std::int64_t{b.count_x} * b.count_y * b.count_z;
}

// Cartons in a block list, counted in 64 bits.
inline std::int64_t carton_count(const block_list& blocks) {
    std::int64_t n = 0;
    for (const carton_block& b : blocks) n += carton_count(b);
    return n;
}

// A block with a count of 0 (or below) on some axis holds nothing.
inline bool holds_nothing(const carton_block& b) {
    return b.count_x <= 0 || b.count_y <= 0 || b.count_z <= 0;
}

}  // namespace varnel
