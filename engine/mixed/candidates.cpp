#include "engine/mixed/candidates.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <optional>

#include "engine/mixed/evaluation.h"
#include "engine/mixed/work_costs.h"

namespace varnel::mixed {

void candidate_scan::best_blocks(const packing& p, const space& s, std::size_t k,
                                 std::vector<std::size_t>& out, std::uint64_t& work) {
    out.clear();
    const packing_context& context = p.context();
    const block_set& blocks = *context.blocks;
    const live_blocks& left = p.blocks_left();
    const std::vector<std::uint32_t>& live = left.list();
    const extent room{s.area.width(), s.area.depth(), context.goods->container[2] - s.z};
    const double room_volume =
        static_cast<double>(room[0]) * static_cast<double>(room[1]) * static_cast<double>(room[2]);
    std::vector<double>& scores = scores_;  // of `out`, best first
    scores.clear();
    const std::optional<double>& payload = context.goods->payload;
    const auto& sizes = blocks.sizes();
    const auto& volumes = blocks.volumes();
    std::size_t looked = 0;
    const bool limited = context.goods->limits.on;
    if (s.z > 0) {
        p.held_under(s, held_);
        work += work_cost::held_looked_at * p.placed().size();
    } else {
        held_.clear();
    }
    const extent& container = context.goods->container;
    // Heavy not on light: of the volume left, the share of cartons as light
    // as a weight or lighter, by the types' weights, least first; scaled, it
    // is how much of the room above a block counts.
    lighter_.clear();
    double whole = 0.0;
    // What the cartons left weigh per unit of their volume: a top that may
    // take a pressure carries that many steps of them stacked on it.
    double density = 0.0;
    if (limited) {
        double mass = 0.0, volume = 0.0;
        for (std::size_t t = 0; t < context.goods->types.size(); ++t) {
            const cargo_type& type = context.goods->types[t];
            mass += static_cast<double>(left.left(t)) * type.weight;
            volume += static_cast<double>(left.left(t)) * static_cast<double>(type.volume);
        }
        density = volume > 0.0 ? mass / volume : 0.0;
        work += context.goods->types.size();
    }
    if (context.goods->limits.heavy_not_on_light) {
        for (const std::size_t t : context.by_weight) {
            const cargo_type& type = context.goods->types[t];
            const double v = static_cast<double>(left.left(t)) * static_cast<double>(type.volume);
            whole += v;
            if (v > 0.0) lighter_.emplace_back(type.weight, whole);
        }
        work += context.by_weight.size();
    }
    const auto lighter_share = [&](double weight) {
        if (lighter_.empty()) return 1.0;
        const auto at = std::upper_bound(
            lighter_.begin(), lighter_.end(), weight,
            [](double w, const std::pair<double, double>& e) { return w < e.first; });
        return at == lighter_.begin()
                   ? 0.0
                   : std::min(1.0, context.lighter_scale * std::prev(at)->second / whole);
    };
    // Under the base the block would take, as the packing places it.
    const auto on_surface = [&](std::uint32_t i) {
        if (held_.empty()) return true;  // on the floor
        const extent& e = blocks[i].size;
        const placement at = placed_in(i, e, s, container);
        packing::limits_of(held_, {at.at[0], at.at[0] + e[0], at.at[1], at.at[1] + e[1]}, under_);
        work += work_cost::held_looked_at * held_.size();
        const auto& types = under_.types;
        return stands_within(
            *context.goods, blocks[i], blocks.needs(i), under_.bear, under_.lightest,
            [&](std::size_t t) { return std::find(types.begin(), types.end(), t) != types.end(); });
    };
    // No block holds more than the room's volume: those before cannot fit.
    const std::size_t skipped = static_cast<std::size_t>(
        std::partition_point(
            live.begin(), live.end(),
            [&](std::uint32_t i) { return static_cast<double>(volumes[i]) > room_volume; }) -
        live.begin());
    // The blocks that fit are picked out a run at a time without a branch:
    // whether a block fits is as good as random, and guessing it wrong cost
    // more than comparing its sizes.
    constexpr std::size_t run = 64;
    std::array<std::uint32_t, run> fitting{};
    std::size_t n = skipped;
    bool cut = false;
    while (n < live.size() && !cut) {
        const std::size_t end = std::min(live.size(), n + run);
        std::size_t m = 0;
        for (std::size_t q = n; q < end; ++q) {
            const std::uint32_t i = live[q];
            const auto& e = sizes[i];
            fitting[m] = static_cast<std::uint32_t>(q);
            const auto bit = [](bool b) { return static_cast<std::size_t>(b); };
            m += bit(e[0] <= room[0]) & bit(e[1] <= room[1]) & bit(e[2] <= room[2]) &
                 bit(!left.gone(i));
        }
        std::size_t c = 0;
        for (; c < m; ++c) {
            const std::uint32_t i = live[fitting[c]];
            const block& b = blocks[i];
            // Blocks come largest first and a score is at most the volume.
            if (out.size() == k && static_cast<double>(b.volume) <= scores.back()) break;
            ++looked;
            if (payload && p.weight() + b.weight > *payload) continue;
            if (limited && !on_surface(i)) continue;
            // The height of cargo its top may carry where it would stand.
            const double carried =
                density > 0.0
                    ? std::max(0.0,
                               held_.empty() ? b.bear : std::min(b.bear, under_.bear - b.press)) /
                          density
                    : std::numeric_limits<double>::infinity();
            const double v =
                block_score(p, b, room, room_volume, lighter_share(b.top_lightest), carried);
            const auto at = std::upper_bound(scores.begin(), scores.end(), v, std::greater<>());
            if (out.size() == k && at == scores.end()) continue;
            // Only a block that may enter the best few is looked at for the
            // reach: that costs more than its score.
            if (!p.within_reach(i, s, held_, leaves_, reached_, work)) continue;
            out.insert(out.begin() + (at - scores.begin()), i);
            scores.insert(at, v);
            if (out.size() > k) out.pop_back(), scores.pop_back();
        }
        cut = c < m;
        n = cut ? fitting[c] : end;
    }
    work += work_cost::scan(n - skipped, looked);
}

}  // namespace varnel::mixed
