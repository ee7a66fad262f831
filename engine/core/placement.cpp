#include "engine/core/placement.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "engine/core/box.h"
#include "engine/core/expects.h"

namespace varnel {

namespace {

constexpr double tol = contact_tolerance;

// A block as the box it fills, with one carton's extents.
struct placed : block_box {
    std::array<double, 3> carton{};
    std::array<std::int64_t, 3> count{};
    std::size_t index = 0;
    std::size_t type = 0;
};

struct rect {
    double x0, x1, y0, y1;
};

// Sorted coordinates, those closer than the tolerance taken as one.
std::vector<double> edges(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::vector<double> out;
    for (double e : v) {
        if (out.empty() || e - out.back() > tol) out.push_back(e);
    }
    return out;
}

// The carton indices [first, last] along one axis of a block starting at
// `origin` that a stretch [a, b] of its base reaches into by more than the
// tolerance.
std::pair<std::int64_t, std::int64_t> reached(double a, double b, double origin, double side,
                                              std::int64_t count) {
    const auto first = static_cast<std::int64_t>(std::floor((a - origin + tol) / side));
    const auto last = static_cast<std::int64_t>(std::ceil((b - origin - tol) / side)) - 1;
    return {std::clamp<std::int64_t>(first, 0, count - 1),
            std::clamp<std::int64_t>(last, 0, count - 1)};
}

// The cartons of the block's bottom layer that some part of the base left
// uncovered by `tops` reaches. The base is cut along every edge of the tops
// into cells, each wholly covered or not; the carton index ranges the
// uncovered cells reach are counted once each.
std::int64_t short_of(const placed& b, const std::vector<rect>& tops) {
    std::vector<double> xv{b.lo[0], b.hi[0]}, yv{b.lo[1], b.hi[1]};
    for (const rect& t : tops) {
        xv.insert(xv.end(),
                  {std::clamp(t.x0, b.lo[0], b.hi[0]), std::clamp(t.x1, b.lo[0], b.hi[0])});
        yv.insert(yv.end(),
                  {std::clamp(t.y0, b.lo[1], b.hi[1]), std::clamp(t.y1, b.lo[1], b.hi[1])});
    }
    const std::vector<double> xs = edges(std::move(xv)), ys = edges(std::move(yv));
    struct span {
        std::int64_t first, last;
    };
    std::vector<span> ix, iy;
    std::vector<std::int64_t> bx, by;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        const auto [f, l] = reached(xs[i], xs[i + 1], b.lo[0], b.carton[0], b.count[0]);
        ix.push_back({f, l});
        bx.insert(bx.end(), {f, l + 1});
    }
    for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
        const auto [f, l] = reached(ys[j], ys[j + 1], b.lo[1], b.carton[1], b.count[1]);
        iy.push_back({f, l});
        by.insert(by.end(), {f, l + 1});
    }
    std::sort(bx.begin(), bx.end());
    bx.erase(std::unique(bx.begin(), bx.end()), bx.end());
    std::sort(by.begin(), by.end());
    by.erase(std::unique(by.begin(), by.end()), by.end());
    const auto slot = [](const std::vector<std::int64_t>& v, std::int64_t k) {
        return static_cast<std::size_t>(std::lower_bound(v.begin(), v.end(), k) - v.begin());
    };
    std::vector<char> marked(bx.size() * by.size(), 0);
    for (std::size_t i = 0; i < ix.size(); ++i) {
        const double cx = (xs[i] + xs[i + 1]) / 2;
        for (std::size_t j = 0; j < iy.size(); ++j) {
            const double cy = (ys[j] + ys[j + 1]) / 2;
            const bool covered = std::any_of(tops.begin(), tops.end(), [&](const rect& t) {
                return t.x0 < cx && cx < t.x1 && t.y0 < cy && cy < t.y1;
            });
            if (covered) continue;
            for (std::size_t a = slot(bx, ix[i].first); a < slot(bx, ix[i].last + 1); ++a) {
                for (std::size_t c = slot(by, iy[j].first); c < slot(by, iy[j].last + 1); ++c) {
                    marked[a * by.size() + c] = 1;
                }
            }
        }
    }
    std::int64_t cartons = 0;
    for (std::size_t a = 0; a + 1 < bx.size(); ++a) {
        for (std::size_t c = 0; c + 1 < by.size(); ++c) {
            if (marked[a * by.size() + c] != 0)
                cartons += (bx[a + 1] - bx[a]) * (by[c + 1] - by[c]);
        }
    }
    return cartons;
}

std::vector<placed> place(const block_list& blocks, std::span<const carton_rules> types) {
    std::vector<placed> out;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const carton_block& b = blocks[i];
        if (holds_nothing(b) || b.type >= types.size()) continue;
        placed p;
        static_cast<block_box&>(p) = box_of(b, types[b.type].size);
        p.carton = rotated(types[b.type].size, b.orientation);
        p.count = {b.count_x, b.count_y, b.count_z};
        p.index = i;
        p.type = b.type;
        out.push_back(p);
    }
    return out;
}

// The tops at the height of b's base that reach under it.
std::vector<rect> tops_under(const placed& b, const std::vector<placed>& all) {
    std::vector<rect> tops;
    for (const placed& s : all) {
        if (&s != &b && stands_on(b, s)) tops.push_back({s.lo[0], s.hi[0], s.lo[1], s.hi[1]});
    }
    return tops;
}

// Every type has a size to divide by and count along.
bool sized(std::span<const carton_rules> types) {
    return std::all_of(types.begin(), types.end(),
                       [](const carton_rules& t) { return positive_sides(t.size); });
}

// A plan as the rules see it: its blocks, the placed ones among them.
struct plan {
    const block_list& blocks;
    std::span<const carton_rules> types;
    const container_space& container;
    std::vector<placed> all;
    weight_rules weights;
};

// One carton of a block: its column across and along.
struct column {
    std::int64_t i = 0, j = 0;
};

double weight_of(const carton_rules& t) { return t.weight.value_or(0.0); }

// The base of block b's column c, seen from above.
rect base_of(const placed& b, column c) {
    const double x0 = b.lo[0] + static_cast<double>(c.i) * b.carton[0];
    const double y0 = b.lo[1] + static_cast<double>(c.j) * b.carton[1];
    return {x0, x0 + b.carton[0], y0, y0 + b.carton[1]};
}

// The top cartons of `below` that the base `r` of a carton above rests on,
// with the area it rests on each.
template <typename Visit>
void resting_on(const rect& r, const placed& below, Visit&& visit) {
    const auto [i0, i1] = reached(r.x0, r.x1, below.lo[0], below.carton[0], below.count[0]);
    const auto [j0, j1] = reached(r.y0, r.y1, below.lo[1], below.carton[1], below.count[1]);
    for (std::int64_t i = i0; i <= i1; ++i) {
        for (std::int64_t j = j0; j <= j1; ++j) {
            const rect t = base_of(below, {i, j});
            const double a = std::max(0.0, std::min(r.x1, t.x1) - std::max(r.x0, t.x0)) *
                             std::max(0.0, std::min(r.y1, t.y1) - std::max(r.y0, t.y0));
            if (a > 0.0) visit(column{i, j}, a);
        }
    }
}

// Indices into `all`, in the order of their bases' heights.
std::vector<std::size_t> by_height(const std::vector<placed>& all, bool downwards) {
    std::vector<std::size_t> order(all.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return downwards ? all[a].lo[2] > all[b].lo[2] : all[a].lo[2] < all[b].lo[2];
    });
    return order;
}

// The load on each top carton of every block, kg, from what stands on it,
// columns across then along. Blocks are taken from the highest base down,
// so that a block's load is whole before it passes it on.
std::vector<std::vector<double>> top_loads(const std::vector<placed>& all,
                                           std::span<const carton_rules> types) {
    std::vector<std::vector<double>> load(all.size());
    for (std::size_t k = 0; k < all.size(); ++k)
        load[k].assign(static_cast<std::size_t>(all[k].count[0] * all[k].count[1]), 0.0);
    struct contact {
        std::size_t block;
        std::size_t at;
        double area;
    };
    std::vector<contact> contacts;
    for (const std::size_t k : by_height(all, true)) {
        const placed& b = all[k];
        if (on_floor(b)) continue;
        const double own = static_cast<double>(b.count[2]) * weight_of(types[b.type]);
        for (std::int64_t i = 0; i < b.count[0]; ++i) {
            for (std::int64_t j = 0; j < b.count[1]; ++j) {
                const rect r = base_of(b, {i, j});
                contacts.clear();
                double area = 0.0;
                for (std::size_t s = 0; s < all.size(); ++s) {
                    if (s == k || !stands_on(b, all[s])) continue;
                    resting_on(r, all[s], [&](column c, double a) {
                        contacts.push_back(
                            {s, static_cast<std::size_t>(c.i * all[s].count[1] + c.j), a});
                        area += a;
                    });
                }
                const double passed = load[k][static_cast<std::size_t>(i * b.count[1] + j)] + own;
                for (const contact& c : contacts) load[c.block][c.at] += passed * c.area / area;
            }
        }
    }
    return load;
}

// The most a carton of each block carries: the bottom one of its column.
std::vector<double> most_carried(const std::vector<placed>& all,
                                 std::span<const carton_rules> types) {
    const std::vector<std::vector<double>> load = top_loads(all, types);
    std::vector<double> most(all.size(), 0.0);
    for (std::size_t k = 0; k < all.size(); ++k) {
        const double own = static_cast<double>(all[k].count[2] - 1) * weight_of(types[all[k].type]);
        for (const double l : load[k]) most[k] = std::max(most[k], l + own);
    }
    return most;
}

// Each rule gives the block where it is first found broken, in the order the
// checker has always scanned: blocks in list order, pairs by their first.
using found = std::optional<std::size_t>;

found unknown_type(const plan& p) {
    for (std::size_t i = 0; i < p.blocks.size(); ++i) {
        if (!holds_nothing(p.blocks[i]) && p.blocks[i].type >= p.types.size()) return i;
    }
    return std::nullopt;
}

found wrong_orientation(const plan& p) {
    for (std::size_t i = 0; i < p.blocks.size(); ++i) {
        const carton_block& b = p.blocks[i];
        if (!holds_nothing(b) && b.type < p.types.size() &&
            !p.types[b.type].allowed.allows(b.orientation))
            return i;
    }
    return std::nullopt;
}

found outside(const plan& p) {
    for (const placed& b : p.all) {
        if (!inside(b, p.container.size)) return b.index;
    }
    return std::nullopt;
}

found overlapping(const plan& p) {
    for (std::size_t i = 0; i < p.all.size(); ++i) {
        for (std::size_t j = i + 1; j < p.all.size(); ++j) {
            if (boxes_overlap(p.all[i], p.all[j])) return p.all[j].index;
        }
    }
    return std::nullopt;
}

struct support {
    std::int64_t short_cartons = 0;  // in every block
    found first_short;
};

support support_of(const plan& p) {
    support s;
    for (const placed& b : p.all) {
        if (on_floor(b)) continue;
        const std::int64_t n = short_of(b, tops_under(b, p.all));
        s.short_cartons += n;
        if (n > 0 && !s.first_short) s.first_short = b.index;
    }
    return s;
}

// A carton of a type that carries nothing with another on it: within its
// own block (more than one layer) or from a block standing on it.
found on_unstackable(const plan& p) {
    for (const placed& b : p.all) {
        if (p.types[b.type].stackable) continue;
        if (b.count[2] > 1) return b.index;
        for (const placed& above : p.all) {
            if (&above != &b && stands_on(above, b)) return above.index;
        }
    }
    return std::nullopt;
}

// A loaded pallet on loose cartons, or loose cartons on a loaded pallet.
found pallet_mixed(const plan& p) {
    if (std::none_of(p.types.begin(), p.types.end(),
                     [](const carton_rules& t) { return t.pallet; }))
        return std::nullopt;
    for (const placed& above : p.all) {
        for (const placed& below : p.all) {
            if (&below != &above && p.types[above.type].pallet != p.types[below.type].pallet &&
                stands_on(above, below))
                return above.index;
        }
    }
    return std::nullopt;
}

found over_quantity(const plan& p) {
    std::vector<std::int64_t> loaded(p.types.size(), 0);
    for (const placed& b : p.all) loaded[b.type] += b.count[0] * b.count[1] * b.count[2];
    for (std::size_t t = 0; t < p.types.size(); ++t) {
        if (p.types[t].quantity && loaded[t] > *p.types[t].quantity) {
            const auto it = std::find_if(p.all.begin(), p.all.end(),
                                         [t](const placed& b) { return b.type == t; });
            return it->index;
        }
    }
    return std::nullopt;
}

// Heavier than the payload, when every type loaded is weighed; found at the
// last block.
found overweight(const plan& p) {
    double weight = 0.0;
    for (const placed& b : p.all) {
        const std::optional<double>& w = p.types[b.type].weight;
        if (!w) return std::nullopt;
        weight += static_cast<double>(b.count[0] * b.count[1] * b.count[2]) * *w;
    }
    const std::optional<double>& payload = p.container.payload;
    if (payload && weight > *payload * (1 + weight_share) && !p.all.empty())
        return p.all.back().index;
    return std::nullopt;
}

// A carton carrying more than its type may, found at its block.
found overloaded(const plan& p) {
    if (std::none_of(p.types.begin(), p.types.end(),
                     [](const carton_rules& t) { return t.max_load.has_value(); }))
        return std::nullopt;
    const std::vector<double> most = most_carried(p.all, p.types);
    for (std::size_t k = 0; k < p.all.size(); ++k) {
        const std::optional<double>& limit = p.types[p.all[k].type].max_load;
        if (limit && most[k] > *limit * (1 + weight_share) + weight_share) return p.all[k].index;
    }
    return std::nullopt;
}

// A column of one type higher than it may be: the cartons of a type counted
// from the top of a column down through cartons of that type it rests on
// (loaded pallets of every type as one).
// Blocks are taken from the lowest base up, so that what a block stands on is
// counted before it.
found too_many_layers(const plan& p) {
    if (std::none_of(p.types.begin(), p.types.end(),
                     [](const carton_rules& t) { return t.max_layers.has_value(); }))
        return std::nullopt;
    // Loaded pallets make one column whatever they hold: two high means two
    // pallets, not two of each type.
    const auto one_column = [&](std::size_t a, std::size_t b) {
        return a == b || (p.types[a].pallet && p.types[b].pallet);
    };
    std::vector<std::vector<std::int64_t>> top(p.all.size());
    std::optional<std::size_t> first;
    for (const std::size_t k : by_height(p.all, false)) {
        const placed& b = p.all[k];
        top[k].assign(static_cast<std::size_t>(b.count[0] * b.count[1]), b.count[2]);
        for (std::int64_t i = 0; i < b.count[0]; ++i) {
            for (std::int64_t j = 0; j < b.count[1]; ++j) {
                std::int64_t under = 0;
                for (std::size_t s = 0; s < p.all.size(); ++s) {
                    if (s == k || !one_column(b.type, p.all[s].type) || !stands_on(b, p.all[s]))
                        continue;
                    resting_on(base_of(b, {i, j}), p.all[s], [&](column c, double) {
                        under = std::max(
                            under, top[s][static_cast<std::size_t>(c.i * p.all[s].count[1] + c.j)]);
                    });
                }
                top[k][static_cast<std::size_t>(i * b.count[1] + j)] += under;
            }
        }
        const std::optional<std::int64_t>& most = p.types[b.type].max_layers;
        const std::int64_t high = *std::max_element(top[k].begin(), top[k].end());
        if (most && high > *most && (!first || b.index < *first)) first = b.index;
    }
    return first;
}

// A carton on one of a lighter type, when both are weighed.
found heavy_on_light(const plan& p) {
    if (!p.weights.heavy_not_on_light) return std::nullopt;
    for (const placed& above : p.all) {
        const std::optional<double>& w = p.types[above.type].weight;
        if (!w) continue;
        for (const placed& below : p.all) {
            const std::optional<double>& v = p.types[below.type].weight;
            if (&below != &above && v && *w > *v && stands_on(above, below)) return above.index;
        }
    }
    return std::nullopt;
}

std::optional<balance_figures> balance(const plan& p, double share) {
    double weight = 0.0;
    std::array<double, 3> moment{};
    for (const placed& b : p.all) {
        const std::optional<double>& w = p.types[b.type].weight;
        if (!w) return std::nullopt;
        const double m = static_cast<double>(b.count[0] * b.count[1] * b.count[2]) * *w;
        weight += m;
        for (std::size_t k = 0; k < 3; ++k) moment[k] += m * (b.lo[k] + b.hi[k]) / 2;
    }
    if (!(weight > 0.0)) return std::nullopt;
    balance_figures f;
    for (std::size_t k = 0; k < 3; ++k) f.centre[k] = moment[k] / weight;
    for (std::size_t k = 0; k < 2; ++k) {
        f.offset[k] = f.centre[k] - p.container.size[k] / 2;
        f.band[k] = share * p.container.size[k];
        f.holds = f.holds && std::fabs(f.offset[k]) <= f.band[k] + contact_tolerance;
    }
    return f;
}

// The centre of gravity outside the band; found at the last block.
found unbalanced(const plan& p) {
    if (!p.weights.balance_share || p.all.empty()) return std::nullopt;
    const std::optional<balance_figures> f = balance(p, *p.weights.balance_share);
    if (f && !f->holds) return p.all.back().index;
    return std::nullopt;
}

}  // namespace

std::vector<double> loads_carried(const block_list& blocks, std::span<const carton_rules> types) {
    VARNEL_EXPECTS(sized(types));
    const std::vector<placed> all = place(blocks, types);
    const std::vector<double> most = most_carried(all, types);
    std::vector<double> out(blocks.size(), 0.0);
    for (std::size_t k = 0; k < all.size(); ++k) out[all[k].index] = most[k];
    return out;
}

std::optional<balance_figures> balance_of(const block_list& blocks,
                                          std::span<const carton_rules> types,
                                          const container_space& container, double share) {
    VARNEL_EXPECTS(sized(types));
    const plan p{blocks, types, container, place(blocks, types), {}};
    return balance(p, share);
}

std::vector<std::size_t> loading_order(const block_list& blocks,
                                       std::span<const carton_rules> types) {
    VARNEL_EXPECTS(sized(types));
    const std::vector<placed> all = place(blocks, types);
    // under[i]: the blocks whose tops reach under block i's base.
    std::vector<std::vector<std::size_t>> under(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = 0; j < all.size(); ++j) {
            if (i != j && lies_under(all[j], all[i])) under[i].push_back(j);
        }
    }
    std::vector<char> loaded(all.size(), 0);
    std::vector<std::size_t> order;
    while (order.size() < all.size()) {
        std::optional<std::size_t> next;
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (loaded[i] != 0) continue;
            const bool ready = std::all_of(under[i].begin(), under[i].end(),
                                           [&](std::size_t j) { return loaded[j] != 0; });
            const auto key = [&](std::size_t k) {
                return std::tie(all[k].lo[1], all[k].lo[2], all[k].lo[0]);
            };
            if (ready && (!next || key(i) < key(*next))) next = i;
        }
        // Blocks under each other in a cycle cannot stand; take the rest as
        // they come so that every block is named once.
        if (!next)
            next = static_cast<std::size_t>(std::find(loaded.begin(), loaded.end(), 0) -
                                            loaded.begin());
        loaded[*next] = 1;
        order.push_back(all[*next].index);
    }
    return order;
}

std::int64_t unsupported_cartons(const block_list& blocks, std::span<const carton_rules> types) {
    VARNEL_EXPECTS(sized(types));
    const std::vector<placed> all = place(blocks, types);
    std::int64_t cartons = 0;
    for (const placed& b : all) {
        if (!on_floor(b)) cartons += short_of(b, tops_under(b, all));
    }
    return cartons;
}

std::int64_t unsupported_on(const carton_block& block, const block_list& below,
                            std::span<const carton_rules> types) {
    VARNEL_EXPECTS(sized(types));
    block_list all{block};
    all.insert(all.end(), below.begin(), below.end());
    const std::vector<placed> p = place(all, types);
    if (p.empty() || p[0].index != 0 || on_floor(p[0])) return 0;
    return short_of(p[0], tops_under(p[0], p));
}

placement_report check_placement(const block_list& blocks, std::span<const carton_rules> types,
                                 const container_space& container, const weight_rules& weights) {
    VARNEL_EXPECTS(sized(types));
    const plan p{blocks, types, container, place(blocks, types), weights};
    placement_report r;
    const auto note = [&r](placement_fault f, std::optional<std::size_t> block) {
        if (block && r.fault == placement_fault::none) r.fault = f, r.block = block;
    };
    // Every rule runs, so that the cartons short of support are counted
    // whatever rule comes first.
    note(placement_fault::unknown_type, unknown_type(p));
    note(placement_fault::orientation, wrong_orientation(p));
    note(placement_fault::outside, outside(p));
    note(placement_fault::overlap, overlapping(p));
    const support s = support_of(p);
    r.unsupported_cartons = s.short_cartons;
    note(placement_fault::unsupported, s.first_short);
    note(placement_fault::on_unstackable, on_unstackable(p));
    note(placement_fault::pallet_mixed, pallet_mixed(p));
    note(placement_fault::quantity, over_quantity(p));
    note(placement_fault::overweight, overweight(p));
    note(placement_fault::overloaded, overloaded(p));
    note(placement_fault::too_many_layers, too_many_layers(p));
    note(placement_fault::heavy_on_light, heavy_on_light(p));
    note(placement_fault::unbalanced, unbalanced(p));
    return r;
}

}  // namespace varnel
