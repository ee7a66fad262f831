// The packing list kept as .csv, .xlsx and .ods: the same list read from
// each, and a spreadsheet's faults refused as a CSV file's, naming the
// sheet's row and column.
#include "plan/spreadsheet_list.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <variant>

namespace varnel {
namespace {

std::string bytes_of(const std::string& name) {
    std::ifstream in(std::string(VARNEL_LISTS_DIR) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::variant<packing_list, list_refusal> read_file(const std::string& name) {
    const std::string bytes = bytes_of(name);
    if (name.ends_with(".xlsx"))
        return read_packing_list_spreadsheet(bytes, spreadsheet_kind::xlsx);
    if (name.ends_with(".ods")) return read_packing_list_spreadsheet(bytes, spreadsheet_kind::ods);
    return read_packing_list_csv(bytes);
}

TEST(spreadsheet_list, EachKindGivesTheSameList) {
    for (const char* name : {"list.csv", "list.xlsx", "list.ods"}) {
        SCOPED_TRACE(name);
        const auto read = read_file(name);
        ASSERT_TRUE(std::holds_alternative<packing_list>(read))
            << std::get<list_refusal>(read).message;
        const auto& c = std::get<packing_list>(read).cartons;
        ASSERT_EQ(c.size(), 3u);
        EXPECT_EQ(c[0].name, "A");
        EXPECT_EQ(c[0].size, (std::array<double, 3>{600, 400, 300}));
        EXPECT_EQ(c[0].quantity, 20);
        EXPECT_EQ(c[0].weight, 12.5);
        EXPECT_TRUE(c[0].stackable);
        EXPECT_TRUE(c[0].allowed.allows_vertical(0));
        EXPECT_EQ(c[1].name, "B");
        EXPECT_EQ(c[1].weight, std::nullopt);
        EXPECT_FALSE(c[1].stackable);
        EXPECT_FALSE(c[1].allowed.allows_vertical(0));
        EXPECT_FALSE(c[1].allowed.allows_vertical(1));
        EXPECT_TRUE(c[1].allowed.allows_vertical(2));
        EXPECT_EQ(c[2].size[0], 505.0);
        EXPECT_EQ(c[2].quantity, 10);
        EXPECT_FALSE(c[2].allowed.allows_vertical(0));
        EXPECT_TRUE(c[2].allowed.allows_vertical(1));
        EXPECT_EQ(std::get<packing_list>(read).lines, (std::vector<std::size_t>{2, 3, 4}));
    }
}

TEST(spreadsheet_list, RefusalsNameTheSheetsRowAndColumn) {
    const struct {
        const char* file;
        const char* message;
    } cases[] = {
        {"quantity_zero.xlsx",
         "装箱单第3行第5列（数量）：数量输入有误，请输入1至1000000000之间的整数"},
        {"no_height.ods", "装箱单第1行：缺少“高”列"},
        {"size_text.ods", "装箱单第3行第2列（长）：尺寸输入有误，请输入大于0的厘米数"},
        {"not_a_sheet.xlsx",
         "该文件不是可以读取的xlsx或ods表格，请检查文件，或将装箱单另存为CSV文件"},
        {"logical.ods",
         "表格中有程序读不出的单元格（如逻辑值TRUE、FALSE），请将其改为文字（如是、否）后再导入"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const auto read = read_file(c.file);
        ASSERT_TRUE(std::holds_alternative<list_refusal>(read));
        EXPECT_EQ(std::get<list_refusal>(read).message, c.message);
    }
    // An .ods read as an .xlsx is no .xlsx.
    const auto wrong = read_packing_list_spreadsheet(bytes_of("list.ods"), spreadsheet_kind::xlsx);
    ASSERT_TRUE(std::holds_alternative<list_refusal>(wrong));
    EXPECT_EQ(std::get<list_refusal>(wrong).line, 0u);
}

}  // namespace
}  // namespace varnel
