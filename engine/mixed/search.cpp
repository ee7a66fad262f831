#include "engine/mixed/search.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "engine/mixed/candidates.h"

namespace varnel::mixed {

namespace {

// A node's next space where some block fits, found by retiring those where
// none does, with its `k` best blocks; nothing when the packing is complete.
// The meter is charged after each space scanned, `work` (done on the packing
// since it was last charged) with the first.
std::optional<space> next_open_space(packing& p, std::size_t k, work_meter& meter,
                                     candidate_scan& scan, std::vector<std::size_t>& blocks,
                                     std::uint64_t work) {
    while (const std::optional<space> s = p.next_space(work)) {
        scan.best_blocks(p, *s, k, blocks, work);
        meter.spend(std::exchange(work, 0));
        if (!blocks.empty()) return s;
        p.retire(*s);
    }
    meter.spend(work);
    return std::nullopt;
}

// Whether `a` holds more than `b` or, with the balance asked, as much
// better balanced. With the balance asked, a load whose centre lies outside
// the band across the width or along the length (moved as a whole) counts
// as holding `balance_trade` less: walls turned or shifted later seldom
// bring it back, and a container out of balance may not be shipped. A
// load of every carton left is never traded: what it leaves would take a
// container of its own, and walls moved later may still balance it.
bool better(const packing& a, const packing& b) {
    const std::optional<double>& band = a.context().goods->limits.balance_share;
    if (!band) return a.volume() > b.volume();
    const std::int64_t whole = a.context().whole;
    if ((a.volume() == whole) != (b.volume() == whole)) return a.volume() == whole;
    const auto worth = [&](const packing& p) {
        const double trade =
            p.off_across() > *band || p.off_along() > *band ? p.context().balance_trade : 0.0;
        return static_cast<double>(p.volume()) * (1.0 - trade);
    };
    if (worth(a) != worth(b)) return worth(a) > worth(b);
    return a.imbalance() < b.imbalance();
}

// Whether no packing can be better than `p`: it loads every carton left
// and, with the balance asked, lies within the band. A part load out of
// balance is searched on for a balanced one while the budget lasts.
bool settled(const packing& p) {
    if (p.volume() < p.context().whole) return false;
    const std::optional<double>& band = p.context().goods->limits.balance_share;
    return !band || (p.off_across() <= *band && p.off_along() <= *band);
}

// A packing of the beam, and the work of its last placement, charged with
// its next space.
struct beam_node {
    packing p;
    std::uint64_t unpaid = 0;
};

// A child of a beam node: the block tried in the node's space, judged by
// the volume its greedy fill reaches. Only the children kept are built.
struct child {
    std::int64_t judged = 0;
    std::size_t parent = 0;
    std::size_t block = 0;
    space where;
};

// One beam search of width `width` from the empty container, trying the
// `successors` best blocks in each node's space; `best` keeps the fullest
// packing any greedy fill reached. True when the search saw every packing
// it could reach: the beam dropped no node and every space had fewer
// blocks than were tried.
bool beam_search(const packing_context& context, space_order order, std::size_t width,
                 std::size_t successors, packing& best, work_meter& meter) {
    std::vector<beam_node> beam{{packing(context, order)}};
    candidate_scan scan;
    std::vector<std::size_t> blocks;
    bool whole = true;
    while (!beam.empty() && !meter.stopped()) {
        std::vector<child> children;
        for (std::size_t n = 0; n < beam.size(); ++n) {
            const std::optional<space> s = next_open_space(
                beam[n].p, successors, meter, scan, blocks, std::exchange(beam[n].unpaid, 0));
            if (!s) continue;
            whole = whole && blocks.size() < successors;
            for (const std::size_t b : blocks) {
                meter.spend(copy_work(beam[n].p));
                packing filled = beam[n].p;
                std::uint64_t placing = 0;
                filled.place(b, *s, placing);
                fill_greedily(filled, meter, placing);
                if (better(filled, best)) best = filled;
                children.push_back({filled.volume(), n, b, *s});
                if (meter.stopped()) return false;
            }
        }
        std::stable_sort(children.begin(), children.end(),
                         [](const child& a, const child& b) { return a.judged > b.judged; });
        if (children.size() > width) {
            whole = false;
            children.resize(width);
        }
        std::vector<beam_node> next;
        for (const child& c : children) {
            meter.spend(copy_work(beam[c.parent].p));
            next.push_back({beam[c.parent].p});
            next.back().p.place(c.block, c.where, next.back().unpaid);
        }
        beam = std::move(next);
    }
    return whole && !meter.stopped();
}

// The searches of one container's load, one per space order.
struct order_search {
    space_order order;
    std::size_t width = 1;       // the beam's width in its next run
    std::size_t successors = 1;  // the blocks tried in each space in its next run
    bool done = false;
    double cost = 0.0;  // the units its last run took per node of the beam's width
};

// Widens the next runs to what the budget left affords for every order still
// searching, by what a node of width cost each in its last run: a beam's
// work grows about as its width, and doubling alone would spend half the
// budget on runs narrower than the last.
void widen(std::vector<order_search>& searches, const work_meter& meter, std::size_t max_width) {
    double cost = 0.0;
    for (const order_search& s : searches) cost += s.done ? 0.0 : s.cost;
    if (cost <= 0.0) return;
    // Capped before it is made a count: a budget without end affords any.
    const auto affordable = static_cast<std::size_t>(
        std::min(static_cast<double>(meter.left()) / cost, static_cast<double>(max_width)));
    for (order_search& s : searches) {
        if (!s.done && affordable > s.width) s.width = affordable;
    }
}

}  // namespace

void fill_greedily(packing& p, work_meter& meter, std::uint64_t unpaid) {
    candidate_scan scan;
    std::vector<std::size_t> blocks;
    while (!meter.stopped()) {
        const std::optional<space> s =
            next_open_space(p, 1, meter, scan, blocks, std::exchange(unpaid, 0));
        if (!s) return;
        p.place(blocks.front(), *s, unpaid);
        meter.spend(std::exchange(unpaid, 0));
    }
}

namespace {

// The space orders the search runs: with many types left both, else one.
std::vector<space_order> orders_for(const packing_context& context, const mixed_parameters& p,
                                    bool first = false) {
    std::size_t types = 0;
    for (const cargo_type& t : context.goods->types) types += t.quantity > 0 && !t.poses.empty();
    // The first fill of a list with weight limits tries both: the limits
    // change which order fills better, and a fill is cheap.
    if (types >= p.two_orders_from_types || (first && context.goods->limits.on))
        return {space_order::corner_first, space_order::lowest_first};
    return {space_order::corner_first};
}

}  // namespace

packing first_fill(const packing_context& context, const mixed_parameters& p, work_meter& meter) {
    packing best(context);
    std::uint64_t work = 0;
    for (const space_order order : orders_for(context, p, true)) {
        work_meter unbounded(~std::uint64_t{0}, nullptr, 1e300);
        packing filled(context, order);
        fill_greedily(filled, unbounded);
        work += unbounded.used();
        if (better(filled, best)) best = filled;
    }
    meter.spend(work);
    return best;
}

packing search_load(const packing_context& context, const mixed_parameters& p, work_meter& meter) {
    return widen_search(context, p, meter, first_fill(context, p, meter));
}

packing widen_search(const packing_context& context, const mixed_parameters& p, work_meter& meter,
                     packing best) {
    // One search per space order, each run in turn at the same effort, so
    // that each takes about its share of the budget.
    std::vector<order_search> searches;
    for (const space_order order : orders_for(context, p))
        searches.push_back({order, p.first_width, p.successors});
    // Each run widens the beam, at least twice and as far as the budget
    // affords, and once it is as wide as allowed doubles the blocks tried in
    // each space.
    bool any = true;
    while (any && !meter.stopped() && !settled(best)) {
        any = false;
        for (order_search& s : searches) {
            // A load of every carton (balanced, when asked) ends the search
            // in either order.
            if (s.done || meter.stopped() || settled(best)) continue;
            any = true;
            const std::uint64_t before = meter.used();
            const bool complete = beam_search(context, s.order, s.width, s.successors, best, meter);
            s.cost = static_cast<double>(meter.used() - before) / static_cast<double>(s.width);
            if (complete) {
                s.done = true;
            } else if (s.width < p.max_width) {
                s.width *= 2;
            } else if (s.successors < context.blocks->size()) {
                s.successors *= 2;
            } else {
                // Every block is tried in every space already: a run again
                // would find the same packings.
                s.done = true;
            }
        }
        if (!meter.stopped()) widen(searches, meter, p.max_width);
    }
    return best;
}

}  // namespace varnel::mixed
