#include "engine/core/loading_walls.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <tuple>

#include "engine/core/box.h"
#include "engine/core/expects.h"
#include "engine/core/orientation.h"
#include "engine/core/tolerance.h"

namespace varnel {

namespace {

constexpr double tol = contact_tolerance;

bool known_sizes(std::span<const carton_rules> types) {
    return std::all_of(types.begin(), types.end(),
                       [](const carton_rules& t) { return positive_sides(t.size); });
}

bool same_lane(const block_box& a, const block_box& b) {
    return spans_overlap(a.lo[0], a.hi[0], b.lo[0], b.hi[0]);
}

// Whether `near` lies between `far` and the door, within far's width and
// height: the crew would have to pass through it.
bool in_front(const block_box& near, const block_box& far) {
    return same_lane(near, far) && spans_overlap(near.lo[2], near.hi[2], far.lo[2], far.hi[2]) &&
           near.lo[1] >= far.hi[1] - tol;
}

// The first rule step `i` breaks, loaded after the steps before it.
order_fault fault_of(std::size_t i, const std::vector<block_box>& boxes,
                     const std::vector<double>& rows) {
    const block_box& s = boxes[i];
    double front = -std::numeric_limits<double>::infinity();
    for (std::size_t j = 0; j < i; ++j) {
        if (in_front(boxes[j], s)) return order_fault::blocked;
        if (same_lane(boxes[j], s)) front = std::max(front, boxes[j].hi[1]);
    }
    if (!on_floor(s) && s.lo[1] < front - std::max(loader_reach, rows[i]) - tol)
        return order_fault::out_of_reach;
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
        if (stands_on(s, boxes[j])) return order_fault::support_after;
    }
    return order_fault::none;
}

// One block of the plan and how many of its rows the walls hold so far.
struct source {
    std::size_t index = 0;
    carton_block block;
    std::array<double, 3> size{};    // one carton as listed
    std::array<double, 3> carton{};  // one carton as it stands in the block
    std::int16_t next = 0;           // rows in the walls before
    std::int16_t take = 0;           // rows in the walls up to the one being built

    double row_start(std::int64_t r) const { return block.y + static_cast<double>(r) * carton[1]; }
    block_box rows(std::int16_t from, std::int16_t to) const {
        const block_box whole = box_of(block, size);
        return {{whole.lo[0], row_start(from), whole.lo[2]},
                {whole.hi[0], row_start(to), whole.hi[2]}};
    }
    bool left() const { return next < block.count_y; }
    // Its rows that end by `y`, at least those already taken.
    std::int16_t rows_ending_by(double y) const {
        return rows_within(std::floor((y + tol - block.y) / carton[1]));
    }
    // Its rows that start before `y`, at least those already taken.
    std::int16_t rows_starting_before(double y) const {
        return rows_within(std::ceil((y - tol - block.y) / carton[1]));
    }
    // A count of rows kept from `next` to `take`; a hand-edited plan's
    // position beyond any number counts as none.
    std::int16_t rows_within(double n) const {
        return std::isnan(n) ? next : static_cast<std::int16_t>(std::clamp<double>(n, next, take));
    }
};

// The rows of `s` the wall may take while `t`'s rows beyond the wall wait:
// none standing on them, none in front of them.
std::int16_t rows_allowed(const source& s, const source& t) {
    if (t.take >= t.block.count_y || s.take <= s.next) return s.take;
    const block_box mine = s.rows(s.next, s.take);
    const block_box later = t.rows(t.take, t.block.count_y);
    std::int16_t take = s.take;
    if (stands_on(mine, later)) take = std::min(take, s.rows_ending_by(later.lo[1]));
    const block_box first = t.rows(t.take, static_cast<std::int16_t>(t.take + 1));
    if (same_lane(mine, first) && spans_overlap(mine.lo[2], mine.hi[2], first.lo[2], first.hi[2]))
        take = std::min(take, s.rows_starting_before(first.hi[1]));
    return take;
}

// Fills each source's `take` with the rows that end by `end`, less any that
// would leave a later row blocked or standing on nothing; whether it took any.
bool take_rows(std::vector<source>& sources, double end) {
    for (source& s : sources) {
        s.take = s.block.count_y;  // the most, which rows_ending_by keeps to
        s.take = s.left() ? s.rows_ending_by(end) : s.next;
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (source& s : sources) {
            for (const source& t : sources) {
                if (&s == &t) continue;
                const std::int16_t take = rows_allowed(s, t);
                changed = changed || take != s.take;
                s.take = take;
            }
        }
    }
    return std::any_of(sources.begin(), sources.end(),
                       [](const source& s) { return s.take > s.next; });
}

// Fills each source's `take` with the rows of the next wall: those within
// the reach of its far side, less any that would leave a later row blocked
// or standing on nothing. When a row carries what stands within the reach
// but itself ends beyond it, the wall goes deeper, row by row, and the
// check names the step out of reach: such a plan admits no order from the
// floor.
void take_wall(std::vector<source>& sources) {
    double far = std::numeric_limits<double>::infinity();
    for (const source& s : sources) {
        if (s.left()) far = std::min(far, s.row_start(s.next));
    }
    double end = far + loader_reach;
    while (!take_rows(sources, end)) {
        double deeper = std::numeric_limits<double>::infinity();
        for (const source& s : sources) {
            const double row_end = s.row_start(s.next + 1);
            if (s.left() && row_end > end + tol) deeper = std::min(deeper, row_end);
        }
        if (!std::isfinite(deeper)) break;
        end = deeper;
    }
    if (std::any_of(sources.begin(), sources.end(),
                    [](const source& s) { return s.take > s.next; }))
        return;
    // Rows waiting for each other (blocks under and in front of each other
    // at once): the farthest goes in, and the check names the step.
    const auto first =
        std::min_element(sources.begin(), sources.end(), [](const source& a, const source& b) {
            return std::make_tuple(!a.left(), a.row_start(a.next)) <
                   std::make_tuple(!b.left(), b.row_start(b.next));
        });
    first->take = static_cast<std::int16_t>(first->next + 1);
}

std::int16_t& count_along(carton_block& b, std::size_t axis) {
    return axis == 0 ? b.count_x : axis == 1 ? b.count_y : b.count_z;
}

// Two parts of one type and orientation that together form one box, as one.
std::optional<carton_block> joined(const carton_block& a, const carton_block& b,
                                   std::span<const carton_rules> types) {
    if (a.type != b.type || a.orientation != b.orientation) return std::nullopt;
    const block_box p = box_of(a, types[a.type].size), q = box_of(b, types[b.type].size);
    for (std::size_t k = 0; k < 3; ++k) {
        bool flush = true;
        for (std::size_t m = 0; m < 3; ++m) {
            if (m != k)
                flush = flush && faces_meet(p.lo[m], q.lo[m]) && faces_meet(p.hi[m], q.hi[m]);
        }
        if (!flush) continue;
        const bool after = faces_meet(p.hi[k], q.lo[k]);
        if (!after && !faces_meet(q.hi[k], p.lo[k])) continue;
        carton_block j = after ? a : b;
        carton_block other = after ? b : a;
        const int sum = count_along(j, k) + count_along(other, k);
        if (sum > std::numeric_limits<std::int16_t>::max()) return std::nullopt;
        count_along(j, k) = static_cast<std::int16_t>(sum);
        return j;
    }
    return std::nullopt;
}

void merge_parts(std::vector<wall_step>& parts, std::span<const carton_rules> types) {
    for (std::size_t i = 0; i < parts.size(); ++i) {
        for (std::size_t j = i + 1; j < parts.size(); ++j) {
            const std::optional<carton_block> one = joined(parts[i].part, parts[j].part, types);
            if (!one) continue;
            parts[i].part = *one;
            parts[i].block = std::min(parts[i].block, parts[j].block);
            parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(j));
            // What grew may now join a part passed over.
            j = i;
        }
    }
}

// A wall's parts bottom up, then far before near, then from the left; never
// one before what carries it or behind it.
std::vector<wall_step> wall_in_order(const std::vector<wall_step>& parts,
                                     std::span<const carton_rules> types) {
    std::vector<block_box> boxes;
    for (const wall_step& p : parts) boxes.push_back(box_of(p.part, types[p.part.type].size));
    const auto waits = [&](std::size_t i, std::size_t j) {
        return stands_on(boxes[i], boxes[j]) || in_front(boxes[i], boxes[j]);
    };
    const auto key = [&](std::size_t k) {
        return std::tie(boxes[k].lo[2], boxes[k].lo[1], boxes[k].lo[0]);
    };
    std::vector<char> loaded(parts.size(), 0);
    std::vector<wall_step> out;
    while (out.size() < parts.size()) {
        std::optional<std::size_t> next, any;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (loaded[i] != 0) continue;
            if (!any || key(i) < key(*any)) any = i;
            bool ready = true;
            for (std::size_t j = 0; j < parts.size() && ready; ++j)
                ready = loaded[j] != 0 || j == i || !waits(i, j);
            if (ready && (!next || key(i) < key(*next))) next = i;
        }
        // Parts waiting for each other in a ring: the check names the step.
        const std::size_t k = next ? *next : *any;
        loaded[k] = 1;
        out.push_back(parts[k]);
    }
    return out;
}

}  // namespace

order_check check_loading_order(std::span<const carton_block> steps,
                                std::span<const carton_rules> types) {
    VARNEL_EXPECTS(known_sizes(types));
    VARNEL_EXPECTS(std::all_of(steps.begin(), steps.end(),
                               [&](const carton_block& s) { return s.type < types.size(); }));
    std::vector<block_box> boxes;
    std::vector<double> rows;
    for (const carton_block& s : steps) {
        boxes.push_back(box_of(s, types[s.type].size));
        // A loaded pallet goes in by fork-lift: no loader's arm limits how
        // deep it is set.
        rows.push_back(types[s.type].pallet ? std::numeric_limits<double>::infinity()
                                            : rotated(types[s.type].size, s.orientation)[1]);
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (holds_nothing(steps[i])) continue;
        const order_fault f = fault_of(i, boxes, rows);
        if (f != order_fault::none) return {f, i};
    }
    return {};
}

wall_order loading_walls(const block_list& blocks, std::span<const carton_rules> types) {
    VARNEL_EXPECTS(known_sizes(types));
    std::vector<source> sources;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const carton_block& b = blocks[i];
        if (holds_nothing(b) || b.type >= types.size()) continue;
        source s;
        s.index = i;
        s.block = b;
        s.size = types[b.type].size;
        s.carton = rotated(types[b.type].size, b.orientation);
        sources.push_back(s);
    }
    wall_order out;
    while (std::any_of(sources.begin(), sources.end(), [](const source& s) { return s.left(); })) {
        take_wall(sources);
        std::vector<wall_step> parts;
        for (source& s : sources) {
            if (s.take == s.next) continue;
            carton_block part = s.block;
            part.y = s.row_start(s.next);
            part.count_y = static_cast<std::int16_t>(s.take - s.next);
            parts.push_back({part, s.index, out.walls.size()});
            s.next = s.take;
        }
        merge_parts(parts, types);
        wall_span span{std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()};
        for (const wall_step& p : wall_in_order(parts, types)) {
            const block_box b = box_of(p.part, types[p.part.type].size);
            span.from = std::min(span.from, b.lo[1]);
            span.to = std::max(span.to, b.hi[1]);
            out.steps.push_back(p);
        }
        out.walls.push_back(span);
    }
    const block_list parts = step_parts(out);
    out.check = check_loading_order(parts, types);
    return out;
}

block_list step_parts(const wall_order& order) {
    block_list parts;
    for (const wall_step& s : order.steps) parts.push_back(s.part);
    return parts;
}

}  // namespace varnel
