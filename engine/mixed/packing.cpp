#include "engine/mixed/packing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "engine/core/loading_walls.h"
#include "engine/mixed/work_costs.h"

namespace varnel::mixed {

namespace {

bool overlaps(const rect& a, const rect& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

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

// What a crew loads before each row of a simple block on `base` at height
// `z`, rows `row` deep, standing on `under`: how far past the row's door-side
// face it reaches at most (the lag), and how far past the row's far side
// (the depth a loader reaches over), the most of either over its rows.
struct row_needs {
    length lag = 0;
    length depth = 0;
};

row_needs needs_of(const rect& base, length row, length z, std::span<const held> under,
                   std::uint64_t& work) {
    row_needs out{0, row};
    if (z == 0 || row <= 0) return out;
    const length rows = base.depth() / row;
    // need[k]: the farthest towards the door the crew loads before row k.
    std::vector<length> need(static_cast<std::size_t>(rows));
    for (length k = 0; k < rows; ++k) need[static_cast<std::size_t>(k)] = base.y0 + (k + 1) * row;
    for (const held& h : under) {
        ++work;
        if (h.top != z || !(h.base.x0 < base.x1 && base.x0 < h.base.x1) ||
            !(h.base.y0 < base.y1 && base.y0 < h.base.y1) || h.row <= 0)
            continue;
        // The rows of this block over h, and of h the last under each.
        const length first = std::max<length>(0, (h.base.y0 - base.y0) / row);
        const length last = std::min(rows, (h.base.y1 - base.y0 + row - 1) / row);
        for (length k = first; k < last; ++k) {
            const length end = base.y0 + (k + 1) * row;
            if (end <= h.base.y0) continue;
            const length under_end =
                std::min(h.base.y1, h.base.y0 + (end - h.base.y0 + h.row - 1) / h.row * h.row);
            length& n = need[static_cast<std::size_t>(k)];
            n = std::max(n, under_end + h.lag);
        }
        work += static_cast<std::uint64_t>(last - first);
    }
    for (length k = 0; k < rows; ++k) {
        const length start = base.y0 + k * row;
        const length n = need[static_cast<std::size_t>(k)];
        out.lag = std::max(out.lag, n - (start + row));
        out.depth = std::max(out.depth, n - start);
    }
    return out;
}

// Surfaces higher than the roof less the lowest carton carry nothing.
length highest_surface(const packing_context& context) {
    const length roof = context.goods->container[2];
    return context.extents[2].empty() ? roof : roof - context.extents[2].front().first;
}

}  // namespace

std::optional<length> lag_of(const rect& base, length row, length z, std::span<const held> under,
                             length reach, std::uint64_t& work) {
    const row_needs n = needs_of(base, row, z, under, work);
    if (n.depth > std::max(reach, row)) return std::nullopt;
    return n.lag;
}

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
    : context_(&context),
      order_(order),
      free_(context.goods->container, highest_surface(context)),
      left_(*context.goods, *context.blocks) {
    update_smallest();
}

void packing::update_smallest() {
    for (std::size_t k = 0; k < 3; ++k) {
        smallest_[k] = std::numeric_limits<length>::max();
        for (const auto& [e, type] : context_->extents[k]) {
            if (left_.left(type) > 0) {
                smallest_[k] = e;
                break;
            }
        }
    }
}

std::uint64_t copy_work(const packing& p) {
    return work_cost::packing_copied(p.blocks_left().list().size(), p.placed().size());
}

packing_context context_for(const cargo& c, const block_set& blocks, const fill_lengths& fills,
                            const mixed_parameters& p) {
    packing_context context;
    context.goods = &c;
    context.blocks = &blocks;
    context.fills = &fills;
    context.loss_weight = p.loss_weight;
    context.lighter_scale = p.lighter_scale;
    context.thin_gap = p.thin_gap;
    context.reach = c.steps.container(loader_reach);
    context.balance_trade = p.balance_trade;
    for (std::size_t t = 0; t < c.types.size(); ++t) context.by_weight.push_back(t);
    std::stable_sort(
        context.by_weight.begin(), context.by_weight.end(),
        [&c](std::size_t a, std::size_t b) { return c.types[a].weight < c.types[b].weight; });
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

std::optional<space> packing::next_space(std::uint64_t& work) const {
    const extent& c = context_->goods->container;
    std::optional<space> best;
    std::tuple<std::array<length, 4>, std::int64_t> best_key{};
    free_.each_space(c[2] - smallest_[2], [&](const space& s) {
        work += work_cost::space_looked_at;
        const length height = c[2] - s.z;
        if (s.area.width() < smallest_[0] || s.area.depth() < smallest_[1] || height < smallest_[2])
            return;
        const std::tuple key{nearness(s, c, order_), -s.area.width() * s.area.depth() * height};
        if (!best || key < best_key) best = s, best_key = key;
    });
    return best;
}

void packing::hold(const std::vector<leaf>& leaves, std::uint64_t& work) {
    const block_set& blocks = *context_->blocks;
    for (const leaf& l : leaves) {
        const block& s = blocks[l.block];
        const rect base{l.at[0], l.at[0] + s.size[0], l.at[1], l.at[1] + s.size[1]};
        double bear = s.bear;
        // What stands on it presses through it onto what it stands on.
        if (l.at[2] > 0) {
            for (const held& h : held_) {
                if (h.top == l.at[2] && overlaps(h.base, base))
                    bear = std::min(bear, h.bear - s.press);
            }
            work += work_cost::held_looked_at * held_.size();
        }
        const length row = s.size[1] / s.count[1];
        std::uint64_t looked = 0;
        const length lag = needs_of(base, row, l.at[2], held_, looked).lag;
        work += work_cost::held_looked_at * looked;
        held_.push_back({base, l.at[2] + s.size[2], bear, s.type,
                         context_->goods->types[s.type].weight, row, lag});
    }
}

void packing::held_under(const space& s, std::vector<held>& out) const {
    out.clear();
    if (s.z == 0) return;
    for (const held& h : held_) {
        if (h.top == s.z && overlaps(h.base, s.area)) out.push_back(h);
    }
}

bool packing::within_reach(std::size_t chosen, const space& s, const std::vector<held>& under,
                           std::vector<leaf>& leaves, std::vector<held>& scratch,
                           std::uint64_t& work) const {
    const block_set& blocks = *context_->blocks;
    const block& k = blocks[chosen];
    if (k.simple && s.z == 0) return true;
    leaves.clear();
    leaves_of(blocks, placed_in(chosen, k.size, s, context_->goods->container), leaves);
    // The block's own simple blocks stand on those under the space or on
    // each other, those under first.
    scratch = under;
    std::uint64_t looked = 0;
    bool reached = true;
    for (const leaf& l : leaves) {
        const block& b = blocks[l.block];
        const rect base{l.at[0], l.at[0] + b.size[0], l.at[1], l.at[1] + b.size[1]};
        const length row = b.size[1] / b.count[1];
        const std::optional<length> lag =
            lag_of(base, row, l.at[2], scratch, context_->reach, looked);
        if (!lag) {
            reached = false;
            break;
        }
        scratch.push_back({base, l.at[2] + b.size[2], 0.0, b.type, 0.0, row, *lag});
    }
    work += work_cost::held_looked_at * looked;
    return reached;
}

void packing::limits_of(const std::vector<held>& under, const rect& base, surface_limits& out) {
    out.bear = out.lightest = std::numeric_limits<double>::infinity();
    out.types.clear();
    for (const held& h : under) {
        if (!overlaps(h.base, base)) continue;
        out.bear = std::min(out.bear, h.bear);
        out.lightest = std::min(out.lightest, h.weight);
        if (std::find(out.types.begin(), out.types.end(), h.type) == out.types.end())
            out.types.push_back(h.type);
    }
}

placement placed_in(std::size_t block, const extent& size, const space& s, const extent& c) {
    placement p{block, {s.area.x0, s.area.y0, s.z}, false, false};
    if (c[0] - s.area.x1 < s.area.x0) p.at[0] = s.area.x1 - size[0], p.mirror_x = true;
    if (c[1] - s.area.y1 < s.area.y0) p.at[1] = s.area.y1 - size[1], p.mirror_y = true;
    return p;
}

double packing::off_across() const {
    if (!(weight_ > 0.0)) return 0.0;
    const auto width = static_cast<double>(context_->goods->container[0]);
    return std::fabs(moment_[0] / weight_ - width / 2) / width;
}

double packing::off_along() const {
    if (!(weight_ > 0.0)) return 0.0;
    const auto room = static_cast<double>(context_->goods->container[1]);
    const double centre = moment_[1] / weight_;
    // The centre moves with the whole load between the far end and the door.
    const double nearest = std::clamp(room / 2, centre - static_cast<double>(first_),
                                      centre + room - static_cast<double>(last_));
    return std::fabs(nearest - room / 2) / room;
}

double packing::imbalance() const {
    if (!(weight_ > 0.0)) return 0.0;
    const extent& c = context_->goods->container;
    double worst = 0.0;
    for (std::size_t a = 0; a < 2; ++a) {
        const double side = static_cast<double>(c[a]);
        worst = std::max(worst, std::fabs(moment_[a] / weight_ - side / 2) / side);
    }
    return worst;
}

void packing::place(std::size_t b, const space& s, std::uint64_t& work) {
    const block_set& blocks = *context_->blocks;
    const block& k = blocks[b];
    const extent& c = context_->goods->container;
    const placement p = placed_in(b, k.size, s, c);
    std::vector<leaf>& leaves = leaves_;  // emptied again below, so that copies carry none
    leaves_of(blocks, p, leaves);
    for (const leaf& l : leaves) {
        const extent& e = blocks[l.block].size;
        const rect footprint{l.at[0], l.at[0] + e[0], l.at[1], l.at[1] + e[1]};
        work +=
            work_cost::simple_block_placed + work_cost::base_cut(free_.occupy(footprint, l.at[2]));
        if (context_->goods->types[blocks[l.block].type].stackable)
            work += work_cost::top_joined(free_.add_top(footprint, l.at[2] + e[2]));
    }
    hold(leaves, work);
    for (const leaf& l : leaves) {
        const block& simple = blocks[l.block];
        for (std::size_t a = 0; a < 2; ++a)
            moment_[a] += simple.weight *
                          (static_cast<double>(l.at[a]) + static_cast<double>(simple.size[a]) / 2);
    }
    leaves.clear();
    first_ = placed_.empty() ? p.at[1] : std::min(first_, p.at[1]);
    last_ = std::max(last_, p.at[1] + k.size[1]);
    if (left_.take(blocks, k, work)) update_smallest();
    volume_ += k.volume;
    weight_ += k.weight;
    placed_.push_back(p);
}

}  // namespace varnel::mixed
