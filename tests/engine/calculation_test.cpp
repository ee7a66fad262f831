#include "engine/calculation.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

struct fields {
    std::string carton_length, carton_width, carton_height;
    std::string container_length = "590", container_width = "235", container_height = "239";
};

std::variant<calculation_input, input_refusal> read(const fields& f) {
    return read_calculation_input({f.carton_length, f.carton_width, f.carton_height,
                                   f.container_length, f.container_width, f.container_height});
}

TEST(CalculationInput, RefusalsComeInTheOrderOfTheFields) {
    const struct {
        fields typed;
        const char* message;
        input_field field;
    } cases[] = {
        {{"", "40", "30"}, "包装箱的长输入有误，请重新输入", input_field::carton_length},
        {{"abc", "", "30"}, "包装箱的长输入有误，请重新输入", input_field::carton_length},
        {{"60", "", "30"}, "包装箱的宽输入有误，请重新输入", input_field::carton_width},
        {{"60", "40", "3O"}, "包装箱的高输入有误，请重新输入", input_field::carton_height},
        // A width that is not a number wins over a length that is too small.
        {{"10", "x", "30"}, "包装箱的宽输入有误，请重新输入", input_field::carton_width},
        {{"14.9", "40", "30"}, "包装箱的长度太小，程序计算不正常", input_field::carton_length},
        {{"10", "10", "10"}, "包装箱的长度太小，程序计算不正常", input_field::carton_length},
        {{"60", "14.99", "30"}, "包装箱的宽度太小，程序计算不正常", input_field::carton_width},
        {{"60", "40", "-30"}, "包装箱的高度太小，程序计算不正常", input_field::carton_height},
        {{"60", "85", "14"}, "包装箱的高度太小，程序计算不正常", input_field::carton_height},
        {{"60", "40", "30", ""}, "程序内部出错,操作无法完成", input_field::container},
        {{"60", "40", "30", "590", "235", "高"},
         "程序内部出错,操作无法完成",
         input_field::container},
        {{"60", "40", "30", "590", "x"}, "程序内部出错,操作无法完成", input_field::container},
        // Beyond the float range (and double's) is no number, never zero.
        {{"1e400", "40", "30"}, "包装箱的长输入有误，请重新输入", input_field::carton_length},
        {{"60", "40", "30", "1e400"}, "程序内部出错,操作无法完成", input_field::container},
        // More than 32767 cartons of 15 cm along: a container of about 4.9 km.
        {{"15", "40", "30", "491505.1"}, "集装箱尺寸过大，程序无法计算", input_field::container},
        {{"15", "85", "40", "500000"}, "集装箱尺寸过大，程序无法计算", input_field::container},
        {{"60", "40", "30", "590", "1e30"}, "集装箱尺寸过大，程序无法计算", input_field::container},
    };
    for (const auto& c : cases) {
        const auto result = read(c.typed);
        const auto* refusal = std::get_if<input_refusal>(&result);
        ASSERT_NE(refusal, nullptr) << c.typed.carton_length << " " << c.typed.container_length;
        EXPECT_STREQ(refusal->message, c.message);
        EXPECT_EQ(refusal->field, c.field);
    }
}

TEST(CalculationInput, ReadsCentimetresAsMillimetres) {
    const auto result = read({"15", "15", "15", "1203.2", "235", "239.2"});
    const auto* in = std::get_if<calculation_input>(&result);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->carton_length, 150.0f);  // exactly the minimum passes
    EXPECT_EQ(in->container_length, 12032.0f);
    EXPECT_EQ(in->container_width, 2350.0f);
    EXPECT_EQ(in->container_height, 2392.0f);
}

TEST(CalculationInput, ContainerSizesHaveNoLimitsOfTheirOwn) {
    for (const char* size : {"0", "-5", "0.001", "491505"}) {
        EXPECT_TRUE(std::holds_alternative<calculation_input>(read({"60", "40", "30", size})))
            << size;
    }
}

TEST(Calculation, SetsTheModelFromTheInput) {
    load_model m;
    const plan_outcome out = run_calculation(m, {600, 400, 300, 2350, 12000, 2390}, true, false);
    EXPECT_EQ(out.stack_count, 1);
    EXPECT_EQ(m.side_allowed, 0);
    EXPECT_EQ(m.container_length, 12000.0f);
    EXPECT_EQ(m.view_origin_x, 350.0f);
    EXPECT_EQ(m.view_origin_y, 2600.0f);
    EXPECT_EQ(m.stacks[0].orientation, 3);
}

}  // namespace
}  // namespace varnel
