#pragma once

// How good a block is in a space: its volume less the space it leaves there
// that no row of cartons fills (Araya & Riff 2014, "A beam search approach
// to the container loading problem", C&OR 43:100-107, the loss V_loss),
// which the greedy fill and the beam search's successors rank by.

#include <algorithm>
#include <cstddef>
#include <limits>

#include "engine/mixed/packing.h"

namespace varnel::mixed {

// The score of block `b` in a free box `room` of volume `room_volume`, with
// `p`'s cartons left: along each axis, the block and the longest row of
// cartons left that fits beside it; above it, for a weighed list, only over
// its carrying top and, heavy not on light, as far as `above`, what the
// volume left that may stand on its lightest carton fills of it (see
// mixed_parameters::lighter_scale), and no higher than `carried`, the height
// of the cartons left its top may take pressing on it. Inline: the
// candidate scan calls it for every block it ranks.
inline double block_score(const packing& p, const block& b, const extent& room, double room_volume,
                          double above = 1.0,
                          double carried = std::numeric_limits<double>::infinity()) {
    const packing_context& context = p.context();
    const fill_lengths& fills = *context.fills;
    double kept = 1.0;
    for (std::size_t a = 0; a < 3; ++a) {
        const length r = room[a] - b.size[a];
        // Beside the block, a gap only the smallest cartons left fit into is
        // as good as lost: there are seldom enough of them to fill it.
        const bool thin =
            a < 2 && r > 0 &&
            static_cast<double>(r) < context.thin_gap * static_cast<double>(p.smallest()[a]);
        double beside = thin ? 0.0 : static_cast<double>(fills.fill(a, r));
        // For a weighed list, the room above a block counts only over its
        // carrying top: over cartons nothing may stand on it is lost.
        if (a == 2 && context.goods->limits.weighed)
            beside = std::min(beside, carried) * static_cast<double>(b.top[0] * b.top[1]) /
                     static_cast<double>(b.size[0] * b.size[1]) * above;
        kept *= static_cast<double>(b.size[a]) + beside;
    }
    return static_cast<double>(b.volume) - context.loss_weight * (room_volume - kept);
}

}  // namespace varnel::mixed
