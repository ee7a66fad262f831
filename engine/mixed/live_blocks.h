#pragma once

// The blocks a packing's cartons left still make. Counts only shrink, so a
// block that once needs more cartons of a type than are left (gone) stays
// gone: a placement marks those it makes gone, a bit each, through the
// blocks that use each type, those that need most first; the list the
// candidate scan reads drops them once they are many.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/mixed/blocks.h"

namespace varnel::mixed {

class live_blocks {
public:
    live_blocks(const cargo& c, const block_set& blocks);

    // Takes `b`'s cartons from those left and marks the blocks that now
    // need more than are left, its work added to `work`. True when a type
    // has none left now.
    bool take(const block_set& blocks, const block& b, std::uint64_t& work);

    // Whether block i needs more cartons of a type than are left.
    bool gone(std::uint32_t i) const {
        return (gone_bits_[i / 64] & (std::uint64_t{1} << (i % 64))) != 0;
    }
    // The blocks largest first, none gone before the last sweep.
    const std::vector<std::uint32_t>& list() const { return list_; }
    std::int64_t left(std::size_t type) const { return left_[type]; }

private:
    std::vector<std::int64_t> left_;        // cartons per type not yet placed
    std::vector<std::uint32_t> list_;       // see list()
    std::vector<std::uint64_t> gone_bits_;  // a bit per gone block
    std::size_t gone_in_list_ = 0;          // how many gone blocks the list holds
    std::vector<std::size_t> gone_users_;   // per type: how many of its users are gone
};

}  // namespace varnel::mixed
