#include "catalogue/entry_input.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

enum class form { container, container_sizes, plan_container, carton, pallet };

// A pallet type's own weight, load height and load weight follow the three
// sizes; the other forms have no such fields.
struct typed {
    form kind;
    std::string name, length, width, height, weight = "25", load_height = "150",
                                             load_weight = "1000";
};

entry_reading read(const typed& t) {
    switch (t.kind) {
        case form::container: return read_container_entry(t.name, t.length, t.width, t.height);
        case form::container_sizes: return read_container_sizes(t.length, t.width, t.height);
        case form::plan_container: return read_plan_container_sizes(t.length, t.width, t.height);
        case form::carton: return read_carton_entry(t.name, t.length, t.width, t.height);
        case form::pallet: {
            const pallet_reading r = read_pallet_entry(
                {t.name, t.length, t.width, t.height, t.weight, t.load_height, t.load_weight});
            if (const auto* refusal = std::get_if<entry_refusal>(&r)) return *refusal;
            const pallet_entry& p = std::get<pallet_entry>(r);
            // The sizes as the other forms give them, the rest checked below.
            return entry_sizes{p.length, p.width, p.height};
        }
    }
    return entry_sizes{};
}

std::string shown(const typed& t) {
    return t.name + "|" + t.length + "|" + t.width + "|" + t.height + "|" + t.weight + "|" +
           t.load_height + "|" + t.load_weight;
}

TEST(EntryInput, TheFirstThingWrongIsRefusedInTheOrderOfTheFields) {
    using enum form;
    const struct {
        typed in;
        const char* message;
        entry_field field;
    } cases[] = {
        {{container, "", "589", "235", "239"}, "请输入集装箱的名字", entry_field::name},
        {{container, "新柜", "", "235", "239"}, "请输入集装箱的长", entry_field::length},
        {{container, "新柜", "12a", "235", "239"},
         "集装箱的长度输入有误，请重新输入",
         entry_field::length},
        {{container, "新柜", "589", "", "239"}, "请输入集装箱的宽", entry_field::width},
        // Blanks are text, and no number: only a field with nothing in it is empty.
        {{container, "新柜", "589", " ", "239"},
         "集装箱的宽度输入有误，请重新输入",
         entry_field::width},
        {{container, "新柜", "589", "235", ""}, "请输入集装箱的高", entry_field::height},
        // Its tenfold is beyond a float.
        {{container, "新柜", "589", "235", "3e38"},
         "集装箱的高度输入有误，请重新输入",
         entry_field::height},
        // Beyond even a double: no number, never 0 mm.
        {{container, "新柜", "1e400", "235", "239"},
         "集装箱的长度输入有误，请重新输入",
         entry_field::length},
        // The manual size has no name to ask for.
        {{container_sizes, "", "1200", "235", ""}, "请输入集装箱的高", entry_field::height},
        {{container_sizes, "", "x", "", ""},
         "集装箱的长度输入有误，请重新输入",
         entry_field::length},
        // A container of no size: refused once all three are numbers.
        {{container, "TEST1", "500", "0", "-5"},
         "集装箱的宽度必须大于0，请重新输入",
         entry_field::width},
        {{container_sizes, "", "1000", "0", "-5"},
         "集装箱的宽度必须大于0，请重新输入",
         entry_field::width},
        {{container_sizes, "", "-0", "x", "239"},
         "集装箱的宽度输入有误，请重新输入",
         entry_field::width},
        {{container_sizes, "", "-0", "235", "239"},
         "集装箱的长度必须大于0，请重新输入",
         entry_field::length},
        {{container, "TEST1", "589", "235", "-1e-30"},
         "集装箱的高度必须大于0，请重新输入",
         entry_field::height},
        // The container of the plan at hand holds the smallest carton or is
        // refused; one of no size first as above.
        {{plan_container, "", "1000", "235", "0.0001"},
         "集装箱的高度不能小于15厘米，请重新输入",
         entry_field::height},
        {{plan_container, "", "14.99", "10", "239"},
         "集装箱的长度不能小于15厘米，请重新输入",
         entry_field::length},
        {{plan_container, "", "14.99", "0", "239"},
         "集装箱的宽度必须大于0，请重新输入",
         entry_field::width},
        {{plan_container, "", "1200", "1", ""}, "请输入集装箱的高", entry_field::height},
        {{carton, "", "60", "40", "30"}, "请输入包装箱的名称", entry_field::name},
        {{carton, "Box B", "", "40", "30"}, "请输入包装箱的长", entry_field::length},
        {{carton, "Box B", "6a", "40", "30"},
         "包装箱的长度输入有误，请重新输入",
         entry_field::length},
        {{carton, "Box B", "60", "", "30"}, "请输入包装箱的宽", entry_field::width},
        // The limits wait until all three sizes are numbers.
        {{carton, "Box B", "10", "4x", "30"},
         "包装箱的宽度输入有误，请重新输入",
         entry_field::width},
        {{carton, "Box B", "10", "40", ""}, "请输入包装箱的高", entry_field::height},
        {{carton, "Box B", "60", "40", "3x"},
         "包装箱的高度输入有误，请重新输入",
         entry_field::height},
        {{carton, "Box B", "60", "1e400", "30"},
         "包装箱的宽度输入有误，请重新输入",
         entry_field::width},
        {{carton, "Box B", "10", "10", "10"},
         "包装箱的长度太小，程序计算不正常",
         entry_field::length},
        {{carton, "Box B", "60", "14.99", "30"},
         "包装箱的宽度太小，程序计算不正常",
         entry_field::width},
        {{carton, "Box B", "60", "40", "14.9"},
         "包装箱的高度太小，程序计算不正常",
         entry_field::height},
        {{carton, "Box B", "60", "40", "-30"},
         "包装箱的高度太小，程序计算不正常",
         entry_field::height},
        // A pallet type is read as a container type, with three more figures.
        {{pallet, "", "120", "80", "14.4"}, "请输入托盘的名字", entry_field::name},
        {{pallet, "P", "120", "", "14.4"}, "请输入托盘的宽", entry_field::width},
        {{pallet, "P", "120", "80", "1,5"}, "托盘的高度输入有误，请重新输入", entry_field::height},
        {{pallet, "P", "120", "80", "15", ""}, "请输入托盘的自重", entry_field::weight},
        {{pallet, "P", "120", "80", "15", "25kg"},
         "托盘的自重输入有误，请重新输入",
         entry_field::weight},
        {{pallet, "P", "120", "80", "15", "25", "3e38"},
         "托盘的装载高度输入有误，请重新输入",
         entry_field::load_height},
        {{pallet, "P", "120", "80", "15", "25", "150", " "},
         "托盘的装载重量输入有误，请重新输入",
         entry_field::load_weight},
        // 0 or below once all six are numbers, in their order.
        {{pallet, "P", "120", "80", "15", "0", "0", "x"},
         "托盘的装载重量输入有误，请重新输入",
         entry_field::load_weight},
        {{pallet, "P", "120", "80", "15", "0", "0", "0"},
         "托盘的自重必须大于0，请重新输入",
         entry_field::weight},
        {{pallet, "P", "-120", "80", "15", "25", "150", "0"},
         "托盘的长度必须大于0，请重新输入",
         entry_field::length},
        {{pallet, "P", "120", "80", "15", "25", "-1e-30", "1000"},
         "托盘的装载高度必须大于0，请重新输入",
         entry_field::load_height},
        {{pallet, "P", "120", "80", "15", "25", "150", "-0"},
         "托盘的装载重量必须大于0，请重新输入",
         entry_field::load_weight},
    };
    for (const auto& c : cases) {
        const entry_reading reading = read(c.in);
        const auto* refusal = std::get_if<entry_refusal>(&reading);
        ASSERT_NE(refusal, nullptr) << shown(c.in);
        EXPECT_STREQ(refusal->message, c.message) << shown(c.in);
        EXPECT_EQ(refusal->field, c.field) << shown(c.in);
    }
}

TEST(EntryInput, SizesAreReadAsMillimetres) {
    using enum form;
    const struct {
        typed in;
        entry_sizes mm;
    } cases[] = {
        {{carton, "Cube", "15", "15", "15"}, {150, 150, 150}},  // exactly the minimum
        {{carton, "Box", " 23.5 ", "30", "40"}, {235, 300, 400}},
        // Container sizes have no upper limit, and the least size above 0 passes.
        {{container, "my box", "1000000", "0.5", "239"}, {1e7f, 5, 2390}},
        {{container_sizes, "", "1203.2", "235", "239"}, {12032, 2350, 2390}},
        {{plan_container, "", "15", "15", "15"}, {150, 150, 150}},  // the smallest carton fits
        {{pallet, "P", "121.9", "101.6", "15"}, {1219, 1016, 150}},
    };
    for (const auto& c : cases) {
        const entry_reading reading = read(c.in);
        const auto* sizes = std::get_if<entry_sizes>(&reading);
        ASSERT_NE(sizes, nullptr) << shown(c.in);
        EXPECT_EQ(sizes->length, c.mm.length) << shown(c.in);
        EXPECT_EQ(sizes->width, c.mm.width) << shown(c.in);
        EXPECT_EQ(sizes->height, c.mm.height) << shown(c.in);
    }
}

// Weights are kilograms as typed; the load height is centimetres, read as
// millimetres like the sizes.
TEST(EntryInput, PalletWeightsAreKilograms) {
    const pallet_reading r = read_pallet_entry({"P", "120", "80", "14.4", " 22.5 ", "150", "1e3"});
    const auto* p = std::get_if<pallet_entry>(&r);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->height, 144.0f);
    EXPECT_EQ(p->weight, 22.5f);
    EXPECT_EQ(p->load_height, 1500.0f);
    EXPECT_EQ(p->load_weight, 1000.0f);
}

}  // namespace
}  // namespace varnel
