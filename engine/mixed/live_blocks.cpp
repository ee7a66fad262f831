#include "engine/mixed/live_blocks.h"

#include <algorithm>

#include "engine/mixed/work_costs.h"

namespace varnel::mixed {

live_blocks::live_blocks(const cargo& c, const block_set& blocks) {
    for (const cargo_type& t : c.types) left_.push_back(t.quantity);
    list_.resize(blocks.size());
    for (std::size_t i = 0; i < list_.size(); ++i) list_[i] = static_cast<std::uint32_t>(i);
    gone_bits_.assign((list_.size() + 63) / 64, 0);
    gone_users_.assign(left_.size(), 0);
}

bool live_blocks::take(const block_set& blocks, const block& b, std::uint64_t& work) {
    bool emptied = false;
    for (const type_count& n : blocks.needs(b)) {
        left_[n.type] -= n.count;
        emptied = emptied || left_[n.type] == 0;
        // Users come those that need most first: the gone ones are a prefix,
        // and those new to it are marked once, so that the list's count of
        // gone blocks is exact and a sweep comes only when due.
        const auto users = blocks.users(n.type);
        const auto first_kept =
            std::partition_point(users.begin(), users.end(),
                                 [&](const block_set::user& u) { return u.count > left_[n.type]; });
        const auto now = static_cast<std::size_t>(first_kept - users.begin());
        for (std::size_t u = gone_users_[n.type]; u < now; ++u) {
            const std::uint32_t i = users[u].block;
            if (!gone(i)) gone_bits_[i / 64] |= std::uint64_t{1} << (i % 64), ++gone_in_list_;
        }
        work += work_cost::cartons_taken(now - gone_users_[n.type]);
        gone_users_[n.type] = now;
    }
    // Sweeping when half the list is gone keeps each sweep paid for by the
    // blocks it drops.
    if (2 * gone_in_list_ > list_.size()) {
        work += work_cost::list_swept(list_.size());
        std::erase_if(list_, [this](std::uint32_t i) { return gone(i); });
        gone_in_list_ = 0;
    }
    return emptied;
}

}  // namespace varnel::mixed
