#include "engine/core/placement.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/core/box.h"

namespace varnel {
namespace {

// Cartons 400 x 300 x 200 mm (length, width, height) in a 2000 x 3000 x 1000
// room: orientation 1 puts 400 across, 300 along, 200 up.
const carton_rules box = single_carton(400, 300, 200);
const container_space room{{2000, 3000, 1000}, std::nullopt};

TEST(Placement, SupportOfHandMadeBlocks) {
    struct row {
        const char* name;
        block_list blocks;
        std::int64_t unsupported;
    };
    const std::vector<row> rows = {
        {"on the floor", {{0, 0, 0, 1, 2, 3, 1}}, 0},
        {"a full stack", {{0, 0, 0, 1, 2, 3, 4}}, 0},
        {"a block on one as large", {{0, 0, 0, 1, 2, 2, 1}, {0, 0, 200, 1, 2, 2, 3}}, 0},
        {"a block on two neighbours",
         {{0, 0, 0, 1, 1, 2, 1}, {400, 0, 0, 1, 1, 2, 1}, {0, 0, 200, 1, 2, 2, 1}},
         0},
        // Three cartons across on two: the third stands on air.
        {"overhang of a whole carton", {{0, 0, 0, 1, 2, 1, 1}, {0, 0, 200, 1, 3, 1, 1}}, 1},
        // Shifted by half a carton: the last carton has half its base held.
        {"overhang of half a carton", {{0, 0, 0, 1, 2, 1, 1}, {200, 0, 200, 1, 2, 1, 1}}, 1},
        // A gap of one carton between two supports under a row of three.
        {"a gap in the middle",
         {{0, 0, 0, 1, 1, 1, 1}, {800, 0, 0, 1, 1, 1, 1}, {0, 0, 200, 1, 3, 1, 1}},
         1},
        // Supports of different heights: only those at the base's height hold.
        {"tops at different heights",
         {{0, 0, 0, 1, 1, 1, 1}, {400, 0, 0, 1, 1, 1, 2}, {0, 0, 200, 1, 2, 1, 1}},
         1},
        {"floating in the air", {{0, 0, 500, 1, 2, 2, 2}}, 4},
        // Orientation 2 stands the carton on its width: 400 x 200 x 300.
        {"turned cartons on a wider row", {{0, 0, 0, 1, 2, 1, 1}, {0, 0, 200, 2, 2, 1, 1}}, 0},
    };
    for (const row& r : rows) {
        EXPECT_EQ(unsupported_cartons(r.blocks, std::span(&box, 1)), r.unsupported) << r.name;
    }
}

TEST(Placement, EachRuleBrokenOnce) {
    carton_rules fragile = box;
    fragile.stackable = false;
    carton_rules upright = single_carton(400, 300, 200, orientation_set::upright());
    upright.quantity = 4;
    upright.weight = 100;
    carton_rules crate = box;  // 3
    crate.weight = 50;
    crate.max_load = 100;
    carton_rules light = box;  // 4
    light.weight = 10;
    carton_rules tall = box;  // 5
    tall.max_layers = 2;
    carton_rules pallet = box;  // 6: stackable two high, as a ticked order makes them
    pallet.pallet = true;
    pallet.max_layers = 2;
    carton_rules other_pallet = box;  // 7
    other_pallet.pallet = true;
    other_pallet.max_layers = 2;
    const std::vector<carton_rules> types = {box,   fragile, upright, crate,
                                             light, tall,    pallet,  other_pallet};
    const weight_rules heavy_rule{true, std::nullopt};
    const weight_rules balance_rule{false, 0.05};
    struct row {
        const char* name;
        block_list blocks;
        placement_fault fault;
        std::optional<double> payload = std::nullopt;
        weight_rules weights = {};
    };
    const std::vector<row> rows = {
        {"valid", {{0, 0, 0, 1, 5, 10, 5}}, placement_fault::none},
        {"unknown type", {{0, 0, 0, 1, 1, 1, 1, 9}}, placement_fault::unknown_type},
        {"on its side against this side up",
         {{0, 0, 0, 2, 1, 1, 1, 2}},
         placement_fault::orientation},
        {"through the roof", {{0, 0, 0, 1, 1, 1, 6}}, placement_fault::outside},
        {"beyond a wall", {{1800, 0, 0, 1, 1, 1, 1}}, placement_fault::outside},
        {"into each other",
         {{0, 0, 0, 1, 2, 2, 1}, {399, 0, 0, 1, 1, 1, 1}},
         placement_fault::overlap},
        {"on air", {{0, 0, 200, 1, 1, 1, 1}}, placement_fault::unsupported},
        {"on a fragile carton",
         {{0, 0, 0, 1, 1, 1, 1, 1}, {0, 0, 200, 1, 1, 1, 1}},
         placement_fault::on_unstackable},
        {"fragile cartons stacked", {{0, 0, 0, 1, 1, 1, 2, 1}}, placement_fault::on_unstackable},
        // Unweighed, so that no weight rule stands in for the kinds'.
        {"a pallet on loose cartons",
         {{0, 0, 0, 1, 1, 1, 1, 0}, {0, 0, 200, 1, 1, 1, 1, 6}},
         placement_fault::pallet_mixed},
        {"loose cartons on a pallet",
         {{0, 0, 0, 1, 1, 1, 1, 6}, {0, 0, 200, 1, 1, 1, 1, 0}},
         placement_fault::pallet_mixed},
        {"a pallet half on a pallet, half on cartons",
         {{0, 0, 0, 1, 1, 1, 1, 6}, {0, 300, 0, 1, 1, 1, 1, 0}, {0, 150, 200, 1, 1, 1, 1, 7}},
         placement_fault::pallet_mixed},
        {"pallets on pallets and beside cartons",
         {{0, 0, 0, 1, 1, 1, 2, 6},
          {0, 300, 0, 1, 1, 1, 1, 7},
          {0, 300, 200, 1, 1, 1, 1, 6},
          {400, 0, 0, 1, 1, 1, 2, 0}},
         placement_fault::none},
        {"pallets of two types three high",
         {{0, 0, 0, 1, 1, 1, 2, 6}, {0, 0, 400, 1, 1, 1, 1, 7}},
         placement_fault::too_many_layers},
        {"more than the list", {{0, 0, 0, 1, 5, 1, 1, 2}}, placement_fault::quantity},
        {"heavier than the payload", {{0, 0, 0, 1, 4, 1, 1, 2}}, placement_fault::overweight, 399},
        {"as heavy as the payload", {{0, 0, 0, 1, 4, 1, 1, 2}}, placement_fault::none, 400},
        {"an empty block holds nothing", {{1900, 0, 900, 1, 0, 9, 9}}, placement_fault::none},
        // Three crates of 50 kg: the bottom one carries 100 kg, all it may.
        {"as much as a carton bears", {{0, 0, 0, 1, 1, 1, 3, 3}}, placement_fault::none},
        {"more than a carton bears", {{0, 0, 0, 1, 1, 1, 4, 3}}, placement_fault::overloaded},
        {"more than it bears from a block above",
         {{0, 0, 0, 1, 1, 1, 2, 3}, {0, 0, 400, 1, 1, 1, 2, 3}},
         placement_fault::overloaded},
        {"as many layers as allowed",
         {{0, 0, 0, 1, 1, 1, 1, 5}, {0, 0, 200, 1, 1, 1, 1, 5}},
         placement_fault::none},
        {"a column of one type too high across blocks",
         {{0, 0, 0, 1, 1, 1, 2, 5}, {0, 0, 400, 1, 1, 1, 1, 5}},
         placement_fault::too_many_layers},
        {"another type between breaks the column",
         {{0, 0, 0, 1, 1, 1, 2, 5}, {0, 0, 400, 1, 1, 1, 1, 0}, {0, 0, 600, 1, 1, 1, 1, 5}},
         placement_fault::none},
        {"heavy on light",
         {{0, 0, 0, 1, 1, 1, 1, 4}, {0, 0, 200, 1, 1, 1, 1, 3}},
         placement_fault::heavy_on_light,
         std::nullopt,
         heavy_rule},
        {"heavy on light allowed",
         {{0, 0, 0, 1, 1, 1, 1, 4}, {0, 0, 200, 1, 1, 1, 1, 3}},
         placement_fault::none},
        {"light on heavy",
         {{0, 0, 0, 1, 1, 1, 1, 3}, {0, 0, 200, 1, 1, 1, 1, 4}},
         placement_fault::none,
         std::nullopt,
         heavy_rule},
        {"all at the far end",
         {{800, 0, 0, 1, 1, 1, 1, 3}},
         placement_fault::unbalanced,
         std::nullopt,
         balance_rule},
        {"in the middle",
         {{800, 1350, 0, 1, 1, 1, 1, 3}},
         placement_fault::none,
         std::nullopt,
         balance_rule},
        // The band is 5 % of 3000 mm: 150 mm from the middle still holds.
        {"at the edge of the band",
         {{800, 1500, 0, 1, 1, 1, 1, 3}},
         placement_fault::none,
         std::nullopt,
         balance_rule},
        {"past the band across",
         {{1600, 1350, 0, 1, 1, 1, 1, 3}},
         placement_fault::unbalanced,
         std::nullopt,
         balance_rule},
        {"unweighed cargo is not judged",
         {{0, 0, 0, 1, 1, 1, 1, 0}},
         placement_fault::none,
         std::nullopt,
         balance_rule},
    };
    for (const row& r : rows) {
        const placement_report report =
            check_placement(r.blocks, types, {room.size, r.payload}, r.weights);
        EXPECT_EQ(report.fault, r.fault) << r.name;
    }
}

// Three single cartons of 10 kg in a row, two of 20 kg on them shifted by
// half a carton, and one of 40 kg on those at `x`: each carton passes its
// weight and its load to those under it by the share of its base on each.
TEST(Placement, LoadSharedByContactArea) {
    carton_rules a = box, b = box, c = box;
    a.weight = 10;
    b.weight = 20;
    c.weight = 40;
    const std::vector<carton_rules> types = {a, b, c};
    struct row {
        double x;
        std::vector<double> carried;  // the three below, the two between, the one on top
    };
    const std::vector<row> rows = {
        // Half on each: 20 kg on each between, 40 each passes halved.
        {400, {20, 40, 20, 20, 0}},
        // Three quarters on the first: 30 and 10 kg; the first passes 50 kg
        // halved, the second 30 kg.
        {300, {25, 40, 15, 30, 0}},
        // Wholly on the first: it passes 60 kg, the second its own 20.
        {200, {30, 40, 10, 40, 0}},
    };
    for (const row& r : rows) {
        const block_list blocks = {{0, 0, 0, 1, 1, 1, 1, 0},
                                   {400, 0, 0, 1, 1, 1, 1, 0},
                                   {800, 0, 0, 1, 1, 1, 1, 0},
                                   {200, 0, 200, 1, 2, 1, 1, 1},
                                   {r.x, 0, 400, 1, 1, 1, 1, 2}};
        const std::vector<double> carried = loads_carried(blocks, types);
        ASSERT_EQ(carried.size(), 5u);
        for (std::size_t k = 0; k < r.carried.size(); ++k)
            EXPECT_NEAR(carried[k], r.carried[k], 1e-9) << "at " << r.x << ", block " << k;
    }
}

// Rules run in the order of the faults: the first broken one is reported,
// wherever its block stands in the list, and the cartons short of support
// are counted whatever rule comes first.
TEST(Placement, TheFirstRuleInOrderIsReportedAndSupportStillCounted) {
    const block_list blocks = {{0, 0, 500, 1, 2, 1, 1},  // two cartons on air
                               {0, 1000, 0, 1, 1, 1, 1},
                               {0, 1100, 0, 1, 1, 1, 1}};  // into the one before
    const placement_report report = check_placement(blocks, std::span(&box, 1), room);
    EXPECT_EQ(report.fault, placement_fault::overlap);
    EXPECT_EQ(report.block, 2u);
    EXPECT_EQ(report.unsupported_cartons, 2);
}

// The one test of contact every planner shares: faces within a thousandth
// of a millimetre meet, boxes share space only deeper than that.
TEST(BlockBox, ContactWithinTheTolerance) {
    const block_box carton{{0, 0, 0}, {400, 300, 200}};
    struct row {
        const char* name;
        block_box other;
        bool overlap;  // boxes_overlap(carton, other)
        bool stands;   // stands_on(other, carton)
        bool under;    // lies_under(carton, other)
    };
    const std::vector<row> rows = {
        {"beside it", {{400, 0, 0}, {800, 300, 200}}, false, false, false},
        {"a hair into it", {{399.9995, 0, 0}, {799.9995, 300, 200}}, false, false, false},
        {"into it", {{399.99, 0, 0}, {799.99, 300, 200}}, true, false, false},
        {"on it", {{0, 0, 200}, {400, 300, 400}}, false, true, true},
        {"on it, a hair above", {{0, 0, 200.0005}, {400, 300, 400}}, false, true, true},
        {"above it, with a gap", {{0, 0, 200.01}, {400, 300, 400}}, false, false, true},
        {"on its edge", {{399.9995, 0, 200}, {799.9995, 300, 400}}, false, false, false},
        {"on a part of it", {{200, 150, 200}, {600, 450, 400}}, false, true, true},
    };
    for (const row& r : rows) {
        EXPECT_EQ(boxes_overlap(carton, r.other), r.overlap) << r.name;
        EXPECT_EQ(stands_on(r.other, carton), r.stands) << r.name;
        EXPECT_EQ(lies_under(carton, r.other), r.under) << r.name;
    }
    const std::array<double, 3> space{400, 300, 200};
    EXPECT_TRUE(inside(carton, space));
    EXPECT_TRUE(inside({{-0.0005, 0, 0}, {399.9995, 300, 200.0005}}, space));
    EXPECT_FALSE(inside({{-0.002, 0, 0}, {399.998, 300, 200}}, space));
    EXPECT_FALSE(inside({{0, 0, 0}, {400, 300, 200.002}}, space));
}

TEST(Placement, LoadingOrderFarEndFirstButNeverBeforeWhatIsUnder) {
    // Block 0 starts nearer the door but carries block 1, which starts at the
    // far end; block 2 stands on the floor at the far end beside them.
    const block_list blocks = {{0, 300, 0, 1, 1, 2, 1},
                               {0, 0, 200, 1, 1, 3, 1},  // partly on air, still after 0
                               {400, 0, 0, 1, 1, 1, 1},
                               {0, 0, 0, 1, 1, 1, 1}};
    EXPECT_EQ(loading_order(blocks, std::span(&box, 1)), (std::vector<std::size_t>{3, 2, 0, 1}));
}

}  // namespace
}  // namespace varnel
