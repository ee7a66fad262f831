#include "engine/single/pallet_load.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <vector>

#include "engine/block_tables.h"
#include "engine/core/placement.h"
#include "engine/single/layer_bound.h"
#include "engine/single/layer_lp.h"
#include "engine/single/layer_raster.h"
#include "engine/single/layer_search.h"
#include "engine/single/mixed_one_type.h"
#include "engine/single/pallet_order.h"

namespace varnel {
namespace {

// The most l x w boxes in an L x W rectangle, by trying everything: the
// first empty cell of the grid the boxes' corners can lie on (sums of the
// sides; Herz 1972) either holds a box's corner, in one of its two turns,
// or stays empty. Whole numbers, small cases only.
class exhaustive_count {
public:
    exhaustive_count(int L, int W, int l, int w) : L_(L), W_(W), l_(l), w_(w) {
        xs_ = lines(L);
        ys_ = lines(W);
        used_.assign((xs_.size() - 1) * (ys_.size() - 1), false);
        search(0, 0);
    }
    int most() const { return best_; }

private:
    std::vector<int> lines(int side) const {
        std::vector<int> v{side};
        for (int a = 0; a <= side; a += l_)
            for (int s = a; s <= side; s += w_) v.push_back(s);
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
        return v;
    }
    std::size_t columns() const { return xs_.size() - 1; }
    int free_area(std::size_t from) const {
        int area = 0;
        for (std::size_t c = from; c < used_.size(); ++c) {
            const std::size_t i = c % columns(), j = c / columns();
            if (!used_[c]) area += (xs_[i + 1] - xs_[i]) * (ys_[j + 1] - ys_[j]);
        }
        return area;
    }
    // The cells a box at cell (i, j) would take, when it fits there.
    std::optional<std::array<std::size_t, 2>> fits(std::size_t i, std::size_t j, int a,
                                                   int b) const {
        const auto end = [](const std::vector<int>& v, int at) {
            return static_cast<std::size_t>(std::lower_bound(v.begin(), v.end(), at) - v.begin());
        };
        if (xs_[i] + a > L_ || ys_[j] + b > W_) return std::nullopt;
        const std::size_t i1 = end(xs_, xs_[i] + a), j1 = end(ys_, ys_[j] + b);
        for (std::size_t y = j; y < j1; ++y)
            for (std::size_t x = i; x < i1; ++x)
                if (used_[y * columns() + x]) return std::nullopt;
        return std::array<std::size_t, 2>{i1, j1};
    }
    void mark(std::size_t i, std::size_t j, std::array<std::size_t, 2> end, bool used) {
        for (std::size_t y = j; y < end[1]; ++y)
            for (std::size_t x = i; x < end[0]; ++x) used_[y * columns() + x] = used;
    }
    void search(std::size_t from, int placed) {
        while (from < used_.size() && used_[from]) ++from;
        if (placed + free_area(from) / (l_ * w_) <= best_) return;
        if (from == used_.size()) {
            best_ = placed;
            return;
        }
        const std::size_t i = from % columns(), j = from / columns();
        for (const auto& [a, b] : {std::pair{l_, w_}, {w_, l_}}) {
            const auto end = fits(i, j, a, b);
            if (!end) continue;
            mark(i, j, *end, true);
            search(from + 1, placed + 1);
            mark(i, j, *end, false);
        }
        used_[from] = true;  // left empty
        search(from + 1, placed);
        used_[from] = false;
    }

    int L_, W_, l_, w_;
    std::vector<int> xs_, ys_;
    std::vector<bool> used_;
    int best_ = 0;
};

// A layer's grids as blocks of cartons one high on a floor U x V.
placement_report check_layer(const pattern2d& layer, double U, double V, double p, double q) {
    block_list blocks;
    for (const rect_grid& g : layer.grids) {
        blocks.push_back({g.u, g.v, 0.0, static_cast<std::int16_t>(g.turned ? 3 : 1),
                          static_cast<std::int16_t>(g.nu), static_cast<std::int16_t>(g.nv), 1, 0});
    }
    const carton_rules rules = single_carton(p, q, 1.0, orientation_set::upright());
    return check_placement(blocks, std::span(&rules, 1), {{U, V, 1.0}, std::nullopt});
}

// Small layers, seeded: the layer search lays out exactly as many as fit,
// and never more than its bound, which never cuts below what fits.
TEST(LayerSearch, MatchesAnExhaustiveCountOnSmallLayers) {
    std::mt19937 random(40);
    const auto between = [&](int lo, int hi) {
        return lo + static_cast<int>(random() % static_cast<unsigned>(hi - lo + 1));
    };
    int compared = 0, beyond_cuts = 0;
    for (int n = 0; n < 150; ++n) {
        const int w = between(3, 9), l = between(w, 3 * w);
        const int W = between(l, 5 * w + l), L = between(W, 2 * W);
        if (L * W / (l * w) > 16) continue;  // the exhaustive count grows fast
        ++compared;
        SCOPED_TRACE(testing::Message() << L << " x " << W << ", boxes " << l << " x " << w);
        work_meter meter(default_work_budget, nullptr, 10.0);
        const layer_result found = best_layer(L, W, l, w, meter);
        const int most = exhaustive_count(L, W, l, w).most();
        EXPECT_EQ(found.pattern.count, most);
        EXPECT_GE(layer_bound(L, W, l, w), most);
        EXPECT_TRUE(check_layer(found.pattern, L, W, l, w).valid());
        beyond_cuts += best_pattern(L, W, l, w, meter).count < most ? 1 : 0;
    }
    EXPECT_GE(compared, 50);
    EXPECT_GE(beyond_cuts, 3);  // layers that no guillotine pattern fills are among them
}

// The linear bound, on seeded small layers, never cuts below what fits by
// the exhaustive count: its corners, and its folding by the mirror images,
// keep a packing as good as any.
TEST(LayerSearch, RelaxationNeverCutsBelowAnExhaustiveCount) {
    std::mt19937 random(41);
    const auto between = [&](int lo, int hi) {
        return lo + static_cast<int>(random() % static_cast<unsigned>(hi - lo + 1));
    };
    int compared = 0;
    for (int n = 0; n < 120; ++n) {
        const int w = between(3, 9), l = between(w + 1, 3 * w);
        const int W = between(l, 4 * w + l), L = between(W, 2 * W);
        if (L * W / (l * w) > 12) continue;
        ++compared;
        SCOPED_TRACE(testing::Message() << L << " x " << W << ", boxes " << l << " x " << w);
        work_meter meter(default_work_budget, nullptr, 10.0);
        layer_raster raster(L, W, l, w, 1.0, meter);
        ASSERT_TRUE(raster.ready());
        const auto lp = layer_lp_bound(raster, 0);
        ASSERT_TRUE(lp.has_value());
        EXPECT_GE(*lp, exhaustive_count(L, W, l, w).most());
    }
    EXPECT_GE(compared, 40);
}

// Layers of the Cover I set that only the linear bound proves: the area,
// bar-waste and line bounds, on the layer or its equivalence class, allow
// one more.
TEST(LayerSearch, RelaxationProvesWhatTheOtherBoundsCannot) {
    const struct {
        int L, W, l, w;
        std::int64_t most;
    } cases[] = {
        {1031, 920, 347, 96, 26},   {2689, 1470, 566, 168, 40}, {1488, 1447, 403, 107, 47},
        {1474, 1039, 194, 160, 47}, {702, 567, 161, 71, 31},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.L << " x " << c.W << ", boxes " << c.l << " x " << c.w);
        EXPECT_EQ(layer_bound(c.L, c.W, c.l, c.w), c.most + 1);
        work_meter meter(default_work_budget, nullptr, 10.0);
        const layer_result found = best_layer(c.L, c.W, c.l, c.w, meter);
        EXPECT_EQ(found.pattern.count, c.most);
        EXPECT_EQ(found.bound, c.most);
        EXPECT_EQ(found.bound_by, layer_bound_kind::relaxation);
        EXPECT_TRUE(check_layer(found.pattern, c.L, c.W, c.l, c.w).valid());
    }
}

// A layer no guillotine pattern fills: 57 cartons of 40 x 15 cm fit on
// 245 x 140 cm (waste 1 dm2), at most 56 by cuts across the whole layer.
TEST(LayerSearch, FindsTheNonGuillotineLayer) {
    work_meter meter(default_work_budget, nullptr, 10.0);
    const layer_result found = best_layer(2450, 1400, 400, 150, meter);
    EXPECT_EQ(found.pattern.count, 57);
    EXPECT_EQ(found.bound, 57);
    EXPECT_TRUE(check_layer(found.pattern, 2450, 1400, 400, 150).valid());
}

const pallet_measures euro{1200, 800, 144, 25, 1500, 1000};

pallet_plan planned(const pallet_request& r) {
    const auto result = plan_pallet(r);
    const auto* plan = std::get_if<pallet_plan>(&result);
    if (plan == nullptr) ADD_FAILURE() << std::get<pallet_refusal>(result).message;
    return plan ? *plan : pallet_plan{};
}

TEST(PlanPallet, Refusals) {
    const pallet_measures low{1200, 800, 144, 25, 200, 1000};
    const struct {
        const char* what;
        pallet_request request;
        const char* message;
    } cases[] = {
        {"a carton longer than the deck",
         {.pallet = euro, .carton = {1300, 300, 250}},
         "包装箱比托盘大，托盘上放不下包装箱"},
        {"wider than the deck every way round",
         {.pallet = euro, .carton = {900, 850, 820}, .any_side = true},
         "包装箱比托盘大，托盘上放不下包装箱"},
        {"a load height below one carton",
         {.pallet = low, .carton = {400, 300, 250}},
         "包装箱高于托盘的装载高度，托盘上放不下包装箱"},
        // On a side it would fit the deck but not the height either way.
        {"below one carton in every stance",
         {.pallet = low, .carton = {400, 300, 250}, .any_side = true},
         "包装箱高于托盘的装载高度，托盘上放不下包装箱"},
        {"a carton heavier than the load weight",
         {.pallet = euro, .carton = {400, 300, 250}, .carton_weight = 1000.5},
         "包装箱重量超过托盘的装载重量，托盘上放不下包装箱"},
        {"no size",
         {.pallet = euro, .carton = {400, 0, 250}},
         "包装箱尺寸不正确，请检查输入是否正确"},
    };
    for (const auto& c : cases) {
        const auto result = plan_pallet(c.request);
        const auto* refusal = std::get_if<pallet_refusal>(&result);
        ASSERT_NE(refusal, nullptr) << c.what;
        EXPECT_STREQ(refusal->message, c.message) << c.what;
    }
}

// A deck whose layer of 26 only the linear bound proves: the plan's bound
// is the layer search's, not the 27 a layer of the other bounds allows.
TEST(PlanPallet, TakesTheLayerSearchsBound) {
    const pallet_plan plan =
        planned({.pallet = {1031, 920, 150, 25, 500, std::nullopt}, .carton = {347, 96, 250}});
    EXPECT_EQ(plan.per_layer, 26);
    EXPECT_EQ(plan.layers, 2);
    EXPECT_EQ(plan.upper_bound, 52);
    EXPECT_TRUE(plan.proven_optimal());
}

TEST(PlanPallet, HandProvenPallets) {
    const struct {
        const char* what;
        pallet_request request;
        std::int64_t cartons, per_layer, layers, top_layer;
        std::size_t standing;
        pallet_limit limit;
        double height;  // of the loaded pallet
        bool proven;
    } cases[] = {
        // 4 x 2 cartons fill the deck; 150 cm takes six layers of 25 cm.
        {"by height",
         {.pallet = euro, .carton = {400, 300, 250}},
         48,
         8,
         6,
         8,
         2,
         pallet_limit::height,
         1644,
         true},
        {"by weight: 1000 kg of 24 kg cartons",
         {.pallet = euro, .carton = {400, 300, 250}, .carton_weight = 24},
         41,
         8,
         6,
         1,
         2,
         pallet_limit::weight,
         1644,
         true},
        // Upright, 2 layers of 2 x 2; standing on its 50 cm side, 3 layers
        // of 3 x 1 (40 cm along the 120 cm length).
        {"on a side",
         {.pallet = euro, .carton = {500, 400, 700}, .any_side = true},
         9,
         3,
         3,
         3,
         0,
         pallet_limit::height,
         1644,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const pallet_plan plan = planned(c.request);
        EXPECT_EQ(plan.cartons, c.cartons);
        EXPECT_EQ(plan.per_layer, c.per_layer);
        EXPECT_EQ(plan.layers, c.layers);
        EXPECT_EQ(plan.top_layer, c.top_layer);
        EXPECT_EQ(plan.standing_side, c.standing);
        EXPECT_EQ(plan.limit, c.limit);
        EXPECT_TRUE(plan.proven_optimal() || !c.proven);
        EXPECT_EQ(plan.size, (std::array<double, 3>{1200, 800, c.height}));
    }
}

// Seeded export cartons on the delivered pallets: every plan passes the
// engine's checker with full support, counts what its blocks hold, stays
// under its bound, and its alternating layers stand on each other.
TEST(PlanPallet, PlansStandAndKeepTheirWord) {
    const pallet_measures pallets[] = {euro,
                                       {1200, 1000, 150, 25, 1500, 1000},
                                       {1219, 1016, 150, 25, 1500, 1000},
                                       {1100, 1100, 150, 25, 1500, 1000}};
    std::mt19937 random(1);
    const auto side = [&] { return 150.0 + static_cast<double>(random() % 451); };
    for (int n = 0; n < 60; ++n) {
        pallet_request r{.pallet = pallets[n % 4],
                         .carton = {side(), side(), side()},
                         .carton_weight = 5.0 + n % 20,
                         .any_side = n % 3 == 0};
        SCOPED_TRACE(testing::Message() << "carton " << r.carton[0] << " x " << r.carton[1] << " x "
                                        << r.carton[2] << (r.any_side ? ", any side" : ""));
        const pallet_plan plan = planned(r);
        const carton_rules rules =
            single_carton(r.carton[0], r.carton[1], r.carton[2],
                          r.any_side ? orientation_set::any() : orientation_set::upright());
        const placement_report check = check_placement(
            plan.blocks, std::span(&rules, 1),
            {{r.pallet.width, r.pallet.length, r.pallet.load_height}, std::nullopt});
        EXPECT_TRUE(check.valid()) << static_cast<int>(check.fault);
        EXPECT_EQ(carton_count(plan.blocks), plan.cartons);
        EXPECT_LE(plan.cartons, plan.upper_bound);
        EXPECT_LE(plan.cartons, plan.layers * plan.per_layer);
        EXPECT_LE(static_cast<double>(plan.cartons) * *r.carton_weight, *r.pallet.load_weight);
        EXPECT_EQ(plan.layer_patterns.size(), plan.interlocked ? 2u : 1u);
        for (const layer_pattern& layer : plan.layer_patterns) {
            EXPECT_EQ(static_cast<std::int64_t>(layer.size()), plan.per_layer);
        }
        if (!r.any_side) {
            const pallet_plan upright = plan;
            r.any_side = true;
            EXPECT_GE(planned(r).cartons, upright.cartons);
        }
    }
}

// An order of five palletised types and two loose ones, into containers: each
// type's cartons are all on its pallets (or loose), and every container of
// the plan passes the placement checker with the pallets as rigid items,
// upright, carrying nothing unless stackable.
TEST(PalletOrder, PalletsAndLooseCartonsGoIntoContainers) {
    const pallet_measures euro_pallet{1200, 800, 144, 25, 1000, 1000};
    const pallet_measures standard{1200, 1000, 150, 25, 1000, 1000};
    const auto line = [](const char* name, std::array<double, 3> size, std::int64_t n, double kg,
                         std::optional<pallet_measures> pallet) {
        return order_line{
            {name, size, n, kg, orientation_set::upright(), true}, pallet, pallet ? "托盘" : ""};
    };
    const std::vector<order_line> lines{
        line("A", {400, 300, 250}, 200, 12.5, euro_pallet),
        line("B", {600, 400, 300}, 75, 20, standard),
        line("C", {330, 270, 200}, 150, 8, euro_pallet),
        line("D", {450, 300, 280}, 61, 30, standard),
        line("E", {550, 230, 200}, 96, 6, euro_pallet),
        line("F", {600, 400, 400}, 30, 15, std::nullopt),
        line("G", {350, 350, 350}, 40, 10, std::nullopt),
    };
    for (const auto remainder : {pallet_remainder::pallet, pallet_remainder::loose}) {
        for (const bool stackable : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "loose rest " << (remainder == pallet_remainder::loose)
                         << ", stackable " << stackable);
            const auto result = palletise_order(lines, remainder, stackable);
            ASSERT_TRUE(std::holds_alternative<palletised_order>(result));
            const palletised_order& order = std::get<palletised_order>(result);
            ASSERT_EQ(order.pallets.size(), 5u);
            ASSERT_EQ(order.source.size(), order.items.size());
            // Every carton of the order once: on a full pallet, the part
            // pallet, or loose.
            std::vector<std::int64_t> cartons(lines.size(), 0);
            for (std::size_t k = 0; k < order.items.size(); ++k) {
                if (lines[order.source[k]].pallet && order.items[k].name.find("托盘") == 0) {
                    const auto& type = *std::find_if(
                        order.pallets.begin(), order.pallets.end(),
                        [&](const palletised_type& t) { return t.line == order.source[k]; });
                    cartons[order.source[k]] += order.items[k].quantity == type.full
                                                    ? type.full * type.plan.cartons
                                                    : type.rest;
                    EXPECT_EQ(order.items[k].allowed, orientation_set::upright());
                    EXPECT_EQ(order.items[k].stackable, stackable);
                } else {
                    cartons[order.source[k]] += order.items[k].quantity;
                }
            }
            for (std::size_t k = 0; k < lines.size(); ++k)
                EXPECT_EQ(cartons[k], lines[k].carton.quantity) << lines[k].carton.name;

            mixed_request r;
            r.container = {2350, 12032, 2392};
            r.payload = 26'000;
            r.cartons = order.items;
            r.parameters.work_budget = 40'000'000;
            const mixed_plan plan = plan_mixed_load(r);
            ASSERT_FALSE(plan.containers.empty());
            const std::vector<carton_rules> rules = rules_of(r.cartons);
            std::vector<std::int64_t> total = plan.unloaded;
            for (const container_load& load : plan.containers) {
                const placement_report report =
                    check_placement(load.blocks, rules, {r.container, r.payload});
                EXPECT_TRUE(report.valid()) << "rule " << static_cast<int>(report.fault);
                for (std::size_t k = 0; k < total.size(); ++k)
                    total[k] += load.loaded[k] * load.repeat;
            }
            for (std::size_t k = 0; k < total.size(); ++k)
                EXPECT_EQ(total[k], r.cartons[k].quantity);
            EXPECT_EQ(std::count(plan.unloaded.begin(), plan.unloaded.end(), 0),
                      static_cast<std::ptrdiff_t>(plan.unloaded.size()));
        }
    }
}

}  // namespace
}  // namespace varnel
