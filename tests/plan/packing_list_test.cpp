#include "plan/packing_list.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace varnel {
namespace {

std::string refusal_of(std::string_view csv) {
    const auto read = read_packing_list_csv(csv);
    const auto* refusal = std::get_if<list_refusal>(&read);
    return refusal ? refusal->message : "accepted";
}

packing_list accepted(std::string_view csv) {
    auto read = read_packing_list_csv(csv);
    if (const auto* refusal = std::get_if<list_refusal>(&read)) ADD_FAILURE() << refusal->message;
    return std::holds_alternative<packing_list>(read) ? std::get<packing_list>(read)
                                                      : packing_list{};
}

// `n` rows of cartons that differ, one each.
std::string many_types(int n) {
    std::string rows;
    for (int i = 0; i < n; ++i) rows += "T," + std::to_string(20 + i) + ",40,30,1\n";
    return rows;
}

TEST(packing_list, RefusalsNameTheLineAndTheColumn) {
    constexpr const char* header = "名称,长,宽,高,数量,毛重,可竖放,可堆码,承重,最多层数\n";
    const struct {
        const char* name;
        std::string csv;
        const char* message;
    } cases[] = {
        {"nothing", "", "装箱单第1行：装箱单中没有包装箱"},
        {"blank lines", "\n , \n", "装箱单第1行：装箱单中没有包装箱"},
        {"a header alone", header, "装箱单第2行：装箱单中没有包装箱"},
        {"no height column", "名称,长,宽,数量\nA,60,40,3\n", "装箱单第1行：缺少“高”列"},
        {"no quantity column", "length,width,height\n60,40,30\n", "装箱单第1行：缺少“数量”列"},
        {"a column twice", "长,宽,高,数量,LENGTH\n", "装箱单第1行第5列（长）：与第1列重复"},
        {"quantity 0", std::string(header) + "A,60,40,30,0,,,\n",
         "装箱单第2行第5列（数量）：数量输入有误，请输入1至1000000000之间的整数"},
        {"quantity 1.5", std::string(header) + "A,60,40,30,1.5,,,\n",
         "装箱单第2行第5列（数量）：数量输入有误，请输入1至1000000000之间的整数"},
        {"quantity beyond 10^9", std::string(header) + "A,60,40,30,1000000001\n",
         "装箱单第2行第5列（数量）：数量输入有误，请输入1至1000000000之间的整数"},
        {"a size that is no number", std::string(header) + "A,60,4O,30,1\n",
         "装箱单第2行第3列（宽）：尺寸输入有误，请输入大于0的厘米数"},
        {"a size of 0", std::string(header) + "A,60,40,0,1\n",
         "装箱单第2行第4列（高）：尺寸输入有误，请输入大于0的厘米数"},
        {"a size left blank", std::string(header) + "A,,40,30,1\n",
         "装箱单第2行第2列（长）：尺寸输入有误，请输入大于0的厘米数"},
        {"a decimal comma", std::string(header) + "A,\"60,5\",40,30,1\n",
         "装箱单第2行第2列（长）：尺寸输入有误，请输入大于0的厘米数"},
        {"a negative weight", std::string(header) + "A,60,40,30,1,-2\n",
         "装箱单第2行第6列（毛重）：毛重输入有误，请输入大于0的重量（千克），不知道时留空"},
        {"a weight past 100000 kg", std::string(header) + "A,60,40,30,1,100000.5\n",
         "装箱单第2行第6列（毛重）：毛重输入有误，一个包装箱的重量不能超过100000千克"},
        {"a weight of 3e38 kg", std::string(header) + "A,60,40,30,1000,3e38\n",
         "装箱单第2行第6列（毛重）：毛重输入有误，一个包装箱的重量不能超过100000千克"},
        {"more types than a list holds", std::string(header) + many_types(1001),
         "装箱单第1002行：装箱单中的包装箱种类太多，最多1000种，请分成几张装箱单"},
        {"a side letter unknown", std::string(header) + "A,60,40,30,1,,X\n",
         "装箱单第2行第7列（可竖放）：可竖放输入有误，请写出可以竖放的边：长、宽、高（或L、W、"
         "H），留空为任意摆放"},
        {"stackable maybe", std::string(header) + "A,60,40,30,1,,,maybe\n",
         "装箱单第2行第8列（可堆码）：可堆码输入有误，请输入是或否（yes或no，1或0），留空为是"},
        {"a negative load", std::string(header) + "A,60,40,30,1,,,,,\n" + "B,60,40,30,1,,,,-1\n",
         "装箱单第3行第9列（承重）：承重输入有误，请输入不小于0的重量（千克），不限时留空"},
        {"a load that is no number", std::string(header) + "A,60,40,30,1,,,,x0\n",
         "装箱单第2行第9列（承重）：承重输入有误，请输入不小于0的重量（千克），不限时留空"},
        {"no layer", std::string(header) + "A,60,40,30,1,,,,0,0\n",
         "装箱单第2行第10列（最多层数）：最多层数输入有误，请输入不小于1的整数，不限时留空"},
        {"half a layer", std::string(header) + "A,60,40,30,1,,,,,2.5\n",
         "装箱单第2行第10列（最多层数）：最多层数输入有误，请输入不小于1的整数，不限时留空"},
        {"a line break in a name", std::string(header) + "\"A\nB\",60,40,30,1\n",
         "装箱单第2行第1列（名称）：名称中不能有换行等控制字符"},
        {"a line break in a pallet's name", "长,宽,高,数量,托盘\n6,4,3,1,\"a\nb\"\n",
         "装箱单第2行第5列（托盘）：托盘名称中不能有换行等控制字符"},
        {"GBK text", std::string(header) + "\xB5\xE7\xCA\xD3,60,40,30,1\n",
         "装箱单第2行第1列：不是UTF-8编码的文字，请将装箱单存为UTF-8编码的CSV文件"},
        {"GBK in a column read by no one", "长,宽,高,数量,\xB1\xB8\xD7\xA2\n",
         "装箱单第1行第5列：不是UTF-8编码的文字，请将装箱单存为UTF-8编码的CSV文件"},
        {"a quote left open", std::string(header) + "A,60,40,30,1\n\"B,1,1,1,1\n",
         "装箱单第3行第1列：引号没有结束"},
        {"text after a quote", std::string(header) + "\"A\"x,60,40,30,1\n",
         "装箱单第2行第1列：引号后面不能再有文字"},
        // A quoted line break in a column read by no one still counts as a line.
        {"lines counted through quotes",
         "备注,长,宽,高,数量\r\n\"a\r\nb\",60,40,30,1\r\nc,1,1,1,0\r\n",
         "装箱单第4行第5列（数量）：数量输入有误，请输入1至1000000000之间的整数"},
    };
    for (const auto& c : cases) EXPECT_EQ(refusal_of(c.csv), c.message) << c.name;
}

TEST(packing_list, ReadsEitherLanguageInAnyOrderAndKeepsWhereEachTypeWas) {
    const packing_list list = accepted(
        "\xEF\xBB\xBF"
        "Stackable,note,Quantity,HEIGHT,width,length,vertical,weight,name\r\n"
        "no,\"any, text\",3,30,40,60.5,WH,12.5,\"TV \"\"A\"\"\"\r\n"
        ",,,,,,,,\r\n"
        "1,,7,30,40,60,,,\r\n"
        "yes,,1,30,40,60,\xE5\xAE\xBD\xE3\x80\x81\xE9\xAB\x98,,  \r\n");  // 宽、高
    ASSERT_EQ(list.cartons.size(), 3u);
    const carton_type& tv = list.cartons[0];
    EXPECT_EQ(tv.name, "TV \"A\"");
    EXPECT_EQ(tv.size, (std::array<double, 3>{605, 400, 300}));
    EXPECT_EQ(tv.quantity, 3);
    EXPECT_EQ(tv.weight, 12.5);
    EXPECT_EQ(tv.allowed, orientation_set::with_vertical_sides(0b110));
    EXPECT_FALSE(tv.stackable);
    // Blank cells: the type's number as its name, weight unknown, any side, stackable.
    EXPECT_EQ(list.cartons[1].name, "包装箱2");
    EXPECT_EQ(list.cartons[1].weight, std::nullopt);
    EXPECT_EQ(list.cartons[1].allowed, orientation_set::any());
    EXPECT_TRUE(list.cartons[1].stackable);
    EXPECT_EQ(list.cartons[2].allowed, list.cartons[0].allowed);
    EXPECT_EQ(list.lines, (std::vector<std::size_t>{2, 4, 5}));
    EXPECT_EQ(list.columns[static_cast<std::size_t>(list_field::quantity)], 2u);
}

// A spreadsheet's cells go through the same reading; its rows are its lines.
TEST(packing_list, ASpreadsheetsRowsAreItsLines) {
    const text_table sheet{{3, {"名称", "长", "宽", "高", "数量"}},
                           {9, {"A", "60", "40", "30", "x"}}};
    const auto read = read_packing_list(sheet);
    ASSERT_TRUE(std::holds_alternative<list_refusal>(read));
    const list_refusal& r = std::get<list_refusal>(read);
    EXPECT_EQ(r.line, 9u);
    EXPECT_EQ(r.column, 4u);
    EXPECT_EQ(r.field, list_field::quantity);
}

TEST(packing_list, TheContainerRefusesWhatCannotLoad) {
    const std::string list =
        "名称,长,宽,高,数量,毛重,可竖放\n"
        "A,60,40,30,1,20,\n"
        "B,%s\n";
    const container_space box{{2350, 5900, 2390}, 26000.0};
    const struct {
        const char* name;
        const char* row_b;
        const char* message;
    } cases[] = {
        {"loads", "60,40,30,1,,", nullptr},
        {"laid down it fits", "250,40,30,1,,", nullptr},
        {"kept upright it does not", "40,30,250,1,,H",
         "装箱单第3行第7列（可竖放）：包装箱按允许的摆放方式装不进集装箱"},
        {"too long any way", "600,40,30,1,,",
         "装箱单第3行第2列（长）：包装箱按允许的摆放方式装不进集装箱"},
        {"second side too long", "240,100,240,1,,",
         "装箱单第3行第4列（高）：包装箱按允许的摆放方式装不进集装箱"},
        {"a grain of sand", "60,40,0.001,1,,",
         "装箱单第3行第4列（高）：包装箱比集装箱小得太多，程序无法计算"},
        {"heavier than the payload", "60,40,30,1,26001,",
         "装箱单第3行第6列（毛重）：包装箱重量超过集装箱载重，一个集装箱装不下一个包装箱"},
    };
    for (const auto& c : cases) {
        std::string csv = list;
        csv.replace(csv.find("%s"), 2, c.row_b);
        const auto refusal = check_packing_list(accepted(csv), box);
        EXPECT_EQ(refusal ? refusal->message : "", c.message ? c.message : "") << c.name;
    }
}

// A 可竖放 cell reads the sides' letters and the names the list window shows
// for them alike.
TEST(packing_list, VerticalCellsTakeLettersAndTheWindowsNames) {
    const struct {
        const char* cell;
        unsigned sides;  // 0: refused
    } cases[] = {
        {"", 0b111},
        {"高", 0b100},
        {"h", 0b100},
        {"宽、高", 0b110},
        {"LW", 0b011},
        {"任意摆放", 0b111},
        {"不可侧放", 0b100},
        {" 不可侧放　", 0b100},
        {"长边不可竖放", 0b110},
        {"仅长宽可竖放", 0b011},
        {"仅宽、高可竖放", 0b110},
        {"仅HL可竖放", 0b101},
        {"仅可竖放", 0},
        {"仅长宽", 0},
        {"不可竖放", 0},
        {"可侧放", 0},
        {"任意", 0},
        {"仅长X可竖放", 0},
    };
    for (const auto& c : cases) {
        const auto read =
            read_packing_list_csv(std::string("长,宽,高,数量,可竖放\n6,4,3,1,") + c.cell + "\n");
        if (c.sides == 0) {
            EXPECT_TRUE(std::holds_alternative<list_refusal>(read)) << c.cell;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<packing_list>(read)) << c.cell;
        EXPECT_EQ(std::get<packing_list>(read).cartons[0].allowed.vertical_sides(), c.sides)
            << c.cell;
    }
    // Every set of sides the window can name reads back as itself.
    for (unsigned sides = 1; sides < 8; ++sides) {
        const std::string name = vertical_name(sides);
        const auto read = read_packing_list_csv("长,宽,高,数量,可竖放\n6,4,3,1," + name + "\n");
        ASSERT_TRUE(std::holds_alternative<packing_list>(read)) << name;
        EXPECT_EQ(std::get<packing_list>(read).cartons[0].allowed.vertical_sides(), sides) << name;
    }
}

TEST(packing_list, WrittenListsReadBack) {
    const packing_list list = accepted(
        "名称,长,宽,高,数量,毛重,可竖放,可堆码,max_load,MAX_LAYERS\n"
        "\"a, \"\"b\"\"\",60.5,40,30,3,12.5,高,否,,\n"
        "c,1,2,3,4,,,,0,\n"
        "d,1,2,3,4,20,,,150.5,4\n");
    EXPECT_EQ(list.cartons[1].max_load, 0.0);
    EXPECT_EQ(list.cartons[2].max_layers, 4);
    const packing_list again = accepted(write_packing_list_csv(list.cartons));
    ASSERT_EQ(again.cartons.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const carton_type &a = list.cartons[i], &b = again.cartons[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.size, b.size);
        EXPECT_EQ(a.quantity, b.quantity);
        EXPECT_EQ(a.weight, b.weight);
        EXPECT_EQ(a.allowed, b.allowed);
        EXPECT_EQ(a.stackable, b.stackable);
        EXPECT_EQ(a.max_load, b.max_load);
        EXPECT_EQ(a.max_layers, b.max_layers);
    }
    // Without them a list is written as it always was.
    EXPECT_EQ(write_packing_list_csv({list.cartons[0]}).substr(0, 60).find("承重"),
              std::string::npos);
    EXPECT_EQ(write_packing_list_csv(list.cartons).find("托盘"), std::string::npos);
    // Pallets, a name with a comma among them, read back where they were.
    const std::vector<std::string> pallets{"欧标托盘", "", "a, b"};
    const packing_list on_pallets = accepted(write_packing_list_csv(list.cartons, pallets));
    EXPECT_EQ(on_pallets.pallets, pallets);
    EXPECT_TRUE(palletised(on_pallets));
    EXPECT_FALSE(palletised(again));
}

// Merged, rows of one carton (size, sides, stackable and weight alike) are
// one type: quantities added while within a type's limit, names joined once
// each, a blank name adding none; rows kept apart stay a type each.
TEST(packing_list, RowsOfOneCartonMergeIntoOneType) {
    const struct {
        const char* name;
        std::string rows;
        std::vector<std::pair<std::string, std::int64_t>> types;  // name and quantity
        std::vector<std::size_t> lines;
    } cases[] = {
        {"the same carton named alike", "A,60,40,30,5\nA,60,40,30,7\n", {{"A", 12}}, {2}},
        {"named apart",
         "TV,60,40,30,5\nMonitor,60,40,30,7\nTV,60,40,30,1\n",
         {{"TV、Monitor", 13}},
         {2}},
        {"a blank name adds none",
         ",60,40,30,5\nB,1,1,1,1\n,60,40,30,2\nA,60,40,30,1\n",
         {{"A", 8}, {"B", 1}},
         {2, 3}},
        {"blank names alone keep the type's number",
         "B,1,1,1,1\n,60,40,30,5\n,60,40,30,2\n",
         {{"B", 1}, {"包装箱2", 7}},
         {2, 3}},
        {"another size", "A,60,40,30,5\nA,60,40,31,5\n", {{"A", 5}, {"A", 5}}, {2, 3}},
        {"another side up", "A,60,40,30,5,,H\nA,60,40,30,5,,\n", {{"A", 5}, {"A", 5}}, {2, 3}},
        {"not stackable", "A,60,40,30,5,,,否\nA,60,40,30,5,,,\n", {{"A", 5}, {"A", 5}}, {2, 3}},
        {"on another pallet",
         "A,60,40,30,5,,,,欧标托盘\nA,60,40,30,5,,,,\nA,60,40,30,2,,,,欧标托盘\n",
         {{"A", 7}, {"A", 5}},
         {2, 3}},
        {"another weight",
         "A,60,40,30,5,20\nA,60,40,30,5,\nA,60,40,30,5,20\n",
         {{"A", 10}, {"A", 5}},
         {2, 3}},
        {"the same in cm and decimals", "A,60,40,30,5\nA,60.0,4e1,30,5\n", {{"A", 10}}, {2}},
        {"past a type's limit a new type begins",
         "A,60,40,30,600000000\nA,60,40,30,400000000\nA,60,40,30,1\nA,60,40,30,2\n",
         {{"A", 1000000000}, {"A", 3}},
         {2, 4}},
    };
    for (const auto& c : cases) {
        const std::string csv = "名称,长,宽,高,数量,毛重,可竖放,可堆码,托盘\n" + c.rows;
        auto read = read_packing_list_csv(csv, same_cartons::merged);
        ASSERT_TRUE(std::holds_alternative<packing_list>(read)) << c.name;
        const packing_list& list = std::get<packing_list>(read);
        std::vector<std::pair<std::string, std::int64_t>> types;
        for (const carton_type& t : list.cartons) types.emplace_back(t.name, t.quantity);
        EXPECT_EQ(types, c.types) << c.name;
        EXPECT_EQ(list.lines, c.lines) << c.name;
        // Kept apart, every row stays its own type, and a table reads as the CSV.
        const packing_list apart = accepted(csv);
        std::size_t rows = 0;
        for (const char ch : c.rows) rows += ch == '\n';
        EXPECT_EQ(apart.cartons.size(), rows) << c.name;
        auto table = read_packing_list(std::get<text_table>(split_csv(csv)), same_cartons::merged);
        ASSERT_TRUE(std::holds_alternative<packing_list>(table)) << c.name;
        EXPECT_EQ(std::get<packing_list>(table).lines, c.lines) << c.name;
    }
    // A hundred thousand rows of one carton are one type; the limit on types
    // counts types, not rows.
    std::string big = "name,length,width,height,quantity\n";
    for (int i = 0; i < 100'000; ++i) big += "A,60,40,30,1\n";
    auto read = read_packing_list_csv(big, same_cartons::merged);
    ASSERT_TRUE(std::holds_alternative<packing_list>(read));
    ASSERT_EQ(std::get<packing_list>(read).cartons.size(), 1u);
    EXPECT_EQ(std::get<packing_list>(read).cartons[0].quantity, 100'000);
    EXPECT_EQ(refusal_of(big),
              "装箱单第1002行：装箱单中的包装箱种类太多，最多1000种，请分成几张装箱单");
}

}  // namespace
}  // namespace varnel
