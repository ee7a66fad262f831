#include "engine/core/placement.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace varnel {

namespace {

constexpr double tol = contact_tolerance;

// A block as the box it fills, with one carton's extents.
struct placed {
    std::array<double, 3> lo{}, hi{}, carton{};
    std::array<std::int64_t, 3> count{};
    std::size_t index = 0;
    std::size_t type = 0;
};

struct rect {
    double x0, x1, y0, y1;
};

bool meet(double a0, double a1, double b0, double b1) { return a0 < b1 - tol && b0 < a1 - tol; }

bool overlap(const placed& a, const placed& b) {
    for (std::size_t k = 0; k < 3; ++k) {
        if (!meet(a.lo[k], a.hi[k], b.lo[k], b.hi[k])) return false;
    }
    return true;
}

bool empty(const carton_block& b) { return b.count_x <= 0 || b.count_y <= 0 || b.count_z <= 0; }

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
        if (empty(b) || b.type >= types.size()) continue;
        placed p;
        p.carton = rotated(types[b.type].size, b.orientation);
        p.count = {b.count_x, b.count_y, b.count_z};
        p.lo = {b.x, b.y, b.z};
        for (std::size_t k = 0; k < 3; ++k) {
            p.hi[k] = p.lo[k] + static_cast<double>(p.count[k]) * p.carton[k];
        }
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
        if (&s == &b || std::fabs(s.hi[2] - b.lo[2]) > tol) continue;
        if (!meet(s.lo[0], s.hi[0], b.lo[0], b.hi[0]) || !meet(s.lo[1], s.hi[1], b.lo[1], b.hi[1]))
            continue;
        tops.push_back({s.lo[0], s.hi[0], s.lo[1], s.hi[1]});
    }
    return tops;
}

}  // namespace

std::vector<std::size_t> loading_order(const block_list& blocks,
                                       std::span<const carton_rules> types) {
    const std::vector<placed> all = place(blocks, types);
    // under[i]: the blocks whose tops reach under block i's base.
    std::vector<std::vector<std::size_t>> under(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = 0; j < all.size(); ++j) {
            if (i != j && all[j].hi[2] <= all[i].lo[2] + tol &&
                meet(all[j].lo[0], all[j].hi[0], all[i].lo[0], all[i].hi[0]) &&
                meet(all[j].lo[1], all[j].hi[1], all[i].lo[1], all[i].hi[1]))
                under[i].push_back(j);
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
    const std::vector<placed> all = place(blocks, types);
    std::int64_t cartons = 0;
    for (const placed& b : all) {
        if (b.lo[2] > tol) cartons += short_of(b, tops_under(b, all));
    }
    return cartons;
}

std::int64_t unsupported_on(const carton_block& block, const block_list& below,
                            std::span<const carton_rules> types) {
    block_list all{block};
    all.insert(all.end(), below.begin(), below.end());
    const std::vector<placed> p = place(all, types);
    if (p.empty() || p[0].index != 0 || p[0].lo[2] <= tol) return 0;
    return short_of(p[0], tops_under(p[0], p));
}

placement_report check_placement(const block_list& blocks, std::span<const carton_rules> types,
                                 const container_space& container) {
    placement_report r;
    const auto fail = [&r](placement_fault f, std::size_t block) {
        if (r.fault == placement_fault::none) r.fault = f, r.block = block;
    };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (empty(blocks[i])) continue;
        if (blocks[i].type >= types.size()) fail(placement_fault::unknown_type, i);
    }
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const carton_block& b = blocks[i];
        if (!empty(b) && b.type < types.size() && !types[b.type].allowed.allows(b.orientation))
            fail(placement_fault::orientation, i);
    }
    const std::vector<placed> all = place(blocks, types);
    for (const placed& p : all) {
        for (std::size_t k = 0; k < 3; ++k) {
            if (!(p.lo[k] >= -tol && p.hi[k] <= container.size[k] + tol))
                fail(placement_fault::outside, p.index);
        }
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            if (overlap(all[i], all[j])) fail(placement_fault::overlap, all[j].index);
        }
    }
    for (const placed& b : all) {
        if (b.lo[2] <= tol) continue;
        const std::int64_t short_cartons = short_of(b, tops_under(b, all));
        r.unsupported_cartons += short_cartons;
        if (short_cartons > 0) fail(placement_fault::unsupported, b.index);
    }
    for (const placed& b : all) {
        if (types[b.type].stackable) continue;
        if (b.count[2] > 1) fail(placement_fault::on_unstackable, b.index);
        for (const placed& above : all) {
            if (&above != &b && std::fabs(above.lo[2] - b.hi[2]) <= tol &&
                meet(above.lo[0], above.hi[0], b.lo[0], b.hi[0]) &&
                meet(above.lo[1], above.hi[1], b.lo[1], b.hi[1]))
                fail(placement_fault::on_unstackable, above.index);
        }
    }
    std::vector<std::int64_t> loaded(types.size(), 0);
    double weight = 0.0;
    bool weighed = true;
    for (const placed& b : all) {
        const std::int64_t n = b.count[0] * b.count[1] * b.count[2];
        loaded[b.type] += n;
        if (types[b.type].weight) {
            weight += static_cast<double>(n) * *types[b.type].weight;
        } else {
            weighed = false;
        }
    }
    for (std::size_t t = 0; t < types.size(); ++t) {
        if (types[t].quantity && loaded[t] > *types[t].quantity) {
            const auto it =
                std::find_if(all.begin(), all.end(), [t](const placed& p) { return p.type == t; });
            fail(placement_fault::quantity, it->index);
        }
    }
    if (weighed && container.payload && weight > *container.payload * (1 + 1e-9) && !all.empty())
        fail(placement_fault::overweight, all.back().index);
    return r;
}

}  // namespace varnel
