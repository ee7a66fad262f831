#pragma once

// The blocks a mixed load is built of (Fanslau & Bortfeldt 2010, "A tree
// search algorithm for solving the container loading problem", INFORMS JoC
// 22:222-235): simple blocks, cartons of one type in one pose stacked
// nx x ny x nz, and combined blocks, two blocks side by side or one on the
// other, kept when they fill their bounding box well. Each block knows the
// rectangle of its top, from its origin corner, that carries a block set on
// it, so that a combined block stands only on cartons' tops.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "engine/core/work_meter.h"
#include "engine/mixed/cargo.h"

namespace varnel::mixed {

// Cartons of one type a block holds.
struct type_count {
    std::size_t type = 0;
    std::int64_t count = 0;
};

struct block {
    extent size{};                // its bounding box along x, y, z
    std::array<length, 2> top{};  // the carrying rectangle on its top, x and y from its origin
    std::int64_t volume = 0;      // the cartons' volume
    double weight = 0.0;          // kg
    // What its weight does, in kg per grid step squared: the most its base
    // presses on what it stands on (its own cartons), and the most its
    // carrying top may take pressing on it; a carton passes the pressure on
    // its top down its column, so these bound every carton's load. The
    // heaviest carton at its base and the lightest at its top, kg.
    double press = 0.0;
    double bear = std::numeric_limits<double>::infinity();
    double base_heaviest = 0.0;
    double top_lightest = 0.0;
    // A simple block: its type, pose and counts. A combined one: its two
    // parts, the second beside the first along `axis` (0 x, 1 y) or on it (2).
    bool simple = true;
    std::size_t type = 0;
    std::int16_t orientation = 1;
    std::array<std::int16_t, 3> count{};
    std::array<std::size_t, 2> parts{};
    std::size_t axis = 0;
    // Its cartons per type: a range of `block_set::needs`.
    std::uint32_t needs_begin = 0, needs_end = 0;
};

// Whether the cartons of `upper_needs` may stand where cartons of the types
// `under(t)` names are under them: loose cartons on nothing but loose
// cartons, loaded pallets on nothing at all (two high only within their own
// block). A block is judged by all its types, not only those of its base.
template <typename Under>
bool of_one_kind(const cargo& c, std::span<const type_count> upper_needs, Under&& under) {
    bool pallet_under = false, loose_under = false;
    for (std::size_t t = 0; t < c.types.size(); ++t) {
        if (under(t)) (c.types[t].pallet ? pallet_under : loose_under) = true;
    }
    // A pallet on a pallet only within one block, two of one type at most:
    // as with limited layers, a column across blocks is not counted, and
    // pallets of two types would stack three or four high.
    return std::none_of(upper_needs.begin(), upper_needs.end(), [&](const type_count& n) {
        return c.types[n.type].pallet ? loose_under || pallet_under : pallet_under;
    });
}

// Whether `upper`, holding `upper_needs`, may stand on a surface whose
// cartons bear `bear` pressing on them, the lightest of them weighing
// `lightest`, with `under(t)` true when cartons of type t are among them. A
// type of limited layers stands on its own kind only within one block,
// whose height is capped to them: a column across blocks is not counted.
template <typename Under>
bool stands_within(const cargo& c, const block& upper, std::span<const type_count> upper_needs,
                   double bear, double lightest, Under&& under) {
    if (upper.press > bear * (1 + 1e-9) + 1e-12) return false;
    if (c.limits.heavy_not_on_light && upper.base_heaviest > lightest) return false;
    if (c.limits.pallets && !of_one_kind(c, upper_needs, under)) return false;
    for (const type_count& n : upper_needs) {
        if (c.types[n.type].max_layers && under(n.type)) return false;
    }
    return true;
}

// The blocks of one container's search, largest volume first.
class block_set {
public:
    block_set(const cargo& c, const mixed_parameters& p, work_meter& meter);

    std::size_t size() const { return blocks_.size(); }
    const block& operator[](std::size_t i) const { return blocks_[i]; }
    std::span<const type_count> needs(const block& b) const {
        return {needs_.data() + b.needs_begin, b.needs_end - b.needs_begin};
    }
    std::span<const type_count> needs(std::size_t i) const {
        return {needs_.data() + need_ends_[i], needs_.data() + need_ends_[i + 1]};
    }

    // Copies of the sizes and volumes for the search's scan.
    const std::vector<std::array<length, 3>>& sizes() const { return sizes_; }
    const std::vector<std::int64_t>& volumes() const { return volumes_; }

    // A block that needs `count` cartons of a type.
    struct user {
        std::int64_t count = 0;
        std::uint32_t block = 0;
    };
    // The blocks that hold cartons of `type`, those that need most first.
    std::span<const user> users(std::size_t type) const { return users_[type]; }

private:
    // A combination of two blocks found in a round, before the best are kept.
    struct pairing {
        std::size_t first = 0, second = 0, axis = 0;
        double fill = 0.0;
        std::int64_t volume = 0;
    };

    // Simple blocks of every type and pose, at most `most_blocks` of them.
    void add_simple(const cargo& c, std::size_t most_blocks);
    void combine(const cargo& c, const mixed_parameters& p, work_meter& meter);
    // The pairs of blocks [0, end), one at least from `fresh` on, that fill
    // their box well: side by side at one height, or one on another.
    std::vector<pairing> side_by_side(const cargo& c, const mixed_parameters& p, std::size_t fresh,
                                      std::size_t end, work_meter& meter) const;
    std::vector<pairing> one_on_another(const cargo& c, const mixed_parameters& p,
                                        std::size_t fresh, std::size_t end,
                                        work_meter& meter) const;
    bool may_stand_on(const cargo& c, const block& upper, const block& lower) const;
    void consider(const cargo& c, const mixed_parameters& p, std::size_t a, std::size_t b,
                  std::size_t axis, std::vector<pairing>& found) const;
    void sort_by_volume();
    void list_users(std::size_t types);

    std::vector<block> blocks_;
    std::vector<type_count> needs_;
    std::vector<std::array<length, 3>> sizes_;
    std::vector<std::int64_t> volumes_;
    std::vector<std::uint32_t> need_ends_;  // block i's needs: [need_ends_[i], need_ends_[i + 1])
    std::vector<std::vector<user>> users_;
};

}  // namespace varnel::mixed
