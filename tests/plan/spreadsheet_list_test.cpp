// The packing list kept as .csv, .xlsx and .ods: the same list read from
// each, and a spreadsheet's faults refused as a CSV file's, naming the
// sheet's row and column.
#include "plan/spreadsheet_list.h"
#include "plan/xlsx_package.h"

#include <gtest/gtest.h>

#include <map>

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

// --- packages liborcus reads only once mended ---------------------------------

constexpr const char* sheet_ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* rel_ns =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string relationships(const std::vector<std::pair<std::string, std::string>>& type_target) {
    std::string xml =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    int id = 1;
    for (const auto& [type, target] : type_target) {
        xml += "<Relationship Id=\"rId" + std::to_string(id++) + "\" Type=\"" + rel_ns + "/" +
               type + "\" Target=\"" + target + "\"/>";
    }
    return xml + "</Relationships>";
}

// A workbook of one sheet, its parts named as `book`, `sheet` and `strings`
// give them (a name starting with '/' is written absolute, as some writers
// do); `cells` is the sheet's <sheetData> content; no shared strings part
// when `shared` is empty.
struct package_case {
    const char* name;
    std::string sheet_target;
    std::string cells;
    std::string shared;  // the <si> elements
    std::vector<std::vector<std::string>> rows;
};

std::string package(const package_case& c) {
    std::vector<std::pair<std::string, std::string>> book_rels{{"worksheet", c.sheet_target}};
    if (!c.shared.empty()) book_rels.emplace_back("sharedStrings", "/xl/sharedStrings.xml");
    const std::string sheet_part =
        c.sheet_target.starts_with('/') ? c.sheet_target.substr(1) : "xl/" + c.sheet_target;
    std::vector<std::pair<std::string, std::string>> parts{
        {"[Content_Types].xml",
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" "
         "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
        {"_rels/.rels", relationships({{"officeDocument", "/xl/workbook.xml"}})},
        {"xl/workbook.xml", std::string("<workbook xmlns=\"") + sheet_ns + "\" xmlns:r=\"" +
                                rel_ns +
                                "\"><sheets><sheet name=\"装箱单\" sheetId=\"1\" r:id=\"rId1\"/>"
                                "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", relationships(book_rels)},
        {sheet_part, std::string("<x:worksheet xmlns:x=\"") + sheet_ns + "\"><x:sheetData>" +
                         c.cells + "</x:sheetData></x:worksheet>"},
    };
    if (!c.shared.empty()) {
        parts.emplace_back("xl/sharedStrings.xml",
                           std::string("<sst xmlns=\"") + sheet_ns + "\">" + c.shared + "</sst>");
    }
    return stored_zip(parts).value_or("");
}

// What liborcus 0.17 cannot read alone: targets named from the package's
// root, cells holding their own text, an empty shared string (which it gives
// the text of the one before), a string repeated in the shared strings.
TEST(spreadsheet_list, MendedPackagesReadAsSpreadsheetProgramsReadThem) {
    const std::string header =
        R"(<x:row r="1"><x:c r="A1" t="inlineStr"><x:is><x:t>名称</x:t></x:is></x:c>)"
        R"(<x:c r="B1" t="inlineStr"><x:is><x:t>可竖放</x:t></x:is></x:c></x:row>)";
    const package_case cases[] = {
        {"absolute targets, inline strings, an empty one",
         "/xl/worksheets/sheet1.xml",
         header +
             R"(<x:row r="2"><x:c r="A2" t="inlineStr"><x:is><x:t>A &amp; B</x:t></x:is></x:c>)"
             R"(<x:c r="B2" t="inlineStr"></x:c><x:c r="C2" t="n"><x:v>60</x:v></x:c></x:row>)"
             R"(<x:row r="3"><x:c r="A3" t="inlineStr"/><x:c r="B3" t="b"><x:v>1</x:v></x:c></x:row>)",
         "",
         {{"名称", "可竖放"}, {"A & B", "", "60"}, {"", "1"}}},
        {"rich inline text without its phonetic guide",
         "worksheets/sheet1.xml",
         header +
             R"(<x:row r="2"><x:c r="A2" t="inlineStr"><x:is><x:r><x:t>电</x:t></x:r>)"
             R"(<x:r><x:t xml:space="preserve">视 </x:t></x:r><x:rPh><x:t>でんし</x:t></x:rPh>)"
             R"(</x:is></x:c><x:c r="B2" t="str"><x:v>高</x:v></x:c></x:row>)",
         "",
         {{"名称", "可竖放"}, {"电视 ", "高"}}},
        {"an empty shared string and a repeated one",
         "worksheets/sheet1.xml",
         R"(<x:row r="1"><x:c r="A1" t="s"><x:v>0</x:v></x:c><x:c r="B1" t="s"><x:v>1</x:v></x:c>)"
         R"(<x:c r="C1" t="s"><x:v>2</x:v></x:c><x:c r="D1" t="s"><x:v>3</x:v></x:c>)"
         R"(<x:c r="E1" t="inlineStr"><x:is><x:t>宽</x:t></x:is></x:c></x:row>)",
         "<si><t>长</t></si><si><t/></si><si><t>长</t></si><si><r><t>高</t></r><rPh><t>た</t></"
         "rPh></si>",
         {{"长", "", "长", "高", "宽"}}},
        {"a sheet beside the workbook's folder",
         "/sheets/list.xml",
         header,
         "",
         {{"名称", "可竖放"}}},
    };
    for (const package_case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = read_spreadsheet_rows(package(c), spreadsheet_kind::xlsx);
        ASSERT_TRUE(std::holds_alternative<text_table>(read))
            << std::get<list_refusal>(read).message;
        std::vector<std::vector<std::string>> rows;
        for (const text_row& r : std::get<text_table>(read)) rows.push_back(r.cells);
        EXPECT_EQ(rows, c.rows);
    }
}

// The reader the window's import and varnel-plan share picks the kind by the
// name's suffix, in any case.
TEST(spreadsheet_list, TheNameSaysWhichReader) {
    const struct {
        const char* name;
        const char* file;
    } cases[] = {{"装箱单.csv", "list.csv"},
                 {"装箱单", "list.csv"},
                 {"LIST.XLSX", "list.xlsx"},
                 {"list.Ods", "list.ods"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = read_packing_list_file(c.name, bytes_of(c.file));
        ASSERT_TRUE(std::holds_alternative<packing_list>(read))
            << std::get<list_refusal>(read).message;
        EXPECT_EQ(std::get<packing_list>(read).cartons.size(), 3u);
    }
    // A spreadsheet named as CSV is read as CSV, and refused as such.
    EXPECT_TRUE(std::holds_alternative<list_refusal>(
        read_packing_list_file("list.csv", bytes_of("list.xlsx"))));
}

}  // namespace
}  // namespace varnel
