// The window's plan as a value: its moves from plan to plan, without a window.
#include "app/plan_state.h"

#include <gtest/gtest.h>

#include "engine/block_tables.h"
#include "engine/calculation.h"
#include "engine/core/placement.h"
#include "engine/single/optimise.h"
#include "engine/single/partial_load.h"
#include "engine/summary.h"
#include "tests/support/mixed_example.h"
#include "tests/support/worked_example.h"

namespace varnel {
namespace {

using test_support::worked_example_mm;

// The worked example calculated into the state's tables, by the standard
// calculation or the optimised search, as the window does.
plan_state calculated(bool optimised) {
    plan_state s;
    if (optimised) {
        const optimised_plan plan =
            optimise_plan({worked_example_mm, false, orientation_set::any()});
        load_optimised_plan(s.tables(), worked_example_mm, orientation_set::any(), plan);
        s.replaced(plan.blocks);
    } else {
        run_calculation(s.tables(), worked_example_mm, false, true);
        s.replaced();
    }
    return s;
}

std::int64_t cartons_in(const load_model& m) { return count_plan(m.stacks).cartons; }

// A view of the plan draws the container shown: the report's load it names
// holds the blocks shown, and it says which kind of plan it draws.
void expect_view_of_shown(const plan_state& s, std::size_t kind) {
    const plan_state::view_of v = s.view();
    EXPECT_EQ(v.shown.index(), kind);
    EXPECT_EQ(v.load, s.load_shown());
    ASSERT_LT(v.load, v.report.loads.size());
    EXPECT_EQ(v.report.loads[v.load].blocks, s.blocks());
}

// 1000 cartons of 20 kg, 130 a container: 7 full and the last with 90.
const shipment shipped{1000, 130, shipment_limit::volume, 8, 90, 2600.0, 1800.0, true};

// A container of an order shipped by the plan replaces the tables and keeps
// the plan beside: Save and the next shipment use the whole plan, the
// report is the container's, and a plan calculated anew drops them all.
TEST(plan_state, AShipmentShowsOneContainerAndKeepsThePlan) {
    for (const bool optimised : {false, true}) {
        SCOPED_TRACE(optimised ? "optimised" : "standard");
        plan_state s = calculated(optimised);
        const load_model whole = s.tables();
        const std::int64_t all = cartons_in(whole);
        const block_list planned = s.blocks();
        s.keep_shipment_typed({"1000", "20", ""});

        for (const std::int64_t cartons : {std::int64_t{90}, std::int64_t{40}}) {
            ASSERT_TRUE(s.ship(s.whole(), cartons, shipment_order{1000, 20.0f, 26000.0f}, shipped));
            ASSERT_TRUE(s.part());
            EXPECT_EQ(cartons_in(s.tables()), cartons);
            EXPECT_EQ(s.whole().stacks, whole.stacks);  // ships by the whole plan, each time
            EXPECT_EQ(cartons_in(s.whole()), all);
            const box_size carton{600, 850, 400};
            EXPECT_EQ(s.blocks(), partial_load(planned, carton, cartons));
            ASSERT_TRUE(s.shipment_typed());
            EXPECT_EQ(s.shipment_typed()->quantity, QStringLiteral("1000"));

            const loading_report r = s.report({"20尺柜", 21000.0, "电视机"});
            EXPECT_EQ(r.plan_kind, "装运计划");
            EXPECT_EQ(r.container.payload, 26000.0);  // as typed, not the catalogue's
            EXPECT_EQ(r.types[0].weight, 20.0);
            EXPECT_EQ(r.types[0].name, "电视机");
            EXPECT_EQ(r.order_containers, 8);
            EXPECT_EQ(
                r.notes,
                (std::vector<std::string>{cartons == 90 ? "本指导书为最后一个集装箱的装法"
                                                        : "本指导书为装满的一个集装箱的装法"}));
            ASSERT_EQ(r.loads.size(), 1u);
            EXPECT_EQ(r.loads[0].figures.cartons, cartons);
            expect_view_of_shown(s, 1);
        }

        s.replaced();
        EXPECT_FALSE(s.part());
        EXPECT_EQ(&s.whole(), &s.tables());
        EXPECT_FALSE(s.shipment_typed());
    }
}

// The report of a plan of one size says how it was planned and holds the
// plan's own blocks: the search's, or those the tables hold.
TEST(plan_state, ThePlanOfOneSizeReportsItsKindAndBlocks) {
    for (const bool optimised : {false, true}) {
        SCOPED_TRACE(optimised ? "optimised" : "standard");
        const plan_state s = calculated(optimised);
        const loading_report r = s.report({"", std::nullopt, ""});
        EXPECT_EQ(r.plan_kind, optimised ? "优化计算" : "标准计算");
        EXPECT_EQ(r.container.size, (std::array<double, 3>{2350, 5900, 2390}));
        ASSERT_EQ(r.loads.size(), 1u);
        EXPECT_EQ(r.loads[0].blocks, s.blocks());
        EXPECT_EQ(r.loads[0].figures.cartons, cartons_in(s.tables()));
        EXPECT_EQ(s.load_shown(), 0u);
        expect_view_of_shown(s, 0);
        EXPECT_TRUE(s.drawn());
        EXPECT_TRUE(s.reportable());
    }
    // Without the search's blocks (a plan opened from its file), the tables
    // tell: the standard calculation's stacks are reported as such.
    plan_state opened = calculated(false);
    opened.replaced();
    EXPECT_EQ(opened.report({}).plan_kind, "标准计算");
}

// A mixed plan clears the tables, is summarised once and shown a run at a
// time; container numbers count every container of a run.
TEST(plan_state, AMixedPlanIsShownARunAtATime) {
    plan_state s = calculated(false);
    mixed_plan_file file = test_support::mixed_example();
    file.cartons[0].quantity = 30;
    file.plan.containers[1].repeat = 6;
    file.plan.unloaded = {0, 0};
    s.show_mixed(file);
    ASSERT_TRUE(s.mixed());
    EXPECT_EQ(stack_count(s.tables().stacks), 0);
    EXPECT_TRUE(s.drawn());
    EXPECT_TRUE(s.reportable());
    const mixed_shown& m = *s.mixed();
    EXPECT_EQ(m.summary.container_count, 7);
    EXPECT_EQ(m.container, 0u);
    EXPECT_EQ(m.figures().cartons, 8);
    EXPECT_EQ(m.order, loading_order(file.plan.containers[0].blocks, rules_of(file.cartons)));

    const struct {
        std::int64_t number;
        std::optional<std::size_t> run;
    } numbers[] = {{0, std::nullopt}, {1, 0}, {2, 1}, {7, 1}, {8, std::nullopt}};
    for (const auto& n : numbers) EXPECT_EQ(s.run_of(n.number), n.run) << n.number;

    ASSERT_TRUE(s.show_container(1));
    EXPECT_EQ(m.first_number(), 2);
    EXPECT_EQ(m.figures().cartons, 4);
    EXPECT_EQ(s.blocks(), file.plan.containers[1].blocks);
    EXPECT_FALSE(s.show_container(2));
    EXPECT_EQ(m.container, 1u);

    const loading_report r = s.report({"ignored", 1.0, "ignored"});
    EXPECT_EQ(r.plan_kind, "混装计算");
    ASSERT_EQ(r.loads.size(), 2u);
    EXPECT_EQ(s.load_shown(), 1u);
    expect_view_of_shown(s, 2);
    EXPECT_EQ(r.loads[1].heading, "第2至7个集装箱（每个相同）");
    EXPECT_EQ(r.loads[1].figures.cartons, 4);

    s.saved_as(QStringLiteral("混装.qrm"));
    EXPECT_EQ(s.mixed()->path, QStringLiteral("混装.qrm"));
    s.reset();
    EXPECT_FALSE(s.mixed());
    EXPECT_FALSE(s.drawn());
    EXPECT_FALSE(s.reportable());
    EXPECT_FALSE(s.run_of(1));
}

}  // namespace
}  // namespace varnel
