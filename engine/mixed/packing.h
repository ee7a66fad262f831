#pragma once

// One container's load as the search builds it: the blocks placed, the free
// space they leave and the cartons still to load. Any packing the search
// holds obeys every rule, so the search may stop at any point.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "engine/mixed/blocks.h"
#include "engine/mixed/fill_lengths.h"
#include "engine/mixed/free_space.h"

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

// What the search's choices depend on, shared by every packing of a search.
struct packing_context {
    const cargo* goods = nullptr;
    const block_set* blocks = nullptr;
    const fill_lengths* fills = nullptr;
    double loss_weight = 1.0;  // how much a block's wasted space counts against its volume
    double thin_gap = 2.0;     // a gap thinner than this many smallest cartons is lost
    std::int64_t whole = 0;    // the volume of every carton: no load holds more
    // Every pose's extent along each axis with its type, least first.
    std::array<std::vector<std::pair<length, std::size_t>>, 3> extents;
};

packing_context context_for(const cargo& c, const block_set& blocks, const fill_lengths& fills,
                            const mixed_parameters& p);

// Which free space a packing fills next. Nearest a corner of the container
// first (Parreño et al. 2008) fills the ends and walls before the middle;
// lowest first covers the floor before building on it. Neither wins on
// every list of many types.
enum class space_order { corner_first, lowest_first };

class packing {
public:
    explicit packing(const packing_context& context, space_order order = space_order::corner_first);

    // The free space to fill next in the packing's order, the largest of
    // those as near.
    std::optional<space> next_space() const;
    // The `k` best blocks for `s`, best first: each block's volume less the
    // space it leaves that no row of cartons fills (Araya & Riff 2014).
    void best_blocks(const space& s, std::size_t k, std::vector<std::size_t>& out) const;
    void place(std::size_t block, const space& s);
    void retire(const space& s) { free_.retire(s); }

    std::int64_t volume() const { return volume_; }
    // The work done since last asked, in the meter's units. Each kind of
    // work is charged by what it was measured to take, so that a unit takes
    // about as long on a list of 3 types as on one of 100, and a budget buys
    // every list about the same time.
    std::uint64_t drain_work() { return std::exchange(work_, 0); }
    // The work of copying this packing.
    std::uint64_t copy_work() const { return 16 + live_.size() / 16 + placed_.size(); }
    const std::vector<placement>& placed() const { return placed_; }

private:
    // A block's volume less the space it leaves in `room` that no row of
    // cartons fills.
    double score(const block& b, const extent& room, double room_volume) const;
    // Takes a block's cartons from those left and marks the blocks that now
    // need more than are left: counts only shrink, so a block once gone
    // stays gone. The live list drops them once they are many.
    void take(const block& b);
    // Whether block i needs more cartons of a type than are left.
    bool gone(std::uint32_t i) const {
        return (gone_blocks_[i / 64] & (std::uint64_t{1} << (i % 64))) != 0;
    }
    void update_smallest();

    const packing_context* context_;
    space_order order_;
    free_space free_;
    std::vector<std::int64_t> left_;   // cartons per type not yet placed
    std::vector<std::uint32_t> live_;  // blocks largest first, none gone before the last sweep
    std::vector<std::uint64_t> gone_blocks_;  // a bit per gone block
    std::size_t gone_in_live_ = 0;            // how many gone blocks the live list holds
    std::vector<std::size_t> gone_users_;     // per type: how many of its users are gone
    std::vector<placement> placed_;
    std::int64_t volume_ = 0;
    double weight_ = 0.0;
    extent smallest_{};  // the least extent along each axis of any carton left
    mutable std::uint64_t work_ = 0;
    // Room for the scores of best_blocks and the cartons of a placement,
    // kept to save allocating them on every call.
    mutable std::vector<double> scores_;
    std::vector<leaf> leaves_;
};

// The simple blocks of a placed block, in an order that puts every block
// after those it stands on.
void leaves_of(const block_set& blocks, const placement& p, std::vector<leaf>& out);

}  // namespace varnel::mixed
