#pragma once

// How much of a length carton sides can fill: along each axis, the largest
// sum of the sides that may lie along it, up to any length of the container.
// The greedy fill's block score charges a block with the space it leaves
// that no row of cartons can fill (Araya & Riff 2014, "A beam search approach
// to the container loading problem", C&OR 43:100-107, the loss V_loss).

#include <array>
#include <cstddef>
#include <vector>

#include "engine/mixed/cargo.h"

namespace varnel::mixed {

class fill_lengths {
public:
    // A table longer than `most_steps` counts in coarser steps, the sides
    // rounded up to them.
    fill_lengths(const cargo& c, length most_steps);

    // The largest sum of sides along `axis` that is at most `l`.
    length fill(std::size_t axis, length l) const;

private:
    struct table {
        length step = 1;
        std::vector<length> best;  // best[i]: the fill of i steps, in grid steps
    };
    static table build(std::vector<length> sides, length limit, length most_steps);

    std::array<table, 3> axes_;
};

}  // namespace varnel::mixed
