// The mixed-load planner's parts, each against a brute-force model small
// enough to trust: the free space, the fill lengths and the blocks; and the
// search against what it promises whatever its budget.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/core/placement.h"
#include "engine/mixed/blocks.h"
#include "engine/mixed/candidates.h"
#include "engine/mixed/cargo.h"
#include "engine/mixed/fill_lengths.h"
#include "engine/mixed/free_space.h"
#include "engine/mixed/load_balance.h"
#include "engine/mixed/packing.h"
#include "engine/mixed/search.h"
#include "tests/support/mixed_lists.h"

namespace varnel::mixed {
namespace {

// The unit cells of a square floor plan [0, side)²: an area cell by cell.
class cells {
public:
    explicit cells(length side) : side_(side), in_(static_cast<std::size_t>(side * side), 0) {}

    length side() const { return side_; }
    bool has(length x, length y) const {
        return x >= 0 && y >= 0 && x < side_ && y < side_ && in_[index(x, y)] != 0;
    }
    void set(length x, length y, bool on) { in_[index(x, y)] = on ? 1 : 0; }
    void add(const rect& r) {
        for (length x = r.x0; x < r.x1; ++x) {
            for (length y = r.y0; y < r.y1; ++y) set(x, y, true);
        }
    }
    bool holds(const rect& r) const {
        for (length x = r.x0; x < r.x1; ++x) {
            for (length y = r.y0; y < r.y1; ++y) {
                if (!has(x, y)) return false;
            }
        }
        return true;
    }

private:
    std::size_t index(length x, length y) const { return static_cast<std::size_t>(x * side_ + y); }

    length side_;
    std::vector<char> in_;
};

// A seeded draw from [0, n).
length below(std::mt19937& random, length n) {
    return static_cast<length>(random() % static_cast<std::uint64_t>(n));
}

bool holds(const rect& outer, const rect& inner) {
    return outer.x0 <= inner.x0 && inner.x1 <= outer.x1 && outer.y0 <= inner.y0 &&
           inner.y1 <= outer.y1;
}

std::string text(const rect& r) {
    return "[" + std::to_string(r.x0) + "," + std::to_string(r.x1) + ")x[" + std::to_string(r.y0) +
           "," + std::to_string(r.y1) + ")";
}

// `rs` are exactly the maximal rectangles of `area`: each lies in it and
// grows out of it by a unit on any side, none holds another, and together
// they cover every cell of it.
void expect_maximal_rectangles(const cells& area, const std::vector<rect>& rs,
                               const std::string& name) {
    for (std::size_t i = 0; i < rs.size(); ++i) {
        const rect& r = rs[i];
        EXPECT_TRUE(r.width() > 0 && r.depth() > 0 && area.holds(r)) << name << ": " << text(r);
        for (const rect& grown :
             {rect{r.x0 - 1, r.x1, r.y0, r.y1}, rect{r.x0, r.x1 + 1, r.y0, r.y1},
              rect{r.x0, r.x1, r.y0 - 1, r.y1}, rect{r.x0, r.x1, r.y0, r.y1 + 1}}) {
            EXPECT_FALSE(area.holds(grown))
                << name << ": " << text(r) << " grows to " << text(grown);
        }
        for (std::size_t j = 0; j < rs.size(); ++j) {
            EXPECT_FALSE(j != i && holds(rs[j], r))
                << name << ": " << text(rs[j]) << " holds " << text(r);
        }
    }
    for (length x = 0; x < area.side(); ++x) {
        for (length y = 0; y < area.side(); ++y) {
            const bool covered = std::any_of(rs.begin(), rs.end(), [x, y](const rect& r) {
                return r.x0 <= x && x < r.x1 && r.y0 <= y && y < r.y1;
            });
            EXPECT_EQ(covered, area.has(x, y)) << name << ": cell " << x << "," << y;
        }
    }
}

TEST(MixedParts, MaximalRectanglesCoverTheUnionExactly) {
    constexpr length side = 10;
    EXPECT_TRUE(maximal_rectangles({}).empty());
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        const auto draw = [&random](length n) { return below(random, n); };
        std::vector<rect> parts;
        cells area(side);
        for (length i = 0, n = 1 + draw(6); i < n; ++i) {
            const length x0 = draw(side), y0 = draw(side);
            parts.push_back({x0, x0 + 1 + draw(side - x0), y0, y0 + 1 + draw(side - y0)});
            area.add(parts.back());
        }
        expect_maximal_rectangles(area, maximal_rectangles(parts), "seed " + std::to_string(seed));
    }
}

// Cartons placed anywhere on a space the free space offers, some carrying
// what comes on them and some not. The model: per height, the cells of the
// floor or of carrying tops there, and the cells taken by cartons standing
// there. After every carton the spaces at each height are exactly the
// maximal rectangles of what is carrying and not taken.
TEST(MixedParts, FreeSpaceIsTheMaximalRectanglesOfEachHeightsFreeSurface) {
    constexpr length side = 12, roof = 10, highest = 8;
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        std::mt19937 random(seed);
        const auto draw = [&random](length n) { return below(random, n); };
        free_space free({side, side, roof}, highest);
        std::vector<cells> carrying(roof + 1, cells(side)), taken(roof + 1, cells(side));
        const auto level = [](length z) { return static_cast<std::size_t>(z); };
        carrying[0].add({0, side, 0, side});
        for (int step = 0;; ++step) {
            const std::string name =
                "seed " + std::to_string(seed) + ", step " + std::to_string(step);
            std::vector<space> spaces;
            free.each_space(highest, [&spaces](const space& s) { spaces.push_back(s); });
            for (length z = 0; z <= highest; ++z) {
                cells open(side);
                for (length x = 0; x < side; ++x) {
                    for (length y = 0; y < side; ++y) {
                        open.set(x, y, carrying[level(z)].has(x, y) && !taken[level(z)].has(x, y));
                    }
                }
                std::vector<rect> at_z;
                for (const space& s : spaces) {
                    if (s.z == z) at_z.push_back(s.area);
                }
                expect_maximal_rectangles(open, at_z, name + ", height " + std::to_string(z));
            }
            for (const space& s : spaces) EXPECT_LE(s.z, highest) << name;
            if (HasFailure()) return;  // the first wrong step tells all
            if (spaces.empty() || step == 40) break;

            const space& s = spaces[static_cast<std::size_t>(draw(std::ssize(spaces)))];
            const length w = 1 + draw(s.area.width()), d = 1 + draw(s.area.depth());
            const length x0 = s.area.x0 + draw(s.area.width() - w + 1);
            const length y0 = s.area.y0 + draw(s.area.depth() - d + 1);
            const rect footprint{x0, x0 + w, y0, y0 + d};
            const length top = s.z + 1 + draw(std::min<length>(3, roof - s.z));
            free.occupy(footprint, s.z);
            taken[level(s.z)].add(footprint);
            if (draw(4) != 0) {
                free.add_top(footprint, top);
                carrying[level(top)].add(footprint);
            }
        }
    }
}

// Along each axis, the fill of every length up to the container is the
// largest sum of the sides of cartons still to load that fits, by an
// unbounded subset sum over every length.
TEST(MixedParts, FillLengthsAreTheLargestSumsOfSidesLeft) {
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        const std::string name = "seed " + std::to_string(seed);
        const mixed_request r = test_support::seeded_list(seed, false);
        // Every third type is loaded already: its sides fill nothing.
        std::vector<std::int64_t> left;
        for (std::size_t t = 0; t < r.cartons.size(); ++t) {
            left.push_back(t % 3 == 1 ? 0 : r.cartons[t].quantity);
        }
        const cargo c = cargo_of(r, left);
        // Millimetre steps keep every table short enough to be exact.
        ASSERT_EQ(c.steps.step_mm, 1.0) << name;
        const fill_lengths fills(c, r.parameters.most_fill_steps);
        for (std::size_t axis = 0; axis < 3; ++axis) {
            const length most = c.container[axis];
            std::vector<char> sum(static_cast<std::size_t>(most) + 1, 0);
            sum[0] = 1;
            for (length l = 1; l <= most; ++l) {
                for (const cargo_type& t : c.types) {
                    for (const pose& p : t.poses) {
                        const length rest = l - p.size[axis];
                        if (t.quantity > 0 && rest >= 0 && sum[static_cast<std::size_t>(rest)])
                            sum[static_cast<std::size_t>(l)] = 1;
                    }
                }
            }
            length best = 0, wrong = 0;
            for (length l = 0; l <= most; ++l) {
                if (sum[static_cast<std::size_t>(l)]) best = l;
                if (fills.fill(axis, l) != best && wrong++ == 0) {
                    ADD_FAILURE() << name << ", axis " << axis << ": fill of " << l << " is "
                                  << fills.fill(axis, l) << ", the largest sum " << best;
                }
            }
            EXPECT_EQ(wrong, 0) << name << ", axis " << axis;
        }
    }
}

// Whether the rectangles `cover` cover all of `r`: every cell of the grid
// their edges and r's make inside r lies in one of them.
bool covers(const std::vector<rect>& cover, const rect& r) {
    std::vector<length> xs{r.x0, r.x1}, ys{r.y0, r.y1};
    for (const rect& c : cover) {
        for (const length x : {c.x0, c.x1}) {
            if (r.x0 < x && x < r.x1) xs.push_back(x);
        }
        for (const length y : {c.y0, c.y1}) {
            if (r.y0 < y && y < r.y1) ys.push_back(y);
        }
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            const rect cell{xs[i], xs[i + 1], ys[j], ys[j + 1]};
            if (cell.width() == 0 || cell.depth() == 0) continue;
            if (std::none_of(cover.begin(), cover.end(),
                             [&cell](const rect& c) { return holds(c, cell); }))
                return false;
        }
    }
    return true;
}

// Every block of seeded lists (a few cartons a type, so that blocks combine
// rather than fill the list with simple ones), at the fill the program keeps
// and at a looser one that combines more: its simple blocks at the origin
// keep every rule in its box, they are its needs and its volume, and its
// carrying top is wholly stackable cartons' tops at its full height. Every
// third list takes its first two types for loaded pallets: blocks join
// pallets on pallets and cartons on cartons alone, weighed or not.
TEST(MixedParts, EveryBlockIsItsCartonsStandingInItsBox) {
    std::size_t combined = 0;
    for (const double min_fill : {0.98, 0.9}) {
        for (std::uint32_t seed = 1; seed <= 12; ++seed) {
            const std::string name =
                "seed " + std::to_string(seed) + ", fill " + std::to_string(min_fill);
            mixed_request r = test_support::seeded_list(seed, false);
            std::vector<std::int64_t> left;
            for (carton_type& t : r.cartons) {
                t.quantity = std::min<std::int64_t>(t.quantity, 6);
                left.push_back(t.quantity);
            }
            for (std::size_t t = 0; t < std::min<std::size_t>(2, r.cartons.size()) && seed % 3 == 0;
                 ++t)
                r.cartons[t].pallet = true;
            r.parameters.min_fill = min_fill;
            const cargo c = cargo_of(r, left);
            work_meter meter(100'000'000, nullptr, 60.0);
            const block_set blocks(c, r.parameters, meter);
            std::vector<carton_rules> rules = rules_of(r.cartons);
            for (std::size_t t = 0; t < rules.size(); ++t) rules[t].quantity = left[t];

            for (std::size_t i = 0; i < blocks.size(); ++i) {
                const block& b = blocks[i];
                const std::string at = name + ", block " + std::to_string(i);
                std::vector<leaf> leaves;
                leaves_of(blocks, {i, {0, 0, 0}, false, false}, leaves);
                block_list cartons;
                std::vector<std::int64_t> held(left.size(), 0);
                std::int64_t volume = 0;
                double weight = 0.0;
                std::vector<rect> tops;
                for (const leaf& l : leaves) {
                    const block& s = blocks[l.block];
                    ASSERT_TRUE(s.simple) << at;
                    cartons.push_back({c.steps.mm(l.at[0]), c.steps.mm(l.at[1]),
                                       c.steps.mm(l.at[2]), s.orientation, s.count[0], s.count[1],
                                       s.count[2], s.type});
                    const std::int64_t n = std::int64_t{s.count[0]} * s.count[1] * s.count[2];
                    held[s.type] += n;
                    volume += n * c.types[s.type].volume;
                    weight += static_cast<double>(n) * c.types[s.type].weight;
                    if (c.types[s.type].stackable && l.at[2] + s.size[2] == b.size[2])
                        tops.push_back(
                            {l.at[0], l.at[0] + s.size[0], l.at[1], l.at[1] + s.size[1]});
                }
                const placement_report report = check_placement(
                    cartons, rules,
                    {{c.steps.mm(b.size[0]), c.steps.mm(b.size[1]), c.steps.mm(b.size[2])},
                     std::nullopt});
                EXPECT_TRUE(report.valid()) << at << ": rule " << static_cast<int>(report.fault);
                std::vector<std::int64_t> needed(left.size(), 0);
                for (const type_count& n : blocks.needs(b)) {
                    EXPECT_LE(n.count, c.types[n.type].quantity) << at;
                    needed[n.type] += n.count;
                }
                EXPECT_EQ(needed, held) << at;
                EXPECT_EQ(b.volume, volume) << at;
                EXPECT_NEAR(b.weight, weight, 1e-9 * (1 + weight)) << at;
                if (!b.simple) {
                    ++combined;
                    const double box = static_cast<double>(b.size[0]) *
                                       static_cast<double>(b.size[1]) *
                                       static_cast<double>(b.size[2]);
                    EXPECT_GE(static_cast<double>(volume) / box, min_fill) << at;
                }
                EXPECT_TRUE(b.top[0] <= b.size[0] && b.top[1] <= b.size[1]) << at;
                if (b.top[0] > 0 && b.top[1] > 0) {
                    EXPECT_TRUE(covers(tops, {0, b.top[0], 0, b.top[1]})) << at;
                }
                if (b.simple && !c.types[b.type].stackable) {
                    EXPECT_EQ(b.count[2], 1) << at;
                    EXPECT_EQ(b.top, (std::array<length, 2>{0, 0})) << at;
                }
            }
        }
    }
    // The lists are made to combine; a test of simple blocks alone proves little.
    EXPECT_GT(combined, 1000u);
}

// A row above the floor lies within the reach of the load's face when
// what the crew loads before it (the rows it stands on, and theirs) ends
// within the reach of its far side, or of its own depth when that is more.
TEST(MixedParts, RowsAboveTheFloorStayWithinReach) {
    // Under: rows `row` deep from y 0 to 3480, x 0 to 1000, top at 500.
    const auto under = [](length row, length lag, length x0 = 0) {
        return held{{x0, x0 + 1000, 0, 3480}, 500, 0.0, 0, 0.0, row, lag};
    };
    struct row_case {
        const char* name;
        length y0, row, rows;
        held below;
        std::optional<length> lag;
    };
    const row_case rows[] = {
        {"rows as deep as those under them", 0, 870, 4, under(870, 0), 0},
        {"873 on 870: the first row needs the second under it, 1.74 m in", 0, 873, 3, under(870, 0),
         std::nullopt},
        {"half rows on whole ones", 0, 435, 8, under(870, 0), 435},
        {"what the rows under need, passed on", 0, 870, 4, under(870, 600), 600},
        {"and beyond the reach", 0, 870, 4, under(870, 700), std::nullopt},
        {"a row deeper than the reach on rows as deep", 0, 1740, 2, under(1740, 0), 0},
        {"beside the rows, in another lane", 0, 873, 3, under(870, 900, 1000), 0},
    };
    for (const row_case& r : rows) {
        std::uint64_t work = 0;
        const std::vector<held> below{r.below};
        EXPECT_EQ(lag_of({0, 1000, r.y0, r.y0 + r.row * r.rows}, r.row, 500, below, 1500, work),
                  r.lag)
            << r.name;
    }
}

// A packing offers a space every block that fits it and that the cartons
// left still make: a block marked gone too early is lost to the search, one
// marked too late places cartons the list no longer holds.
TEST(MixedParts, ASpaceIsOfferedEveryBlockTheCartonsLeftStillMake) {
    std::vector<mixed_request> lists;
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        lists.push_back(test_support::seeded_list(seed, seed % 2 == 0));
    }
    // Two cartons that fill the container exactly: a block as large as its
    // room is offered too.
    mixed_request exact;
    exact.container = {600, 400, 300};
    carton_type two;
    two.size = {400, 300, 300};
    two.quantity = 2;
    exact.cartons.push_back(two);
    lists.push_back(exact);
    std::size_t offered = 0;
    for (std::size_t list = 0; list < lists.size(); ++list) {
        // The space alone decides here; what the weight rules take away the
        // weighed lists' test checks.
        mixed_request r = lists[list];
        r.weights.heavy_not_on_light = false;
        std::vector<std::int64_t> quantities;
        for (const carton_type& t : r.cartons) quantities.push_back(t.quantity);
        const cargo c = cargo_of(r, quantities);
        work_meter meter(100'000'000, nullptr, 60.0);
        const block_set blocks(c, r.parameters, meter);
        const fill_lengths fills(c, r.parameters.most_fill_steps);
        const packing_context context = context_for(c, blocks, fills, r.parameters);
        for (const space_order order : {space_order::corner_first, space_order::lowest_first}) {
            packing p(context, order);
            candidate_scan scan;
            std::vector<std::size_t> out;
            std::uint64_t work = 0;
            for (int step = 0; step < 400; ++step) {
                const std::optional<space> s = p.next_space(work);
                if (!s) break;
                std::vector<std::int64_t> left = quantities;
                double weight = 0.0;
                for (const placement& at : p.placed()) {
                    for (const type_count& n : blocks.needs(at.block)) left[n.type] -= n.count;
                    weight += blocks[at.block].weight;
                }
                const extent room{s->area.width(), s->area.depth(), c.container[2] - s->z};
                // What the loader's reach takes away its own test checks.
                std::vector<held> under, scratch;
                std::vector<leaf> leaves;
                p.held_under(*s, under);
                std::vector<std::size_t> expected;
                for (std::size_t i = 0; i < blocks.size(); ++i) {
                    const block& b = blocks[i];
                    bool makes = b.size[0] <= room[0] && b.size[1] <= room[1] &&
                                 b.size[2] <= room[2] &&
                                 (!c.payload || weight + b.weight <= *c.payload);
                    for (const type_count& n : blocks.needs(i))
                        makes = makes && n.count <= left[n.type];
                    if (makes && p.within_reach(i, *s, under, leaves, scratch, work))
                        expected.push_back(i);
                }
                scan.best_blocks(p, *s, blocks.size(), out, work);
                std::vector<std::size_t> got = out;
                std::sort(got.begin(), got.end());
                ASSERT_EQ(got, expected) << "list " << list << ", step " << step;
                offered += got.size();
                if (out.empty()) {
                    p.retire(*s);
                } else {
                    p.place(out.front(), *s, work);
                }
            }
        }
    }
    EXPECT_GT(offered, 10000u);
}

// Whatever its budget, the search stays within it, loads no less than the
// greedy fill of either space order, and gives the same load every time.
TEST(MixedParts, TheSearchKeepsItsBudgetAndBeatsTheGreedyFill) {
    const auto placements = [](const packing& p) {
        std::vector<std::array<length, 4>> v;
        for (const placement& at : p.placed())
            v.push_back({static_cast<length>(at.block), at.at[0], at.at[1], at.at[2]});
        return v;
    };
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        const mixed_request r = test_support::seeded_list(seed, seed % 2 == 0);
        std::vector<std::int64_t> quantities;
        for (const carton_type& t : r.cartons) quantities.push_back(t.quantity);
        const cargo c = cargo_of(r, quantities);
        work_meter for_blocks(100'000'000, nullptr, 60.0);
        const block_set blocks(c, r.parameters, for_blocks);
        const fill_lengths fills(c, r.parameters.most_fill_steps);
        const packing_context context = context_for(c, blocks, fills, r.parameters);
        std::int64_t greedy = 0;
        for (const space_order order : {space_order::corner_first, space_order::lowest_first}) {
            packing p(context, order);
            work_meter unbounded(~std::uint64_t{0}, nullptr, 60.0);
            fill_greedily(p, unbounded);
            greedy = std::max(greedy, p.volume());
        }
        for (const std::uint64_t budget :
             {std::uint64_t{0}, std::uint64_t{200'000}, std::uint64_t{3'000'000}}) {
            const std::string name =
                "list " + std::to_string(seed) + ", budget " + std::to_string(budget);
            work_meter first(budget, nullptr, 60.0), again(budget, nullptr, 60.0);
            const packing load = search_load(context, r.parameters, first);
            EXPECT_LE(first.used(), budget) << name;
            EXPECT_GE(load.volume(), greedy) << name;
            EXPECT_EQ(placements(search_load(context, r.parameters, again)), placements(load))
                << name;
        }
    }
}

// The room above a block counts only as far as its top can carry the
// cartons left: a slab that may take little on it ranks below a thinner one
// that carries the rest, and above it when it carries as much.
TEST(MixedParts, TheRoomAboveABlockCountsAsFarAsItsTopCarries) {
    struct row {
        double thick_carries;  // kg on the thicker slab's top
        bool thick_first;
    };
    for (const row& r : {row{0.0, false}, row{10.0, false}, row{1000.0, true}}) {
        mixed_request q;
        q.container = {1000, 1000, 1000};
        q.weights = {false, std::nullopt};
        for (const double height : {250.0, 500.0}) {
            carton_type slab;
            slab.size = {1000, 1000, height};
            slab.quantity = 1;
            slab.weight = 50.0;
            slab.max_load = height > 300.0 ? r.thick_carries : 1000.0;
            q.cartons.push_back(slab);
        }
        const cargo c = cargo_of(q, {1, 1});
        work_meter meter(100'000'000, nullptr, 60.0);
        const block_set blocks(c, q.parameters, meter);
        const fill_lengths fills(c, q.parameters.most_fill_steps);
        const packing_context context = context_for(c, blocks, fills, q.parameters);
        packing p(context);
        std::uint64_t work = 0;
        const std::optional<space> s = p.next_space(work);
        ASSERT_TRUE(s);
        candidate_scan scan;
        std::vector<std::size_t> out;
        scan.best_blocks(p, *s, blocks.size(), out, work);
        // Where each type's lone carton ranks.
        std::array<std::size_t, 2> rank{};
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (blocks[out[i]].simple) rank[blocks[out[i]].type] = i;
        }
        EXPECT_EQ(rank[1] < rank[0], r.thick_first) << r.thick_carries << " kg";
    }
}

// A part load settled: a heavy column across the width from light cartons,
// in one wall no cut divides, slides towards the middle until the centre
// of gravity is within the band, as far as the stacks beside it allow.
TEST(MixedParts, SettlingSlidesStacksAcrossToBalanceAPartLoad) {
    carton_rules light = single_carton(600, 400, 400);
    light.weight = 5.0;
    carton_rules heavy = single_carton(500, 500, 500);
    heavy.weight = 200.0;
    const std::vector<carton_rules> types{light, heavy};
    const container_space room{{2330, 5870, 2200}, {}};
    struct row {
        const char* name;
        block_list blocks;
        bool balanced;
    };
    const std::vector<row> rows{
        {"column by the right wall", {{0, 0, 0, 1, 1, 1, 1, 0}, {1830, 0, 0, 1, 1, 1, 3, 1}}, true},
        {"column hemmed in by light cartons",
         {{0, 0, 0, 1, 1, 2, 1, 0}, {600, 0, 0, 1, 1, 1, 3, 1}, {1100, 0, 0, 1, 2, 2, 1, 0}},
         false},
    };
    for (const row& r : rows) {
        const block_list settled = settled_load(r.blocks, types, room, 0.05);
        EXPECT_TRUE(check_placement(settled, types, room, {}).valid()) << r.name;
        const std::optional<balance_figures> f = balance_of(settled, types, room, 0.05);
        ASSERT_TRUE(f.has_value()) << r.name;
        EXPECT_EQ(f->holds, r.balanced) << r.name << ": " << f->offset[0] << " mm across";
    }
}

}  // namespace
}  // namespace varnel::mixed
