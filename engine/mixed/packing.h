#pragma once

// One container's load as the search builds it: the blocks placed, the free
// space they leave and the cartons still to load. Any packing the search
// holds obeys every rule, so the search may stop at any point. Which blocks
// suit a space is the candidate scan's (engine/mixed/candidates.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "engine/mixed/blocks.h"
#include "engine/mixed/fill_lengths.h"
#include "engine/mixed/free_space.h"
#include "engine/mixed/live_blocks.h"

namespace varnel::mixed {

// A block where the search put it: its box's low corner, and whether it is
// mirrored across x or y so that its origin corner meets the container's
// corner nearest the space.
struct placement {
    std::size_t block = 0;
    extent at{};
    bool mirror_x = false, mirror_y = false;
};

// A simple block of a placement, at its place in the container.
struct leaf {
    std::size_t block = 0;  // a simple block
    extent at{};
};

// A simple block placed, as the weight limits and the loader's reach follow
// it: its base, the height of its top, what its top may take pressing on it
// (kg per grid step squared), its type and the weight of one of its
// cartons; how deep its rows are along the length, and how far past the
// door-side face of any of its rows reaches what a crew loads before that
// row (the rows it stands on, and theirs).
struct held {
    rect base;
    length top = 0;
    double bear = 0.0;
    std::size_t type = 0;
    double weight = 0.0;
    length row = 0;
    length lag = 0;
};

// What the cartons under a base allow on it: the least any of them bears,
// the lightest of them, the types among them.
struct surface_limits {
    double bear = std::numeric_limits<double>::infinity();
    double lightest = std::numeric_limits<double>::infinity();
    std::vector<std::size_t> types;
};

// Where a block of `size` goes in `s`: its origin corner at the corner of
// the space nearest a corner of the container, and whether it is mirrored
// across x or y for that.
placement placed_in(std::size_t block, const extent& size, const space& s, const extent& container);

// What the search's choices depend on, shared by every packing of a search.
struct packing_context {
    const cargo* goods = nullptr;
    const block_set* blocks = nullptr;
    const fill_lengths* fills = nullptr;
    double loss_weight = 1.0;    // how much a block's wasted space counts against its volume
    double lighter_scale = 2.0;  // see mixed_parameters::lighter_scale
    double thin_gap = 2.0;       // a gap thinner than this many smallest cartons is lost
    std::int64_t whole = 0;      // the volume of every carton: no load holds more
    // Every pose's extent along each axis with its type, least first.
    std::array<std::vector<std::pair<length, std::size_t>>, 3> extents;
    // How far over the load a loader reaches from its face, on the grid.
    length reach = 0;
    // With the balance asked: the share of its volume a load whose centre
    // lies outside the band, across or along, counts as lacking.
    double balance_trade = 0.0;
    // The types, lightest carton first.
    std::vector<std::size_t> by_weight;
};

// How far past the door-side face of its rows reaches what a crew loads
// before them, for a simple block on `base` at height `z` whose rows are
// `row` deep, standing on those of `under` whose tops are at z; nothing
// when one of its rows lies deeper than `reach` (or its own depth) behind
// that: the crew would climb onto the load. Its work is added to `work`.
std::optional<length> lag_of(const rect& base, length row, length z, std::span<const held> under,
                             length reach, std::uint64_t& work);

packing_context context_for(const cargo& c, const block_set& blocks, const fill_lengths& fills,
                            const mixed_parameters& p);

// Which free space a packing fills next. Nearest a corner of the container
// first (Parreño et al. 2008) fills the ends and walls before the middle;
// lowest first covers the floor before building on it. Neither wins on
// every list of many types.
enum class space_order { corner_first, lowest_first };

// A node of the search: the blocks placed, the free space they leave and
// the blocks the cartons left still make. The work of each step is added to
// the caller's count, in the meter's units (engine/mixed/work_costs.h).
class packing {
public:
    explicit packing(const packing_context& context, space_order order = space_order::corner_first);

    // The free space to fill next in the packing's order, the largest of
    // those as near.
    std::optional<space> next_space(std::uint64_t& work) const;
    void place(std::size_t block, const space& s, std::uint64_t& work);
    void retire(const space& s) { free_.retire(s); }

    const packing_context& context() const { return *context_; }
    std::int64_t volume() const { return volume_; }
    double weight() const { return weight_; }
    // The least extent along each axis of any carton left.
    const extent& smallest() const { return smallest_; }
    const live_blocks& blocks_left() const { return left_; }
    const std::vector<placement>& placed() const { return placed_; }
    // The simple blocks whose tops carry some of `s`, when the weight limits
    // are on; and what those of them under `base` allow on it.
    void held_under(const space& s, std::vector<held>& out) const;
    static void limits_of(const std::vector<held>& under, const rect& base, surface_limits& out);
    // Whether a crew loading from the door reaches every row of `chosen`
    // placed in `s` above the floor, `under` being `held_under(s)`; `scratch`
    // is room for its simple blocks.
    bool within_reach(std::size_t chosen, const space& s, const std::vector<held>& under,
                      std::vector<leaf>& leaves, std::vector<held>& scratch,
                      std::uint64_t& work) const;
    // How far the cargo's centre of gravity lies from the middle, the larger
    // of its shares of the width across and the length along: 0 empty.
    double imbalance() const;
    // Its share of the width across: 0 empty.
    double off_across() const;
    // Its share of the length along, the load moved along as far as the
    // room before and behind it allows: 0 empty.
    double off_along() const;

private:
    void update_smallest();
    // Follows the weight limits and the reach through the simple blocks just
    // placed.
    void hold(const std::vector<leaf>& leaves, std::uint64_t& work);

    const packing_context* context_;
    space_order order_;
    free_space free_;
    live_blocks left_;
    std::vector<placement> placed_;
    std::int64_t volume_ = 0;
    double weight_ = 0.0;
    std::vector<held> held_;
    std::array<double, 2> moment_{};  // weight times centre across and along
    length first_ = 0, last_ = 0;     // the span along the length of what is placed
    extent smallest_{};
    // Room for the cartons of a placement, kept to save allocating it on
    // every call.
    std::vector<leaf> leaves_;
};

// The work of copying `p`.
std::uint64_t copy_work(const packing& p);

// The simple blocks of a placed block, in an order that puts every block
// after those it stands on.
void leaves_of(const block_set& blocks, const placement& p, std::vector<leaf>& out);

}  // namespace varnel::mixed
