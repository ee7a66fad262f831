#include "engine/mixed/packing.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace varnel::mixed {

namespace {

void expand(const block_set& blocks, std::size_t b, const extent& at, std::vector<leaf>& out) {
    const block& k = blocks[b];
    if (k.simple) {
        out.push_back({b, at});
        return;
    }
    expand(blocks, k.parts[0], at, out);
    extent second = at;
    second[k.axis] += blocks[k.parts[0]].size[k.axis];
    expand(blocks, k.parts[1], second, out);
}

// How near a space lies to be filled next: its distances from the walls
// along each axis, least first; lowest first, its height before them.
std::array<length, 4> nearness(const space& s, const extent& c, space_order order) {
    length a = std::min(s.area.x0, c[0] - s.area.x1);
    length b = std::min(s.area.y0, c[1] - s.area.y1);
    if (a > b) std::swap(a, b);
    const length z = s.z;
    if (order == space_order::lowest_first) return {z, a, b, 0};
    if (z < a) return {z, a, b, 0};
    if (z < b) return {a, z, b, 0};
    return {a, b, z, 0};
}

// Surfaces higher than the roof less the lowest carton carry nothing.
length highest_surface(const packing_context& context) {
    const length roof = context.goods->container[2];
    return context.extents[2].empty() ? roof : roof - context.extents[2].front().first;
}

}  // namespace

void leaves_of(const block_set& blocks, const placement& p, std::vector<leaf>& out) {
    const std::size_t first = out.size();
    expand(blocks, p.block, {0, 0, 0}, out);
    const extent& size = blocks[p.block].size;
    for (std::size_t i = first; i < out.size(); ++i) {
        leaf& l = out[i];
        const extent& e = blocks[l.block].size;
        if (p.mirror_x) l.at[0] = size[0] - l.at[0] - e[0];
        if (p.mirror_y) l.at[1] = size[1] - l.at[1] - e[1];
        for (std::size_t k = 0; k < 3; ++k) l.at[k] += p.at[k];
    }
}

packing::packing(const packing_context& context, space_order order)
    : context_(&context), order_(order), free_(context.goods->container, highest_surface(context)) {
    for (const cargo_type& t : context.goods->types) left_.push_back(t.quantity);
    live_.resize(context.blocks->size());
    for (std::size_t i = 0; i < live_.size(); ++i) live_[i] = static_cast<std::uint32_t>(i);
    gone_blocks_.assign((live_.size() + 63) / 64, 0);
    gone_users_.assign(left_.size(), 0);
    update_smallest();
}

void packing::take(const block& b) {
    const block_set& blocks = *context_->blocks;
    bool emptied = false;
    for (const type_count& n : blocks.needs(b)) {
        left_[n.type] -= n.count;
        emptied = emptied || left_[n.type] == 0;
        // Users come those that need most first: the gone ones are a prefix,
        // and those new to it are marked once, so that the live list's
        // count of gone blocks is exact and a sweep comes only when due.
        const auto users = blocks.users(n.type);
        const auto first_kept =
            std::partition_point(users.begin(), users.end(),
                                 [&](const block_set::user& u) { return u.count > left_[n.type]; });
        const auto now = static_cast<std::size_t>(first_kept - users.begin());
        for (std::size_t u = gone_users_[n.type]; u < now; ++u) {
            const std::uint32_t i = users[u].block;
            if (!gone(i)) gone_blocks_[i / 64] |= std::uint64_t{1} << (i % 64), ++gone_in_live_;
        }
        work_ += 1 + (now - gone_users_[n.type]) / 2;
        gone_users_[n.type] = now;
    }
    // Sweeping when half the list is gone keeps each sweep paid for by the
    // blocks it drops.
    if (2 * gone_in_live_ > live_.size()) {
        work_ += live_.size() / 2;
        std::erase_if(live_, [this](std::uint32_t i) { return gone(i); });
        gone_in_live_ = 0;
    }
    if (emptied) update_smallest();
}

void packing::update_smallest() {
    for (std::size_t k = 0; k < 3; ++k) {
        smallest_[k] = std::numeric_limits<length>::max();
        for (const auto& [e, type] : context_->extents[k]) {
            if (left_[type] > 0) {
                smallest_[k] = e;
                break;
            }
        }
    }
}

packing_context context_for(const cargo& c, const block_set& blocks, const fill_lengths& fills,
                            const mixed_parameters& p) {
    packing_context context;
    context.goods = &c;
    context.blocks = &blocks;
    context.fills = &fills;
    context.loss_weight = p.loss_weight;
    context.thin_gap = p.thin_gap;
    for (std::size_t t = 0; t < c.types.size(); ++t) {
        const cargo_type& type = c.types[t];
        if (type.poses.empty()) continue;
        // No load holds more than the container: a sum past it is cut there,
        // so that a billion cartons cannot overflow it.
        const length room = c.container[0] * c.container[1] * c.container[2];
        context.whole = type.volume > 0 && type.quantity > (room + 1 - context.whole) / type.volume
                            ? room + 1
                            : context.whole + type.quantity * type.volume;
        for (const pose& q : type.poses) {
            for (std::size_t k = 0; k < 3; ++k) context.extents[k].emplace_back(q.size[k], t);
        }
    }
    for (auto& e : context.extents) std::sort(e.begin(), e.end());
    return context;
}

std::optional<space> packing::next_space() const {
    const extent& c = context_->goods->container;
    std::optional<space> best;
    std::tuple<std::array<length, 4>, std::int64_t> best_key{};
    free_.each_space(c[2] - smallest_[2], [&](const space& s) {
        work_ += 1;
        const length height = c[2] - s.z;
        if (s.area.width() < smallest_[0] || s.area.depth() < smallest_[1] || height < smallest_[2])
            return;
        const std::tuple key{nearness(s, c, order_), -s.area.width() * s.area.depth() * height};
        if (!best || key < best_key) best = s, best_key = key;
    });
    return best;
}

double packing::score(const block& b, const extent& room, double room_volume) const {
    const fill_lengths& fills = *context_->fills;
    double kept = 1.0;
    for (std::size_t a = 0; a < 3; ++a) {
        const length r = room[a] - b.size[a];
        // Beside the block, a gap only the smallest cartons left fit into is
        // as good as lost: there are seldom enough of them to fill it.
        const bool thin =
            a < 2 && r > 0 &&
            static_cast<double>(r) < context_->thin_gap * static_cast<double>(smallest_[a]);
        kept *= static_cast<double>(b.size[a] + (thin ? 0 : fills.fill(a, r)));
    }
    return static_cast<double>(b.volume) - context_->loss_weight * (room_volume - kept);
}

void packing::best_blocks(const space& s, std::size_t k, std::vector<std::size_t>& out) const {
    out.clear();
    const block_set& blocks = *context_->blocks;
    const extent room{s.area.width(), s.area.depth(), context_->goods->container[2] - s.z};
    const double room_volume =
        static_cast<double>(room[0]) * static_cast<double>(room[1]) * static_cast<double>(room[2]);
    std::vector<double>& scores = scores_;  // of `out`, best first
    scores.clear();
    const std::optional<double>& payload = context_->goods->payload;
    const auto& sizes = blocks.sizes();
    const auto& volumes = blocks.volumes();
    std::size_t looked = 0;
    // No block holds more than the room's volume: those before cannot fit.
    const std::size_t skipped = static_cast<std::size_t>(
        std::partition_point(
            live_.begin(), live_.end(),
            [&](std::uint32_t i) { return static_cast<double>(volumes[i]) > room_volume; }) -
        live_.begin());
    // The blocks that fit are picked out a run at a time without a branch:
    // whether a block fits is as good as random, and guessing it wrong cost
    // more than comparing its sizes.
    constexpr std::size_t run = 64;
    std::array<std::uint32_t, run> fitting{};
    std::size_t n = skipped;
    bool cut = false;
    while (n < live_.size() && !cut) {
        const std::size_t end = std::min(live_.size(), n + run);
        std::size_t m = 0;
        for (std::size_t q = n; q < end; ++q) {
            const std::uint32_t i = live_[q];
            const auto& e = sizes[i];
            fitting[m] = static_cast<std::uint32_t>(q);
            const auto bit = [](bool b) { return static_cast<std::size_t>(b); };
            m += bit(e[0] <= room[0]) & bit(e[1] <= room[1]) & bit(e[2] <= room[2]) & bit(!gone(i));
        }
        std::size_t c = 0;
        for (; c < m; ++c) {
            const std::uint32_t i = live_[fitting[c]];
            const block& b = blocks[i];
            // Blocks come largest first and a score is at most the volume.
            if (out.size() == k && static_cast<double>(b.volume) <= scores.back()) break;
            ++looked;
            if (payload && weight_ + b.weight > *payload) continue;
            const double v = score(b, room, room_volume);
            const auto at = std::upper_bound(scores.begin(), scores.end(), v, std::greater<>());
            if (out.size() == k && at == scores.end()) continue;
            out.insert(out.begin() + (at - scores.begin()), i);
            scores.insert(at, v);
            if (out.size() > k) out.pop_back(), scores.pop_back();
        }
        cut = c < m;
        n = cut ? fitting[c] : end;
    }
    // A size compared costs far less than a block scored; those skipped
    // cost nothing.
    work_ += 3 + 3 * (n - skipped) / 4 + 12 * looked;
}

void packing::place(std::size_t b, const space& s) {
    const block_set& blocks = *context_->blocks;
    const block& k = blocks[b];
    const extent& c = context_->goods->container;
    placement p{b, {s.area.x0, s.area.y0, s.z}, false, false};
    // The block's origin corner goes to the corner of the space nearest a
    // corner of the container.
    if (c[0] - s.area.x1 < s.area.x0) p.at[0] = s.area.x1 - k.size[0], p.mirror_x = true;
    if (c[1] - s.area.y1 < s.area.y0) p.at[1] = s.area.y1 - k.size[1], p.mirror_y = true;
    std::vector<leaf>& leaves = leaves_;  // emptied again below, so that copies carry none
    leaves_of(blocks, p, leaves);
    for (const leaf& l : leaves) {
        const extent& e = blocks[l.block].size;
        const rect footprint{l.at[0], l.at[1], l.at[0] + e[0], l.at[1] + e[1]};
        work_ += 16 + free_.occupy(footprint, l.at[2]);
        if (context_->goods->types[blocks[l.block].type].stackable) {
            // Joining tops costs about half what its count of rectangles and
            // cells says.
            work_ += free_.add_top(footprint, l.at[2] + e[2]) / 2;
        }
    }
    leaves.clear();
    take(k);
    volume_ += k.volume;
    weight_ += k.weight;
    placed_.push_back(p);
}

}  // namespace varnel::mixed
