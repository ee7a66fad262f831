#include "engine/mixed/blocks.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <tuple>

#include "engine/core/tolerance.h"
#include "engine/mixed/work_costs.h"

namespace varnel::mixed {

namespace {

// The most cartons along one side of a block: counts are 16-bit in plans.
constexpr std::int64_t most_along = 32767;

// Two cartons-per-type lists added, or nothing when a type runs short.
std::optional<std::vector<type_count>> joined(std::span<const type_count> a,
                                              std::span<const type_count> b, const cargo& c) {
    std::vector<type_count> out(a.begin(), a.end());
    for (const type_count& n : b) {
        auto it = std::find_if(out.begin(), out.end(),
                               [&n](const type_count& m) { return m.type == n.type; });
        if (it == out.end()) {
            out.push_back(n);
        } else {
            it->count += n.count;
        }
    }
    for (const type_count& n : out) {
        if (n.count > c.types[n.type].quantity) return std::nullopt;
    }
    std::sort(out.begin(), out.end(),
              [](const type_count& x, const type_count& y) { return x.type < y.type; });
    return out;
}

// The bounding box of `b` beside `a` along `axis` (2: on it).
extent joined_size(const block& a, const block& b, std::size_t axis) {
    extent s{};
    for (std::size_t k = 0; k < 3; ++k) {
        s[k] = k == axis ? a.size[k] + b.size[k] : std::max(a.size[k], b.size[k]);
    }
    return s;
}

// Whether `b` may stand beside or on `a`: side by side their tops are level,
// on it `b` stands wholly on `a`'s carrying top.
bool joinable(const block& a, const block& b, std::size_t axis, const extent& container) {
    const extent s = joined_size(a, b, axis);
    if (s[0] > container[0] || s[1] > container[1] || s[2] > container[2]) return false;
    if (axis == 2) return b.size[0] <= a.top[0] && b.size[1] <= a.top[1];
    return a.size[2] == b.size[2];
}

// The carrying top of the pair, from its origin: side by side, the first's
// top reaches on over the second's when it spans the first's whole side.
std::array<length, 2> joined_top(const block& a, const block& b, std::size_t axis) {
    if (axis == 2) return b.top;
    const std::size_t other = 1 - axis;
    const bool spans = a.top[axis] == a.size[axis] && b.top[0] > 0 && b.top[1] > 0;
    if (!spans) return a.top;
    std::array<length, 2> t{};
    t[axis] = a.size[axis] + b.top[axis];
    t[other] = std::min(a.top[other], b.top[other]);
    return t;
}

double fill_of(const block& a, const block& b, std::size_t axis) {
    const extent s = joined_size(a, b, axis);
    return static_cast<double>(a.volume + b.volume) /
           (static_cast<double>(s[0]) * static_cast<double>(s[1]) * static_cast<double>(s[2]));
}

// Calls `f(nx, ny, nz)` for every stack of at most `most` along each axis
// holding at most `cartons` cartons.
template <typename F>
void each_block(const extent& most, std::int64_t cartons, F&& f) {
    for (std::int64_t nz = 1; nz <= std::min(most[2], cartons); ++nz) {
        for (std::int64_t ny = 1; ny <= std::min(most[1], cartons / nz); ++ny) {
            for (std::int64_t nx = 1; nx <= std::min(most[0], cartons / (nz * ny)); ++nx) {
                f(nx, ny, nz);
            }
        }
    }
}

// How many stacks each_block makes; counting stops past `enough`, which
// is all a family's limit needs to know: a list of many types has tiny
// limits, and the whole count would take a thousand steps a try.
std::int64_t blocks_up_to(const extent& most, std::int64_t cartons,
                          std::int64_t enough = std::numeric_limits<std::int64_t>::max()) {
    std::int64_t n = 0;
    for (std::int64_t nz = 1; nz <= std::min(most[2], cartons); ++nz) {
        for (std::int64_t ny = 1; ny <= std::min(most[1], cartons / nz); ++ny) {
            n += std::min(most[0], cartons / (nz * ny));
            if (n > enough) return n;
        }
    }
    return n;
}

// When the families hold more blocks than allowed, the small families keep
// all theirs and the large ones share the rest evenly, each keeping its
// blocks of fewest cartons: every type keeps its single cartons and small
// stacks for the last gaps.
template <typename Family>
void limit_families(std::vector<Family>& families, std::size_t most_blocks) {
    std::vector<std::int64_t> sizes;
    std::int64_t total = 0;
    for (const Family& f : families) sizes.push_back(f.blocks), total += f.blocks;
    if (total <= static_cast<std::int64_t>(most_blocks)) return;
    std::sort(sizes.begin(), sizes.end());
    auto room = static_cast<std::int64_t>(most_blocks);
    std::int64_t share = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        share = room / static_cast<std::int64_t>(sizes.size() - i);
        if (sizes[i] > share) break;
        room -= sizes[i];
    }
    share = std::max<std::int64_t>(share, 1);
    for (Family& f : families) {
        if (f.blocks <= share) continue;
        // The most cartons a block may hold so that the family keeps at
        // most its share.
        std::int64_t lo = 1, hi = f.cartons;
        while (lo < hi) {
            const std::int64_t mid = lo + (hi - lo + 1) / 2;
            if (blocks_up_to(f.most, mid, share) <= share) {
                lo = mid;
            } else {
                hi = mid - 1;
            }
        }
        f.cartons = lo;
    }
}

}  // namespace

block_set::block_set(const cargo& c, const mixed_parameters& p, work_meter& meter) {
    add_simple(c, p.max_blocks);
    combine(c, p, meter);
    sort_by_volume();
    list_users(c.types.size());
}

void block_set::list_users(std::size_t types) {
    users_.assign(types, {});
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        for (const type_count& n : needs(blocks_[i])) {
            users_[n.type].push_back({n.count, static_cast<std::uint32_t>(i)});
        }
    }
    for (std::vector<user>& u : users_) {
        std::stable_sort(u.begin(), u.end(),
                         [](const user& a, const user& b) { return a.count > b.count; });
    }
}

void block_set::add_simple(const cargo& c, std::size_t most_blocks) {
    // One family of simple blocks per type and pose: at most `most` along
    // each axis, at most `cartons` cartons.
    struct family {
        std::size_t type = 0;
        const pose* p = nullptr;
        extent most{};
        std::int64_t cartons = 0, blocks = 0;
    };
    std::vector<family> families;
    for (std::size_t t = 0; t < c.types.size(); ++t) {
        const cargo_type& type = c.types[t];
        for (const pose& p : type.poses) {
            family f{t, &p, {}, type.quantity, 0};
            for (std::size_t k = 0; k < 3; ++k) {
                f.most[k] = std::min({type.quantity, c.container[k] / p.size[k], most_along});
            }
            if (!type.stackable) f.most[2] = std::min<length>(f.most[2], 1);
            if (type.max_layers) f.most[2] = std::min<length>(f.most[2], *type.max_layers);
            // The bottom carton carries those above it in its column.
            if (type.max_load && type.weight > 0) {
                const double high = std::floor(*type.max_load / type.weight + count_rounding) + 1;
                if (high < static_cast<double>(f.most[2])) f.most[2] = static_cast<length>(high);
            }
            f.blocks = blocks_up_to(f.most, f.cartons);
            families.push_back(f);
        }
    }
    limit_families(families, most_blocks);
    for (const family& f : families) {
        const cargo_type& type = c.types[f.type];
        each_block(f.most, f.cartons, [&](std::int64_t nx, std::int64_t ny, std::int64_t nz) {
            block b;
            b.count = {static_cast<std::int16_t>(nx), static_cast<std::int16_t>(ny),
                       static_cast<std::int16_t>(nz)};
            b.size = {nx * f.p->size[0], ny * f.p->size[1], nz * f.p->size[2]};
            b.top = type.stackable ? std::array<length, 2>{b.size[0], b.size[1]}
                                   : std::array<length, 2>{0, 0};
            const std::int64_t n = nx * ny * nz;
            b.volume = n * type.volume;
            b.weight = static_cast<double>(n) * type.weight;
            b.type = f.type;
            b.orientation = f.p->orientation;
            const auto base = static_cast<double>(f.p->size[0] * f.p->size[1]);
            b.press = static_cast<double>(nz) * type.weight / base;
            if (type.max_load)
                b.bear = std::max(0.0, *type.max_load - static_cast<double>(nz - 1) * type.weight) /
                         base;
            if (!type.stackable) b.bear = 0.0;
            b.base_heaviest = b.top_lightest = type.weight;
            b.needs_begin = static_cast<std::uint32_t>(needs_.size());
            needs_.push_back({f.type, n});
            b.needs_end = static_cast<std::uint32_t>(needs_.size());
            blocks_.push_back(b);
        });
    }
}

void block_set::combine(const cargo& c, const mixed_parameters& p, work_meter& meter) {
    // A block is known by its box and its cartons: two such are the same
    // block for the search, whatever their parts.
    using key = std::tuple<extent, std::vector<std::pair<std::size_t, std::int64_t>>>;
    const auto key_of = [](const extent& size, std::span<const type_count> needs) {
        std::vector<std::pair<std::size_t, std::int64_t>> n;
        for (const type_count& m : needs) n.emplace_back(m.type, m.count);
        return key{size, std::move(n)};
    };
    std::set<key> known;
    for (const block& b : blocks_) known.insert(key_of(b.size, needs(b)));

    std::size_t fresh = 0;  // blocks from here on are new since the last round
    for (std::size_t round = 0; round < p.combining_rounds && blocks_.size() < p.max_blocks;
         ++round) {
        const std::size_t end = blocks_.size();
        std::vector<pairing> found = side_by_side(c, p, fresh, end, meter);
        const std::vector<pairing> stacked = one_on_another(c, p, fresh, end, meter);
        found.insert(found.end(), stacked.begin(), stacked.end());
        meter.spend(found.size() * work_cost::pair_found);
        std::stable_sort(found.begin(), found.end(), [](const pairing& x, const pairing& y) {
            return std::tie(x.fill, x.volume) > std::tie(y.fill, y.volume);
        });
        for (const pairing& f : found) {
            if (blocks_.size() >= p.max_blocks) break;
            const block& a = blocks_[f.first];
            const block& b = blocks_[f.second];
            const auto n = joined(needs(a), needs(b), c);
            if (!n) continue;
            block j;
            j.size = joined_size(a, b, f.axis);
            if (!known.insert(key_of(j.size, *n)).second) continue;
            j.top = joined_top(a, b, f.axis);
            j.volume = a.volume + b.volume;
            j.weight = a.weight + b.weight;
            if (f.axis == 2) {
                // What stands on b presses through it onto a.
                j.press = a.press + b.press;
                j.bear = std::min(b.bear, a.bear - b.press);
                j.base_heaviest = a.base_heaviest;
                j.top_lightest = b.top_lightest;
            } else {
                j.press = std::max(a.press, b.press);
                j.bear = std::min(a.bear, b.bear);
                j.base_heaviest = std::max(a.base_heaviest, b.base_heaviest);
                j.top_lightest = std::min(a.top_lightest, b.top_lightest);
            }
            j.simple = false;
            j.parts = {f.first, f.second};
            j.axis = f.axis;
            j.needs_begin = static_cast<std::uint32_t>(needs_.size());
            needs_.insert(needs_.end(), n->begin(), n->end());
            j.needs_end = static_cast<std::uint32_t>(needs_.size());
            blocks_.push_back(j);
        }
        fresh = end;
        if (blocks_.size() == end || meter.stopped()) break;
    }
}

std::vector<block_set::pairing> block_set::side_by_side(const cargo& c, const mixed_parameters& p,
                                                        std::size_t fresh, std::size_t end,
                                                        work_meter& meter) const {
    std::vector<pairing> found;
    // Partners are as high, so that their tops are level, and their other
    // sides differ by less than the fill allows.
    std::vector<std::size_t> v(end);
    for (std::size_t i = 0; i < end; ++i) v[i] = i;
    const auto height = [this](std::size_t i) { return blocks_[i].size[2]; };
    std::stable_sort(v.begin(), v.end(),
                     [&](std::size_t a, std::size_t b) { return height(a) < height(b); });
    for (const std::size_t a : v) {
        auto it = std::lower_bound(v.begin(), v.end(), height(a),
                                   [&](std::size_t i, length l) { return height(i) < l; });
        if (!meter.spend(work_cost::pair_looked_at)) return found;
        for (; it != v.end() && height(*it) == height(a); ++it) {
            const bool old = a < fresh && *it < fresh;
            if (!meter.spend(old ? work_cost::old_pair_looked_at : work_cost::pair_looked_at) ||
                old)
                continue;
            for (std::size_t axis = 0; axis < 2; ++axis) {
                const std::size_t other = 1 - axis;
                const double ratio = static_cast<double>(blocks_[a].size[other]) /
                                     static_cast<double>(blocks_[*it].size[other]);
                if (ratio < p.min_fill || ratio * p.min_fill > 1) continue;
                consider(c, p, a, *it, axis, found);
            }
        }
    }
    return found;
}

std::vector<block_set::pairing> block_set::one_on_another(const cargo& c, const mixed_parameters& p,
                                                          std::size_t fresh, std::size_t end,
                                                          work_meter& meter) const {
    std::vector<pairing> found;
    std::vector<std::size_t> by_area(end);
    length lowest = c.container[2];
    for (std::size_t i = 0; i < end; ++i) {
        by_area[i] = i;
        lowest = std::min(lowest, blocks_[i].size[2]);
    }
    const auto area = [this](std::size_t i) { return blocks_[i].size[0] * blocks_[i].size[1]; };
    std::stable_sort(by_area.begin(), by_area.end(),
                     [&](std::size_t a, std::size_t b) { return area(a) < area(b); });
    for (std::size_t a = 0; a < end; ++a) {
        const block& under = blocks_[a];
        if (under.top[0] == 0 || under.top[1] == 0) continue;
        // The box the pair fills holds the lower block's whole area over both
        // heights, so the upper one must cover nearly all of it.
        const double share = p.min_fill - (1 - p.min_fill) * static_cast<double>(under.size[2]) /
                                              static_cast<double>(lowest);
        const auto lo = static_cast<length>(static_cast<double>(area(a)) * share);
        const length hi = under.top[0] * under.top[1];
        auto it = std::lower_bound(by_area.begin(), by_area.end(), lo,
                                   [&](std::size_t i, length l) { return area(i) < l; });
        if (!meter.spend(work_cost::pair_looked_at)) return found;
        for (; it != by_area.end() && area(*it) <= hi; ++it) {
            const bool old = a < fresh && *it < fresh;
            if (!meter.spend(old ? work_cost::old_pair_looked_at : work_cost::pair_looked_at) ||
                old)
                continue;
            consider(c, p, a, *it, 2, found);
        }
    }
    return found;
}

bool block_set::may_stand_on(const cargo& c, const block& upper, const block& lower) const {
    const std::span<const type_count> under = needs(lower);
    return stands_within(c, upper, needs(upper), lower.bear, lower.top_lightest,
                         [&](std::size_t t) {
                             return std::any_of(under.begin(), under.end(),
                                                [t](const type_count& n) { return n.type == t; });
                         });
}

void block_set::consider(const cargo& c, const mixed_parameters& p, std::size_t a, std::size_t b,
                         std::size_t axis, std::vector<pairing>& found) const {
    if (!joinable(blocks_[a], blocks_[b], axis, c.container)) return;
    if (axis == 2 && c.limits.on && !may_stand_on(c, blocks_[b], blocks_[a])) return;
    const double f = fill_of(blocks_[a], blocks_[b], axis);
    if (f >= p.min_fill) found.push_back({a, b, axis, f, blocks_[a].volume + blocks_[b].volume});
}

void block_set::sort_by_volume() {
    std::vector<std::size_t> order(blocks_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return blocks_[a].volume > blocks_[b].volume;
    });
    std::vector<std::size_t> place(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) place[order[i]] = i;
    // The cartons per type follow the blocks' order, so that the search's
    // scan reads them in one sweep.
    std::vector<block> sorted;
    std::vector<type_count> needs;
    sorted.reserve(blocks_.size());
    needs.reserve(needs_.size());
    need_ends_.assign(1, 0);
    sizes_.clear();
    volumes_.clear();
    for (const std::size_t i : order) {
        block b = blocks_[i];
        if (!b.simple) b.parts = {place[b.parts[0]], place[b.parts[1]]};
        const std::span<const type_count> n = this->needs(b);
        b.needs_begin = static_cast<std::uint32_t>(needs.size());
        needs.insert(needs.end(), n.begin(), n.end());
        b.needs_end = static_cast<std::uint32_t>(needs.size());
        need_ends_.push_back(b.needs_end);
        sizes_.push_back(b.size);
        volumes_.push_back(b.volume);
        sorted.push_back(b);
    }
    blocks_ = std::move(sorted);
    needs_ = std::move(needs);
}

}  // namespace varnel::mixed
