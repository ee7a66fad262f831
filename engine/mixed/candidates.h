#pragma once

// The candidate scan: in a free space, the blocks of the cartons left that
// fit it and stay within the payload, ranked by their score
// (engine/mixed/evaluation.h), the best few kept.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/mixed/packing.h"

namespace varnel::mixed {

class candidate_scan {
public:
    // The `k` best blocks for `s` in `p`, best first, into `out`; its work
    // added to `work`.
    void best_blocks(const packing& p, const space& s, std::size_t k, std::vector<std::size_t>& out,
                     std::uint64_t& work);

private:
    // The scores of `out`, kept to save allocating them on every call.
    std::vector<double> scores_;
    // The simple blocks under the space, and what those under a block's base
    // allow with the weight limits on; room for a block's simple blocks and
    // for those under them while its reach is followed.
    std::vector<held> held_;
    surface_limits under_;
    std::vector<leaf> leaves_;
    std::vector<held> reached_;
    // Heavy not on light: per weight of the types left, lightest first, the
    // volume left of cartons as light or lighter.
    std::vector<std::pair<double, double>> lighter_;
};

}  // namespace varnel::mixed
