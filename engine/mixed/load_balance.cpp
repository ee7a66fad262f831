#include "engine/mixed/load_balance.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "engine/core/box.h"
#include "engine/core/loading_walls.h"
#include "engine/core/placement.h"

namespace varnel {

namespace {

// A wall: blocks whose spans along the length overlap, one after another.
struct wall {
    std::vector<std::size_t> blocks;
    double y0 = 0.0, y1 = 0.0;
    double mass = 0.0;
    double moment = 0.0;  // mass times centre, from y0
    // Whether a crew still reaches every row of it turned end for end: what
    // stood within reach of the door may not from the far end.
    bool may_turn = true;
    double depth() const { return y1 - y0; }
};

// A layout of the walls: their order from the far end and which are turned
// end for end.
struct layout {
    std::vector<std::size_t> order;
    std::vector<char> turned;
};

double weight_of(const carton_block& b, std::span<const carton_rules> types) {
    return static_cast<double>(carton_count(b)) * types[b.type].weight.value_or(0.0);
}

std::vector<wall> walls_of(const block_list& blocks, std::span<const carton_rules> types,
                           const std::vector<block_box>& boxes) {
    std::vector<std::size_t> by_start(blocks.size());
    std::iota(by_start.begin(), by_start.end(), std::size_t{0});
    std::stable_sort(by_start.begin(), by_start.end(),
                     [&](std::size_t a, std::size_t b) { return boxes[a].lo[1] < boxes[b].lo[1]; });
    std::vector<wall> walls;
    for (const std::size_t i : by_start) {
        const block_box& b = boxes[i];
        if (walls.empty() || b.lo[1] >= walls.back().y1 - contact_tolerance)
            walls.push_back({{}, b.lo[1], b.hi[1], 0.0, 0.0});
        wall& w = walls.back();
        w.blocks.push_back(i);
        w.y1 = std::max(w.y1, b.hi[1]);
    }
    for (wall& w : walls) {
        block_list turned;
        for (const std::size_t i : w.blocks) {
            const double m = weight_of(blocks[i], types);
            w.mass += m;
            w.moment += m * ((boxes[i].lo[1] + boxes[i].hi[1]) / 2 - w.y0);
            turned.push_back(blocks[i]);
            turned.back().y = w.y1 - boxes[i].hi[1];
        }
        w.may_turn = loading_walls(turned, types).check.valid();
    }
    return walls;
}

// The centre of gravity along the length of `l` closed up from the far end.
double centre_along(const std::vector<wall>& walls, const layout& l, double mass) {
    double at = 0.0, moment = 0.0;
    for (std::size_t k = 0; k < l.order.size(); ++k) {
        const wall& w = walls[l.order[k]];
        moment += at * w.mass + (l.turned[k] != 0 ? w.mass * w.depth() - w.moment : w.moment);
        at += w.depth();
    }
    return moment / mass;
}

// How far from the middle the centre stays at best, the whole load shifted
// anywhere within `slack`.
double miss(double centre, double slack, double middle) {
    return std::max({0.0, centre - middle, middle - (centre + slack)});
}

// Swaps of two walls and turns of one that bring the centre nearer the
// middle, the best first, until it lies within `band` or none helps.
void improve(const std::vector<wall>& walls, layout& l, double mass, double slack, double middle,
             double band) {
    double now = miss(centre_along(walls, l, mass), slack, middle);
    // Each pass takes one step; the walls of a container are few.
    for (std::size_t pass = 0; pass < 4 * walls.size() && now > band; ++pass) {
        layout best = l;
        double best_miss = now;
        const auto consider = [&](const layout& c) {
            const double m = miss(centre_along(walls, c, mass), slack, middle);
            if (m < best_miss - contact_tolerance) best = c, best_miss = m;
        };
        for (std::size_t a = 0; a < l.order.size(); ++a) {
            layout c = l;
            c.turned[a] = c.turned[a] != 0 ? 0 : 1;
            if (walls[l.order[a]].may_turn) consider(c);
            for (std::size_t b = a + 1; b < l.order.size(); ++b) {
                c = l;
                std::swap(c.order[a], c.order[b]);
                std::swap(c.turned[a], c.turned[b]);
                consider(c);
            }
        }
        if (best_miss >= now) break;
        l = best;
        now = best_miss;
    }
}

// The shift within [0, slack] that brings `centre` within `band` of
// `middle` moving the load least, a tenth of the band inside its edge; as
// near as it comes when none does.
double shift_for(double centre, double slack, double middle, double band) {
    const double inside = band * 0.9;
    if (centre >= middle - band) return 0.0;
    return std::clamp(middle - inside - centre, 0.0, slack);
}

// `blocks` cut across the length wherever no carton lies across the cut,
// at most `most` cuts spread along it: a block running the whole length
// makes the load one wall, and no wall could be moved or turned. A carton
// stands only on cartons under its own base, so each piece keeps its
// support.
block_list cut_across_length(const block_list& blocks, std::span<const carton_rules> types,
                             std::size_t most) {
    std::vector<block_box> boxes;
    std::vector<double> cuts;
    for (const carton_block& b : blocks) {
        boxes.push_back(box_of(b, types[b.type].size));
        const double row = (boxes.back().hi[1] - b.y) / b.count_y;
        for (int k = 1; k < b.count_y; ++k) cuts.push_back(b.y + k * row);
        cuts.push_back(boxes.back().hi[1]);
    }
    std::sort(cuts.begin(), cuts.end());
    // Whether block i has a row boundary at `c` or lies wholly to one side.
    const auto clear = [&](std::size_t i, double c) {
        const block_box& b = boxes[i];
        if (c <= b.lo[1] + contact_tolerance || c >= b.hi[1] - contact_tolerance) return true;
        const double rows = (c - b.lo[1]) / ((b.hi[1] - b.lo[1]) / blocks[i].count_y);
        return std::fabs(rows - std::round(rows)) * (b.hi[1] - b.lo[1]) / blocks[i].count_y <=
               contact_tolerance;
    };
    std::vector<double> valid;
    for (const double c : cuts) {
        if (!valid.empty() && c <= valid.back() + contact_tolerance) continue;
        bool all = true;
        for (std::size_t i = 0; i < blocks.size() && all; ++i) all = clear(i, c);
        if (all) valid.push_back(c);
    }
    if (valid.size() > most) {
        std::vector<double> spread;
        for (std::size_t k = 0; k < most; ++k) spread.push_back(valid[k * valid.size() / most]);
        valid = std::move(spread);
    }
    block_list out;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].count_y <= 0) {  // no rows to cut
            out.push_back(blocks[i]);
            continue;
        }
        const double row = (boxes[i].hi[1] - boxes[i].lo[1]) / blocks[i].count_y;
        carton_block piece = blocks[i];
        int done = 0;  // rows of the block already cut off
        for (const double c : valid) {
            if (c <= boxes[i].lo[1] + contact_tolerance || c >= boxes[i].hi[1] - contact_tolerance)
                continue;
            const int upto = static_cast<int>(std::lround((c - boxes[i].lo[1]) / row));
            piece.y = boxes[i].lo[1] + done * row;
            piece.count_y = static_cast<std::int16_t>(upto - done);
            out.push_back(piece);
            done = upto;
        }
        piece.y = boxes[i].lo[1] + done * row;
        piece.count_y = static_cast<std::int16_t>(blocks[i].count_y - done);
        out.push_back(piece);
    }
    return out;
}

// How far outside its band the centre of `blocks` lies, across and along
// together, in band widths; none for a load with no weight.
double outside_band(const block_list& blocks, std::span<const carton_rules> types,
                    const container_space& container, double share) {
    const std::optional<balance_figures> f = balance_of(blocks, types, container, share);
    if (!f) return 0.0;
    double out = 0.0;
    for (std::size_t a = 0; a < 2; ++a) {
        if (f->band[a] > 0.0) out += std::max(0.0, std::fabs(f->offset[a]) / f->band[a] - 1.0);
    }
    return out;
}

block_list settled_walls(const block_list& blocks, std::span<const carton_rules> types,
                         const container_space& container, std::optional<double> share);

// `blocks` with their stacks slid across the width towards the middle, the
// heaviest first, each as far as the centre of gravity still needs and the
// stacks beside it allow. A stack is the blocks joined by standing on one
// another, and those whose footprints meet: it stands on the floor alone, so
// moved whole it keeps every carton on what it stood on. A part load of a
// wall of its own has the room to be balanced that whole walls have not.
block_list slid_across(const block_list& blocks, std::span<const carton_rules> types,
                       const container_space& container, double share) {
    std::vector<block_box> boxes;
    for (const carton_block& b : blocks) boxes.push_back(box_of(b, types[b.type].size));
    const auto apart = [](double a0, double a1, double b0, double b1) {
        return a1 <= b0 + contact_tolerance || b1 <= a0 + contact_tolerance;
    };
    // Stacks by union-find over footprints that overlap.
    std::vector<std::size_t> root(blocks.size());
    std::iota(root.begin(), root.end(), std::size_t{0});
    const auto find = [&](std::size_t i) {
        while (root[i] != i) i = root[i] = root[root[i]];
        return i;
    };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        for (std::size_t j = i + 1; j < blocks.size(); ++j) {
            if (!apart(boxes[i].lo[0], boxes[i].hi[0], boxes[j].lo[0], boxes[j].hi[0]) &&
                !apart(boxes[i].lo[1], boxes[i].hi[1], boxes[j].lo[1], boxes[j].hi[1]))
                root[find(i)] = find(j);
        }
    }
    struct stack {
        std::vector<std::size_t> blocks;
        block_box box{{1e300, 1e300, 1e300}, {-1e300, -1e300, -1e300}};
        double mass = 0.0;
    };
    std::vector<stack> stacks(blocks.size());
    double mass = 0.0, moment = 0.0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        stack& k = stacks[find(i)];
        k.blocks.push_back(i);
        for (std::size_t a = 0; a < 3; ++a) {
            k.box.lo[a] = std::min(k.box.lo[a], boxes[i].lo[a]);
            k.box.hi[a] = std::max(k.box.hi[a], boxes[i].hi[a]);
        }
        const double m = weight_of(blocks[i], types);
        k.mass += m;
        mass += m;
        moment += m * (boxes[i].lo[0] + boxes[i].hi[0]) / 2;
    }
    std::erase_if(stacks, [](const stack& k) { return k.blocks.empty(); });
    if (!(mass > 0.0)) return blocks;
    const double width = container.size[0], half = width / 2, band = share * width;
    const double centre = moment / mass;
    if (std::fabs(centre - half) <= band) return blocks;
    double needed = ((centre < half ? half - band * 0.9 : half + band * 0.9) - centre) * mass;
    std::vector<std::size_t> by_mass(stacks.size());
    std::iota(by_mass.begin(), by_mass.end(), std::size_t{0});
    std::stable_sort(by_mass.begin(), by_mass.end(),
                     [&](std::size_t a, std::size_t b) { return stacks[a].mass > stacks[b].mass; });
    block_list out = blocks;
    for (const std::size_t k : by_mass) {
        stack& u = stacks[k];
        if (std::fabs(needed) <= contact_tolerance || !(u.mass > 0.0)) break;
        // The room beside it: up to the stacks alongside it on the length.
        double lo = 0.0, hi = width;
        for (const stack& v : stacks) {
            if (&v == &u || apart(u.box.lo[1], u.box.hi[1], v.box.lo[1], v.box.hi[1])) continue;
            if (v.box.hi[0] <= u.box.lo[0] + contact_tolerance) {
                lo = std::max(lo, v.box.hi[0]);
            } else if (v.box.lo[0] >= u.box.hi[0] - contact_tolerance) {
                hi = std::min(hi, v.box.lo[0]);
            } else {
                // In a bend of its outline: it stays where it is.
                lo = u.box.lo[0], hi = u.box.hi[0];
            }
        }
        const double want = needed / u.mass;
        const double by =
            want > 0 ? std::min(want, hi - u.box.hi[0]) : std::max(want, lo - u.box.lo[0]);
        if (by * want <= 0.0) continue;
        for (const std::size_t i : u.blocks) out[i].x += by;
        u.box.lo[0] += by;
        u.box.hi[0] += by;
        needed -= by * u.mass;
    }
    return out;
}

}  // namespace

block_list settled_load(const block_list& blocks, std::span<const carton_rules> types,
                        const container_space& container, std::optional<double> share) {
    block_list out = settled_walls(blocks, types, container, share);
    if (!share) return out;
    double miss = outside_band(out, types, container, *share);
    // Walls as thin as the cartons allow, when the load's own walls cannot
    // bring the centre within the band, then stacks slid across; each taken
    // when better and a crew can still follow.
    const auto take = [&](const block_list& tried) {
        const double m = outside_band(tried, types, container, *share);
        if (m < miss && loading_walls(tried, types).check.valid()) out = tried, miss = m;
    };
    constexpr std::size_t most_cuts = 40;
    if (miss > 0.0) {
        const block_list cut = cut_across_length(blocks, types, most_cuts);
        if (cut.size() > blocks.size()) take(settled_walls(cut, types, container, share));
    }
    if (miss > 0.0) take(slid_across(out, types, container, *share));
    return out;
}

namespace {

block_list settled_walls(const block_list& blocks, std::span<const carton_rules> types,
                         const container_space& container, std::optional<double> share) {
    std::vector<block_box> boxes;
    for (const carton_block& b : blocks) boxes.push_back(box_of(b, types[b.type].size));
    const std::vector<wall> walls = walls_of(blocks, types, boxes);
    if (walls.empty()) return blocks;
    layout l;
    for (std::size_t k = 0; k < walls.size(); ++k) l.order.push_back(k), l.turned.push_back(0);
    double length = 0.0, mass = 0.0;
    for (const wall& w : walls) length += w.depth(), mass += w.mass;
    const double slack = std::max(0.0, container.size[1] - length);
    const double middle = container.size[1] / 2;
    const bool weighed = share && mass > 0.0;
    double shift = 0.0;
    if (weighed) {
        const double band = *share * container.size[1];
        improve(walls, l, mass, slack, middle, band);
        shift = shift_for(centre_along(walls, l, mass), slack, middle, band);
    }
    block_list out = blocks;
    double at = shift;
    for (std::size_t k = 0; k < l.order.size(); ++k) {
        const wall& w = walls[l.order[k]];
        for (const std::size_t i : w.blocks) {
            // Turned end for end, a block's far face goes where its near one was.
            const double from = l.turned[k] != 0 ? w.y1 - boxes[i].hi[1] : boxes[i].lo[1] - w.y0;
            out[i].y = at + from;
        }
        at += w.depth();
    }
    if (!weighed) return out;
    const double width = container.size[0], half = width / 2;
    const double band = *share * width;
    // Across, walls turned side for side (mirrored across the width), the
    // heaviest change first, while that brings the centre nearer the middle.
    std::vector<double> across_moment(walls.size(), 0.0);
    double moment = 0.0;
    for (std::size_t k = 0; k < walls.size(); ++k) {
        for (const std::size_t i : walls[k].blocks) {
            across_moment[k] += weight_of(blocks[i], types) * (boxes[i].lo[0] + boxes[i].hi[0]) / 2;
        }
        moment += across_moment[k];
    }
    std::vector<std::size_t> by_change(walls.size());
    std::iota(by_change.begin(), by_change.end(), std::size_t{0});
    const auto change = [&](std::size_t k) { return walls[k].mass * width - 2 * across_moment[k]; };
    std::stable_sort(by_change.begin(), by_change.end(), [&](std::size_t a, std::size_t b) {
        return std::fabs(change(a)) > std::fabs(change(b));
    });
    for (const std::size_t k : by_change) {
        const double off = moment / mass - half;
        if (std::fabs(off) <= band * 0.9) break;
        const double turned = (moment + change(k)) / mass - half;
        if (std::fabs(turned) >= std::fabs(off)) continue;
        moment += change(k);
        for (const std::size_t i : walls[k].blocks) out[i].x = width - boxes[i].hi[0];
    }
    // Then walls shifted across within the room beside each, the heaviest
    // first, each as far as the centre still needs and its room allows.
    const double centre = moment / mass;
    if (std::fabs(centre - half) <= band) return out;
    const double target = centre < half ? half - band * 0.9 : half + band * 0.9;
    double needed = (target - centre) * mass;  // the moment still to move
    std::vector<std::size_t> by_mass(walls.size());
    std::iota(by_mass.begin(), by_mass.end(), std::size_t{0});
    std::stable_sort(by_mass.begin(), by_mass.end(),
                     [&](std::size_t a, std::size_t b) { return walls[a].mass > walls[b].mass; });
    for (const std::size_t k : by_mass) {
        if (std::fabs(needed) <= contact_tolerance || !(walls[k].mass > 0.0)) break;
        double lo = width, hi = 0.0;
        for (const std::size_t i : walls[k].blocks) {
            lo = std::min(lo, out[i].x);
            hi = std::max(hi, out[i].x + boxes[i].hi[0] - boxes[i].lo[0]);
        }
        const double want = needed / walls[k].mass;
        const double by = want > 0 ? std::min(want, width - hi) : std::max(want, -lo);
        for (const std::size_t i : walls[k].blocks) out[i].x += by;
        needed -= by * walls[k].mass;
    }
    return out;
}

}  // namespace

}  // namespace varnel
