#include "plan/pallet_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <variant>

#include "engine/core/loading_walls.h"
#include "engine/single/mixed_one_type.h"
#include "plan/mixed_plan_format.h"
#include "tests/support/carton_loads.h"
#include "tests/support/pallet_stacks.h"

namespace varnel {
namespace {

const pallet_catalogue catalogue{
    {"欧标托盘", {1200, 800, 144, 25, 1500, 1000}},
    {"标准托盘", {1200, 1000, 150, 25, 1500, 1000}},
    {"小托盘", {300, 300, 100, 10, 200, 50}},
    {"高托盘", {1200, 800, 150, 25, 3000, std::nullopt}},
    {"重托盘", {1200, 800, 150, 25, 1000, std::nullopt}},
};

// A 20-foot container: 235 cm across, 590 cm along, 239 cm up.
const container_space twenty_foot{{2350, 5898, 2393}, 20'000};

constexpr const char* header = "名称,长,宽,高,数量,毛重,可竖放,可堆码,托盘\n";

std::variant<palletised_order, list_refusal> palletised(const std::string& rows,
                                                        palletise_options options = {}) {
    auto read = read_packing_list_csv(header + rows, same_cartons::merged);
    if (auto* refusal = std::get_if<list_refusal>(&read)) return std::move(*refusal);
    return palletise_list(std::get<packing_list>(read), catalogue, twenty_foot, options);
}

// Every refusal names the line and the 托盘 column of the type at fault.
TEST(PalletList, RefusalsNameTheTypesPalletCell) {
    const struct {
        const char* name;
        const char* rows;
        const char* message;
    } cases[] = {
        {"a pallet type not in the catalogue", "A,60,40,30,10,,,,木托盘\n",
         "装箱单第2行第9列（托盘）：托盘种类不存在，请先在托盘种类中添加"},
        {"a carton larger than the deck", "A,60,40,30,10\nB,130,90,30,10,,高,,欧标托盘\n",
         "装箱单第3行第9列（托盘）：包装箱比托盘大，托盘上放不下包装箱"},
        {"a load height below one carton", "A,20,20,30,10,1,高,,小托盘\n",
         "装箱单第2行第9列（托盘）：包装箱高于托盘的装载高度，托盘上放不下包装箱"},
        {"a carton over the load weight", "A,20,20,10,10,60,,,小托盘\n",
         "装箱单第2行第9列（托盘）：包装箱重量超过托盘的装载重量，托盘上放不下包装箱"},
        {"a loaded pallet taller than the container", "A,60,40,50,100,,高,,高托盘\n",
         "装箱单第2行第9列（托盘）：装好的托盘装不进集装箱"},
        {"a loaded pallet heavier than the payload", "A,60,40,50,100,3000,高,,重托盘\n",
         "装箱单第2行第9列（托盘）：装好的托盘重量超过集装箱载重"},
    };
    for (const auto& c : cases) {
        const auto made = palletised(c.rows);
        const auto* refusal = std::get_if<list_refusal>(&made);
        ASSERT_NE(refusal, nullptr) << c.name;
        EXPECT_EQ(refusal->message, c.message) << c.name;
    }
}

// The order back from a file's items: each palletised line once, in order.
TEST(PalletList, TheOrderComesBackFromItsItems) {
    const auto made =
        palletised("A,40,30,25,100,10,高,,欧标托盘\nB,60,40,40,7\nC,40,30,20,5,,高,,标准托盘\n",
                   {pallet_remainder::loose, false});
    ASSERT_TRUE(std::holds_alternative<palletised_order>(made));
    const palletised_order& order = std::get<palletised_order>(made);
    const std::vector<order_line> lines = order_lines_of(order.items, order.pallets);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].carton.name, "A");
    EXPECT_EQ(lines[0].carton.quantity, 100);
    EXPECT_EQ(lines[0].pallet_name, "欧标托盘");
    EXPECT_EQ(lines[1].carton.name, "B");
    EXPECT_EQ(lines[1].pallet_name, "");
    // Too few for a whole pallet, and the rest loose: a loose item alone.
    EXPECT_EQ(lines[2].carton.quantity, 5);
    EXPECT_EQ(lines[2].pallet_name, "标准托盘");
}

// A seeded order of five palletised types and two loose ones, read from a
// list's 托盘 column, palletised and planned into containers: every
// container keeps every placement rule (and the weight rules carton by
// carton), loads only pallets on the floor or on pallets and nothing else on
// them, weighed or not, a crew can
// follow its order or the order names the step that breaks it, every carton
// of the order is on a pallet, loose or left over, and the plan file keeps
// it all.
TEST(PalletList, AnOrderOnPalletsGoesIntoContainersByEveryRule) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> side(20, 60), count(20, 300), kg(3, 25);
        const char* pallets[] = {"欧标托盘", "标准托盘", "欧标托盘", "标准托盘",
                                 "欧标托盘", "",         ""};
        // The last order without weights: no weight rule keeps a pallet off
        // loose cartons then, only the pallets' own.
        const bool weighed = seed <= 3;
        std::string rows;
        for (int k = 0; k < 7; ++k) {
            rows += std::string(1, static_cast<char>('A' + k)) + ',' +
                    std::to_string(side(random)) + ',' + std::to_string(side(random)) + ',' +
                    std::to_string(side(random)) + ',' + std::to_string(count(random)) + ',';
            const int weight = kg(random);
            rows += (weighed ? std::to_string(weight) : "") + ",高,," + pallets[k] + '\n';
        }
        for (const auto remainder : {pallet_remainder::pallet, pallet_remainder::loose}) {
            for (const bool stackable : {false, true}) {
                SCOPED_TRACE(testing::Message() << "seed " << seed << ", loose rest "
                                                << (remainder == pallet_remainder::loose)
                                                << ", stackable " << stackable);
                auto made = palletised(rows, {remainder, stackable});
                ASSERT_TRUE(std::holds_alternative<palletised_order>(made));
                palletised_order& order = std::get<palletised_order>(made);
                ASSERT_EQ(order.pallets.size(), 5u);
                mixed_plan_file file{{}, twenty_foot, order.items, {}, {true, 0.05}, order.pallets};
                mixed_request request;
                request.container = twenty_foot.size;
                request.payload = twenty_foot.payload;
                request.cartons = file.cartons;
                request.parameters.work_budget = 20'000'000;
                request.weights = file.weights;
                file.plan = plan_mixed_load(request);
                const std::vector<carton_rules> rules = rules_of(file.cartons);
                std::vector<std::int64_t> items = file.plan.unloaded;
                for (const container_load& load : file.plan.containers) {
                    EXPECT_TRUE(
                        check_placement(load.blocks, rules, twenty_foot, {true, std::nullopt})
                            .valid());
                    EXPECT_EQ(test_support::weight_fault(load.blocks, rules, true), "");
                    for (const carton_block& b : load.blocks)
                        items[b.type] += carton_count(b) * load.repeat;
                    EXPECT_TRUE(test_support::pallets_on_pallets(load.blocks, rules, file.pallets));
                    const wall_order walls = loading_walls(load.blocks, rules);
                    EXPECT_EQ(carton_count(step_parts(walls)), carton_count(load.blocks));
                    EXPECT_EQ(
                        check_loading_order(step_parts(walls), rules).fault == order_fault::none,
                        walls.check.valid());
                }
                // Every carton of each line: on its full pallets, its part
                // pallet or loose.
                for (std::size_t k = 0; k < items.size(); ++k)
                    EXPECT_EQ(items[k], file.cartons[k].quantity);
                for (const palletised_type& p : file.pallets) {
                    EXPECT_EQ(p.full * p.plan.cartons + p.rest, p.carton.quantity);
                    EXPECT_LE(p.plan.cartons, p.plan.upper_bound);
                }
                const mixed_read_result back = read_mixed_plan(write_mixed_plan(file));
                ASSERT_EQ(back.status, mixed_read_status::ok) << back.line;
                ASSERT_EQ(back.plan->pallets.size(), file.pallets.size());
                // The pallets' items come back as pallets, under their rules.
                for (std::size_t k = 0; k < file.cartons.size(); ++k)
                    EXPECT_EQ(back.plan->cartons[k].pallet, file.cartons[k].pallet);
                for (std::size_t k = 0; k < file.pallets.size(); ++k) {
                    const palletised_type &a = file.pallets[k], &b = back.plan->pallets[k];
                    EXPECT_EQ(a.pallet_name, b.pallet_name);
                    EXPECT_EQ(a.full_item, b.full_item);
                    EXPECT_EQ(a.rest_item, b.rest_item);
                    EXPECT_EQ(a.rest, b.rest);
                    EXPECT_EQ(a.plan.cartons, b.plan.cartons);
                    EXPECT_EQ(a.plan.layer_patterns, b.plan.layer_patterns);
                    EXPECT_EQ(a.plan.size, b.plan.size);
                    EXPECT_EQ(a.carton.name, b.carton.name);
                    EXPECT_EQ(a.carton.quantity, b.carton.quantity);
                }
                EXPECT_EQ(write_mixed_plan(*back.plan), write_mixed_plan(file));
            }
        }
    }
}

}  // namespace
}  // namespace varnel
