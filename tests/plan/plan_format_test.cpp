#include "plan/plan_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/numbers.h"
#include "tests/support/worked_example.h"

namespace varnel {
namespace {

load_model worked_example(bool single = false) {
    load_model m;
    run_calculation(m, test_support::worked_example_mm, single, true);
    return m;
}

std::vector<std::string> lines_of(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A table as the file keeps it: every float to seven significant digits.
stack_table as_written(const stack_table& t) {
    stack_table out = t;
    for (stack_record& r : out) {
        for (float* f : {&r.box_length, &r.box_width, &r.box_height, &r.space_x, &r.space_y,
                         &r.space_z, &r.origin_x, &r.origin_y}) {
            *f = *parse_number(format_number(*f));
        }
    }
    return out;
}

TEST(PlanWriter, LaysOutHeaderSectionsAndBlocks) {
    load_model m;
    run_calculation(m, {550, 600, 1200, 2350, 5900, 2390}, false, true);
    // Keep three stacks to match the hand count: 6 + 3*18 + 5 + 3*18 lines.
    m.stacks[3].in_use = 0;
    m.draw_stacks[3].in_use = 0;
    const std::string bytes = write_plan(m.draw_stacks, m.stacks);
    const std::vector<std::string> lines = lines_of(bytes);
    ASSERT_EQ(lines.size(), 119u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Varnel\xC8\xED\xBC\xFE");  // GBK, the system's code page
    EXPECT_EQ(lines[3], std::string(30, '*'));
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "load_team()");
    EXPECT_EQ(lines[6], "########");
    EXPECT_EQ(lines[7], " 0 ");
    EXPECT_EQ(lines[6 + 54], "");
    EXPECT_EQ(lines[6 + 54 + 2], "");
    EXPECT_EQ(lines[6 + 54 + 3], std::string(37, '@'));
    EXPECT_EQ(lines[6 + 54 + 4], "load_team_atu()");
    // Second section, block 0: index, box sizes, stage, in use, origin,
    // space, orientation, reserved, counts, empty line.
    const std::vector<std::string> block(lines.begin() + 65, lines.begin() + 83);
    const std::vector<std::string> expected{
        "########", " 0 ",    " 550 ",  " 600 ", " 1200 ", " 0 ", " 1 ", " 350 ", " 2600 ",
        " 2350 ",   " 5900 ", " 2390 ", " 2 ",   " 0 ",    " 4 ", " 4 ", " 3 ",   ""};
    EXPECT_EQ(block, expected);
    EXPECT_EQ(lines.back(), "");
}

TEST(PlanWriter, NegativeNumbersTakeTheSignInsteadOfTheBlank) {
    stack_table t{};
    t[0].in_use = 1;
    t[0].stage = -1;
    t[0].origin_x = -12.5f;
    t[0].space_y = 1e7f;
    const std::vector<std::string> lines = lines_of(write_plan(t, t));
    EXPECT_EQ(lines[11], "-1 ");
    EXPECT_EQ(lines[13], "-12.5 ");
    EXPECT_EQ(lines[16], " 1E+07 ");
}

TEST(PlanReader, RoundTripRestoresBothTablesToSevenDigits) {
    for (bool single : {false, true}) {
        const load_model m = worked_example(single);
        stack_table draw{}, mm{};
        const plan_read_result r = read_plan(write_plan(m.draw_stacks, m.stacks), draw, mm);
        EXPECT_EQ(r.status, plan_read_status::ok);
        EXPECT_FALSE(r.had_errors);
        EXPECT_EQ(r.records_to_draw(), stack_count(m.stacks));
        const stack_table want_draw = as_written(m.draw_stacks), want_mm = as_written(m.stacks);
        for (int i = 0; i < stack_count(m.stacks); ++i) {
            const auto k = static_cast<std::size_t>(i);
            EXPECT_EQ(draw[k], want_draw[k]) << "drawing record " << i;
            EXPECT_EQ(mm[k], want_mm[k]) << "millimetre record " << i;
        }
    }
}

std::string header() { return "\r\n\r\nVarnel\r\n***\r\n\r\nload_team()\r\n"; }
std::string second() { return "\r\n\r\n\r\n@@@\r\nload_team_atu()\r\n"; }

// A block with the given index line and fifteen value lines.
std::string block(const std::string& index, std::vector<std::string> values = {}) {
    const std::vector<std::string> standard{" 600 ", " 850 ",  " 400 ",  " 0 ",    " 1 ",
                                            " 350 ", " 2600 ", " 2350 ", " 5900 ", " 2390 ",
                                            " 1 ",   " 0 ",    " 3 ",    " 6 ",    " 5 "};
    if (values.empty()) values = standard;
    std::string out = "########\r\n" + index + "\r\n";
    for (const std::string& v : values) out += v + "\r\n";
    return out + "\r\n";
}

TEST(PlanReader, FailuresAndWhatTheyLeaveBehind) {
    std::vector<std::string> bad_count{" 600 ", " 850 ",  " 400 ",  " 0 ",    " 1 ",
                                       " 350 ", " 2600 ", " 2350 ", " 5900 ", " 2390 ",
                                       " 1 ",   " 0 ",    " 3x ",   " 6 ",    " 5 "};
    std::vector<std::string> huge{" 1e39 ",  " 850 ",  " 400 ",  " 0 ",    " 1 ",
                                  " 350 ",   " 2600 ", " 2350 ", " 5900 ", " 2390 ",
                                  " 99999 ", " 0 ",    " 3 ",    " 6 ",    " 5 "};
    std::vector<std::string> unused{" 600 ", " 850 ",  " 400 ",  " 0 ",    " 0 ",
                                    " 350 ", " 2600 ", " 2350 ", " 5900 ", " 2390 ",
                                    " 1 ",   " 0 ",    " 3 ",    " 6 ",    " 5 "};
    std::vector<std::string> beyond_double = huge;
    beyond_double[0] = " 1e400 ";
    const std::string drawn = header() + block(" 0 ") + second();
    using status = plan_read_status;
    const struct {
        const char* name;
        std::string bytes;
        plan_read_status status;
        bool errors;
        int last_index;
        int records_to_draw;
    } cases[] = {
        {"empty file", "", status::section_missing, false, 0, 1},
        {"header only", header(), status::section_missing, false, 0, 1},
        {"ends at the second section", drawn, status::section_missing, false, 0, 1},
        {"no first section line", "load_team_atu()\r\n" + block(" 0 "), status::section_missing,
         false, 0, 1},
        {"whole plan", drawn + block(" 0 "), status::ok, false, 0, 1},
        {"empty second section", drawn + "\r\n", status::no_stack, false, 0, 1},
        {"empty first section", header() + second() + block(" 0 "), status::no_stack, false, 0, 1},
        {"second section not in use", drawn + block(" 0 ", unused), status::no_stack, false, 0, 1},
        {"record 0 missing", drawn + block(" 1 "), status::no_stack, false, 1, 2},
        {"index beyond the table", drawn + block(" 0 ") + block(" 40 "), status::ok, true, 40, 31},
        {"negative index", drawn + block(" 0 ") + block("-3 "), status::ok, true, -3, 0},
        {"value not a number", drawn + block(" 0 ", bad_count), status::ok, true, 0, 1},
        {"value beyond the types", drawn + block(" 0 ", huge), status::ok, true, 0, 1},
        {"value beyond double", drawn + block(" 0 ", beyond_double), status::ok, true, 0, 1},
        {"block cut short", drawn + block(" 0 ") + "########\r\n 1 \r\n 600 \r\n", status::ok, true,
         1, 2},
        {"index not a number", drawn + block(" 0 ") + block(" 1 ") + block(" one "), status::ok,
         true, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        stack_table draw{}, mm{};
        draw[9].count_x = 11;  // what the tables held before
        mm[9].count_x = 12;
        const stack_table draw_before = draw, mm_before = mm;
        const plan_read_result r = read_plan(c.bytes, draw, mm);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.had_errors, c.errors);
        if (r.status == plan_read_status::ok) {
            EXPECT_EQ(r.last_index, c.last_index);
            EXPECT_EQ(r.records_to_draw(), c.records_to_draw);
            EXPECT_EQ(r.draws_past_table(), c.last_index + 1 > 31);
        } else {
            // A refused file leaves nothing of itself in either table.
            EXPECT_TRUE(draw == draw_before);
            EXPECT_TRUE(mm == mm_before);
        }
    }
}

TEST(PlanReader, AFieldThatFailsKeepsItsValueAndTheRestIsStored) {
    stack_table draw{}, mm{};
    mm[0].count_x = 7;
    std::vector<std::string> values{" 600 ", " 850 ",  " 400 ",  " 0 ",    " 1 ",
                                    " 350 ", " 2600 ", " 2350 ", " 5900 ", " 2390 ",
                                    " 1 ",   " 0 ",    " x ",    " 2.5 ",  " 3.5 "};
    read_plan(header() + block(" 0 ") + second() + block(" 0 ", values), draw, mm);
    EXPECT_EQ(mm[0].count_x, 7);
    EXPECT_EQ(mm[0].count_y, 2);  // halves go to the even neighbour
    EXPECT_EQ(mm[0].count_z, 4);
    EXPECT_EQ(mm[0].space_y, 5900.0f);
}

TEST(PlanReader, AnIndexThatFailsSendsTheBlockToThePreviousRecord) {
    stack_table draw{}, mm{};
    std::vector<std::string> values(15, " 9 ");
    read_plan(
        header() + block(" 0 ") + second() + block(" 0 ") + block(" 2 ") + block("two", values),
        draw, mm);
    EXPECT_EQ(mm[2].count_x, 9);
    EXPECT_EQ(mm[0].count_x, 3);
}

TEST(PlanReader, IgnoresOtherLinesAndAcceptsBareLineFeeds) {
    std::string text = "anything\nload_team()\nnoise\n" + block(" 0 ") + "more noise\n" +
                       "load_team_atu()\n" + block(" 0 ");
    stack_table draw{}, mm{};
    const plan_read_result r = read_plan(text, draw, mm);
    EXPECT_EQ(r.status, plan_read_status::ok);
    EXPECT_FALSE(r.had_errors);
    EXPECT_EQ(draw[0].count_y, 6);
    EXPECT_EQ(mm[0].space_x, 2350.0f);
    EXPECT_EQ(mm[0].in_use, 1);
}

TEST(PlanReader, SectionLinesMatchExactly) {
    stack_table draw{}, mm{};
    const plan_read_result r =
        read_plan(" load_team()\r\nLOAD_TEAM()\r\n" + block(" 0 "), draw, mm);
    EXPECT_EQ(r.status, plan_read_status::section_missing);
    EXPECT_EQ(draw[0].in_use, 0);
}

}  // namespace
}  // namespace varnel
