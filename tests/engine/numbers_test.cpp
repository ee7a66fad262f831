#include "engine/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace varnel {
namespace {

TEST(FormatNumber, ShortestTextOfSevenSignificantDigits) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        // clang-format off
        {80.03f, "80.03"},        {74.77f, "74.77"},       {100.0f, "100"},
        {1203.2f, "1203.2"},      {235.0f, "235"},         {239.2f, "239.2"},
        {390.69012f, "390.6901"}, {9999999.0f, "9999999"}, {1e7f, "1E+07"},
        {12345678.0f, "1.234568E+07"}, {0.5f, "0.5"},     {0.0001f, "0.0001"},
        {0.00001f, "1E-05"},      {-5.0f, "-5"},           {-0.0f, "0"},
        {2886.849f, "2886.849"},  {720.339f, "720.339"},
        // clang-format on
    };
    for (const auto& c : cases) EXPECT_EQ(format_number(c.value), c.text) << c.value;
}

TEST(MeasureText, WholeUnitsOrOneDecimalBelowTen) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        // clang-format off
        {8275.0, "8275"},   {595.9182, "596"},   {12.5, "13"},      {10.4, "10"},
        {9.96, "10"},       {9.94, "9.9"},       {5.681827, "5.7"}, {2.0, "2"},
        {0.04, "0"},        {-0.04, "0"},        {-12.5, "-13"},    {-3.25, "-3.3"},
        {1e20, "100000000000000000000"},    {100000.4, "100000"},
        // clang-format on
    };
    for (const auto& c : cases) EXPECT_EQ(measure_text(c.value), c.text) << c.value;
}

TEST(ParseNumber, AcceptsDecimalTextWithBlanksAround) {
    const struct {
        const char* text;
        float value;
    } cases[] = {
        // clang-format off
        {"12", 12.0f},     {" 12.5 ", 12.5f},  {".5", 0.5f},          {"5.", 5.0f},
        {"-3", -3.0f},     {"+3", 3.0f},       {"1e3", 1000.0f},      {"1E+3", 1000.0f},
        {"2.5e-1", 0.25f}, {"\t7\t", 7.0f},    {"\u3000" "12\u3000", 12.0f},
        {"0", 0.0f},       {"1e-50", 0.0f},    {"00012.50", 12.5f},
        // Below the float range, even below double's, reads as zero.
        {"1e-400", 0.0f},  {"-0.0001e-320", -0.0f}, {"0e99999", 0.0f},
        {"1e-99999999999999999999", 0.0f},          {"0.00000e400", 0.0f},
        // clang-format on
    };
    for (const auto& c : cases) {
        const auto v = parse_number(c.text);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_EQ(*v, c.value) << c.text;
    }
}

TEST(ParseNumber, RefusesWhatIsNotANumber) {
    // clang-format off
    const char* cases[] = {"",    " ",   ".",    "-",      "+",   "e5",     "1e",   "1e+",
                           "inf", "nan", "INF",  "0x10",   "1,000", "12a", "1 2",  "--1",
                           "1e39", "-1e39", "１２", "12cm", "1.2.3", "+-1",
                           // Beyond the float range, also where double ends.
                           "1e309", "1e400", "-1e400", "0.001e400", "100000e304",
                           "1e99999999999999999999", "3.5e38"};
    // clang-format on
    for (const char* text : cases) EXPECT_FALSE(parse_number(text).has_value()) << text;
}

// Every double survives the text; what is not a literal, or lies beyond the
// double range, reads as nothing.
TEST(ExactNumbers, GiveBackEveryBit) {
    for (const double v : {0.1 + 0.2, 800 + 1.0 / 3, -5.0, 1e300, 5e-324, 12032.0}) {
        EXPECT_EQ(parse_exact(format_exact(v)), v) << format_exact(v);
    }
    EXPECT_EQ(format_exact(5900.0), "5900");
    EXPECT_EQ(format_exact(-0.0), "0");
    EXPECT_EQ(parse_exact("1E+07"), 1e7);
    EXPECT_EQ(parse_exact("+.5"), 0.5);
    for (const char* text : {"", " 1", "1 ", "1e400", "inf", "nan", "0x10", "1,5", "--1"}) {
        EXPECT_EQ(parse_exact(text), std::nullopt) << text;
    }
}

TEST(ConvertUnit, CentimetresAndMillimetres) {
    EXPECT_EQ(convert_unit(2350.0f, 0), 235.0f);
    EXPECT_EQ(convert_unit(12032.0f, 0), 1203.2f);
    EXPECT_EQ(convert_unit(23.5f, 1), 235.0f);
    EXPECT_EQ(convert_unit(-5.0f, 1), -50.0f);
    EXPECT_FALSE(convert_unit(10.0f, 2).has_value());
    EXPECT_FALSE(convert_unit(10.0f, -1).has_value());
    EXPECT_FALSE(convert_unit(3.0e38f, 1).has_value());
}

// Every window and the planner show a stored size through this one function:
// no value of mode 0 is an empty field, never "0".
TEST(SizeTextCm, AStoredSizeAsAFieldShowsIt) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float millimetres;
        const char* text;
    } cases[] = {
        {2350.0f, "235"}, {12032.0f, "1203.2"}, {235.0f, "23.5"},
        {0.0f, "0"},      {-0.0f, "0"},         {-50.0f, "-5"},
        {inf, ""},        {-inf, ""},           {std::numeric_limits<float>::quiet_NaN(), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(size_text_cm(c.millimetres), c.text) << c.millimetres;
}

TEST(ReadSizeCm, TenfoldMustStayAFloat) {
    EXPECT_EQ(read_size_cm("23.5"), 235.0f);
    EXPECT_EQ(read_size_cm(" 15 "), 150.0f);
    EXPECT_TRUE(read_size_cm("3.4e37").has_value());
    EXPECT_FALSE(read_size_cm("3.5e37").has_value());
    EXPECT_FALSE(read_size_cm("").has_value());
}

TEST(ToInt16, RoundsHalvesToEvenWithinSixteenBits) {
    const struct {
        double value;
        int expected;  // -1000000: no value
    } cases[] = {
        // clang-format off
        {2.5, 2},          {3.5, 4},         {-2.5, -2},         {2.4999, 2},
        {2.500002, 3},     {32767.4, 32767}, {32767.5, -1000000}, {-32768.5, -32768},
        {-32769.0, -1000000}, {1e10, -1000000},
        {std::numeric_limits<double>::quiet_NaN(), -1000000},
        // clang-format on
    };
    for (const auto& c : cases) {
        const auto v = to_int16(c.value);
        if (c.expected == -1000000) {
            EXPECT_FALSE(v.has_value()) << c.value;
        } else {
            ASSERT_TRUE(v.has_value()) << c.value;
            EXPECT_EQ(*v, c.expected) << c.value;
        }
    }
}

}  // namespace
}  // namespace varnel
