#include "plan/mixed_plan_format.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/mixed_example.h"

namespace varnel {
namespace {

constexpr std::string_view example_file =
    "varnel-mixed-plan 1\n"
    "container 5900 2350 2390 - 40尺柜\n"
    "types 2\n"
    "type 600 400 300 12 12.5 LWH yes A\n"
    "type 800 600 1800 2 - H no B\n"
    "containers 2\n"
    "load 2\n"
    "block 0 0 0 0 1 3 2 1\n"
    "block 1 0 800 0 1 2 1 1\n"
    "load 1\n"
    "block 0 0 0 0 1 2 2 1\n"
    "end\n";

mixed_plan_file named_example() {
    mixed_plan_file f = test_support::mixed_example();
    f.container_type = "40尺柜";
    return f;
}

TEST(mixed_plan_file, WritesTheDocumentedLines) {
    EXPECT_EQ(write_mixed_plan(named_example()), example_file);
}

TEST(mixed_plan_file, ReadsBackExactlyWhatWasWritten) {
    mixed_plan_file f = named_example();
    f.container.payload = 26680.5;
    f.cartons[1].name = "冰箱 B-2";
    f.cartons[1].allowed = orientation_set::with_vertical_sides(0b101);
    f.plan.containers[0].blocks[1].y = 800 + 1.0 / 3;  // no short decimal holds it
    const mixed_read_result r = read_mixed_plan(write_mixed_plan(f));
    ASSERT_EQ(r.status, mixed_read_status::ok) << mixed_read_message(r);
    const mixed_plan_file& g = *r.plan;
    EXPECT_EQ(g.container_type, f.container_type);
    EXPECT_EQ(g.container.size, f.container.size);
    EXPECT_EQ(g.container.payload, f.container.payload);
    ASSERT_EQ(g.cartons.size(), 2u);
    for (std::size_t t = 0; t < 2; ++t) {
        EXPECT_EQ(g.cartons[t].name, f.cartons[t].name);
        EXPECT_EQ(g.cartons[t].size, f.cartons[t].size);
        EXPECT_EQ(g.cartons[t].quantity, f.cartons[t].quantity);
        EXPECT_EQ(g.cartons[t].weight, f.cartons[t].weight);
        EXPECT_EQ(g.cartons[t].allowed, f.cartons[t].allowed);
        EXPECT_EQ(g.cartons[t].stackable, f.cartons[t].stackable);
    }
    ASSERT_EQ(g.plan.containers.size(), 2u);
    for (std::size_t c = 0; c < 2; ++c) {
        EXPECT_EQ(g.plan.containers[c].blocks, f.plan.containers[c].blocks);
        EXPECT_EQ(g.plan.containers[c].loaded, f.plan.containers[c].loaded);
    }
    EXPECT_EQ(g.plan.unloaded, f.plan.unloaded);
}

// A file with every `from` made `to`, and how it reads.
struct changed_file {
    const char* name;
    std::string_view from, to;
    mixed_read_status status;
    std::size_t where;  // the line, or the container breaking a rule
};

void expect_read(std::string_view file, const changed_file& c) {
    std::string bytes(file);
    for (std::size_t at = bytes.find(c.from); at != std::string::npos;
         at = bytes.find(c.from, at + c.to.size())) {
        bytes.replace(at, c.from.size(), c.to);
    }
    const mixed_read_result r = read_mixed_plan(bytes);
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.status == mixed_read_status::breaks_rules ? r.container : r.line, c.where)
        << c.name;
    EXPECT_EQ(r.plan.has_value(), c.status == mixed_read_status::ok) << c.name;
}

TEST(mixed_plan_file, RefusesWhatItCannotFullyRead) {
    const changed_file cases[] = {
        {"accepted with CR LF", "\n", "\r\n", mixed_read_status::ok, 0},
        {"accepted without the last LF", "end\n", "end", mixed_read_status::ok, 0},
        {"another file", "varnel-mixed-plan 1", "Varnel", mixed_read_status::not_mixed_plan, 0},
        {"a later version", "plan 1\n", "plan 5\n", mixed_read_status::newer_version, 0},
        {"cut short", "load 1\nblock 0 0 0 0 1 2 2 1\nend\n", "load 1\n",
         mixed_read_status::malformed, 11},
        {"no end", "end\n", "", mixed_read_status::malformed, 12},
        {"more after the end", "end\n", "end\nend\n", mixed_read_status::malformed, 12},
        {"an empty list", "types 2", "types 0", mixed_read_status::malformed, 3},
        {"a count that is no number", "containers 2", "containers two",
         mixed_read_status::malformed, 6},
        {"a negative size", "type 600", "type -600", mixed_read_status::malformed, 4},
        {"a payload of 0", "2390 -", "2390 0", mixed_read_status::malformed, 2},
        {"a quantity of 0", "300 12 ", "300 0 ", mixed_read_status::malformed, 4},
        // What the packing list refuses, the file refuses too.
        {"a weight over 100000 kg", " 12.5 ", " 100000.5 ", mixed_read_status::malformed, 4},
        {"a weight of 3e38 kg", " 12.5 ", " 3e38 ", mixed_read_status::malformed, 4},
        {"a weight of 1e308 kg", " 12.5 ", " 1e308 ", mixed_read_status::malformed, 4},
        {"a size beyond a float", "type 600", "type 1e39", mixed_read_status::malformed, 4},
        {"more types than a list holds", "types 2", "types 1001", mixed_read_status::malformed, 3},
        {"a run of containers in version 1", "load 1\n", "load 1 2\n", mixed_read_status::malformed,
         10},
        {"sides out of order", "LWH", "HL", mixed_read_status::malformed, 4},
        {"no side may stand", " H no", "  no", mixed_read_status::malformed, 5},
        {"stackable maybe", "yes", "maybe", mixed_read_status::malformed, 4},
        {"a control in a name", " B\n", " B\x01\n", mixed_read_status::malformed, 5},
        {"a name that is no UTF-8", " B\n", " \xB1\n", mixed_read_status::malformed, 5},
        {"a type not listed", "block 1 ", "block 2 ", mixed_read_status::malformed, 9},
        {"orientation 7", "0 1 2 1 1", "0 7 2 1 1", mixed_read_status::malformed, 9},
        {"a count past 16 bits", "0 1 2 1 1", "0 1 32768 1 1", mixed_read_status::malformed, 9},
        {"a position that is no number", "block 1 0 800", "block 1 0 8e",
         mixed_read_status::malformed, 9},
        {"two blanks", "block 1 0 800", "block 1  0 800", mixed_read_status::malformed, 9},
        {"blocks overlap", "block 1 0 800", "block 1 0 700", mixed_read_status::breaks_rules, 1},
        {"B on its side", "0 800 0 1 2", "0 800 0 2 2", mixed_read_status::breaks_rules, 1},
        {"more A than ordered", "300 12 ", "300 9 ", mixed_read_status::breaks_rules, 2},
        // Container 1 holds B of unknown weight; container 2 weighs 50 kg.
        {"over the payload", "2390 -", "2390 49", mixed_read_status::breaks_rules, 2},
    };
    for (const changed_file& c : cases) expect_read(example_file, c);
}

// A run of identical containers: written as version 2, which a reader of
// version 1 refuses as a later program's, every load line with its count.
TEST(mixed_plan_file, RunsOfContainersAsVersionTwo) {
    mixed_plan_file f = named_example();
    f.cartons[0].quantity = 30;
    f.plan.containers[1].repeat = 6;  // 6 + 6 x 4 A: all 30
    const std::string bytes = write_mixed_plan(f);
    EXPECT_TRUE(bytes.starts_with("varnel-mixed-plan 2\n")) << bytes;
    EXPECT_NE(bytes.find("\nload 2 1\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\nload 1 6\n"), std::string::npos) << bytes;
    const mixed_read_result r = read_mixed_plan(bytes);
    ASSERT_EQ(r.status, mixed_read_status::ok) << mixed_read_message(r);
    ASSERT_EQ(r.plan->plan.containers.size(), 2u);
    EXPECT_EQ(r.plan->plan.containers[0].repeat, 1);
    EXPECT_EQ(r.plan->plan.containers[1].repeat, 6);
    EXPECT_EQ(r.plan->plan.unloaded, (std::vector<std::int64_t>{0, 0}));

    const changed_file cases[] = {
        {"a run of 0", "load 1 6", "load 1 0", mixed_read_status::malformed, 10},
        {"no count", "load 1 6", "load 1", mixed_read_status::malformed, 10},
        {"a count past the largest quantity", "load 1 6", "load 1 1000000001",
         mixed_read_status::malformed, 10},
        {"more A than ordered", "load 1 6", "load 1 7", mixed_read_status::breaks_rules, 2},
        {"a run of billions", "load 1 6", "load 1 1000000000", mixed_read_status::breaks_rules, 2},
    };
    for (const changed_file& c : cases) expect_read(bytes, c);
}

// What a carton bears and the weight rules make a version 3 file, read back
// as written; a heavy carton on a lighter one is refused only there.
TEST(mixed_plan_file, WeightRulesAsVersionThree) {
    mixed_plan_file f = named_example();
    f.cartons[0].max_load = 37.5;
    f.cartons[0].max_layers = 3;
    f.weights = {false, 0.08};
    const std::string bytes = write_mixed_plan(f);
    EXPECT_EQ(bytes.substr(0, bytes.find("types")),
              "varnel-mixed-plan 3\ncontainer 5900 2350 2390 - 40尺柜\nweights no 8\n");
    EXPECT_NE(bytes.find("type 600 400 300 12 12.5 LWH yes 37.5 3 A\n"), std::string::npos);
    EXPECT_NE(bytes.find("type 800 600 1800 2 - H no - - B\n"), std::string::npos);
    const mixed_read_result r = read_mixed_plan(bytes);
    ASSERT_EQ(r.status, mixed_read_status::ok) << mixed_read_message(r);
    EXPECT_EQ(r.plan->cartons[0].max_load, 37.5);
    EXPECT_EQ(r.plan->cartons[0].max_layers, 3);
    EXPECT_EQ(r.plan->cartons[1].max_load, std::nullopt);
    EXPECT_FALSE(r.plan->weights.heavy_not_on_light);
    EXPECT_EQ(write_mixed_plan(*r.plan), bytes);

    // 20 kg on 10 kg: refused with the rule on in version 3, opened in version 1.
    mixed_plan_file heavy = named_example();
    heavy.cartons[0].weight = 20;
    heavy.cartons[1].weight = 10;
    heavy.cartons[1].stackable = true;
    heavy.plan.containers = {{{{0, 0, 0, 1, 1, 1, 1, 1}, {0, 0, 1800, 1, 1, 1, 1, 0}}, {1, 1}}};
    EXPECT_EQ(read_mixed_plan(write_mixed_plan(heavy)).status, mixed_read_status::ok);
    heavy.weights.balance_share.reset();
    EXPECT_EQ(read_mixed_plan(write_mixed_plan(heavy)).status, mixed_read_status::breaks_rules);
}

TEST(mixed_plan_file, RefusalsInTheProgramsWords) {
    const struct {
        mixed_read_result result;
        const char* message;
    } cases[] = {
        {{mixed_read_status::not_mixed_plan, 0, 0, {}}, "该文件不是Varnel混装方案，无法打开"},
        {{mixed_read_status::newer_version, 0, 0, {}},
         "该混装方案由更新版本的Varnel保存，无法打开"},
        {{mixed_read_status::malformed, 7, 0, {}}, "混装方案第7行有误，文件无法打开"},
        {{mixed_read_status::breaks_rules, 0, 2, {}},
         "混装方案中第2个集装箱的装载不合装箱规则，文件无法打开"},
    };
    for (const auto& c : cases) EXPECT_EQ(mixed_read_message(c.result), c.message);
}

}  // namespace
}  // namespace varnel
