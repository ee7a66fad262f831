#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_canvas.h"
#include "view/step_view.h"

namespace varnel {
namespace {

struct text_log final : stack_text_target {
    void set_stack_text(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// n stacks in use, each drawn as six zero-length lines at x = 1000 · index,
// so the recorded lines tell which records a press drew.
stack_table plan_of(int n) {
    stack_table table{};
    clear_table(table);
    for (int i = 0; i < n; ++i) {
        stack_record& r = table[static_cast<std::size_t>(i)];
        r.origin_x = 1000.0f * static_cast<float>(i);
        r.in_use = 1;
    }
    return table;
}

std::vector<int> drawn_records(const recording_canvas& c) {
    std::vector<int> records;
    for (std::size_t i = 0; i < c.lines().size(); i += 6) {
        records.push_back(static_cast<int>(c.lines()[i].x1 / 1000.0f));
    }
    return records;
}

struct press {
    std::vector<int> records;
    std::string text;  // empty: the text is not written
};

void expect_presses(const stack_table& table, const std::vector<press>& presses) {
    recording_canvas c;
    text_log log;
    step_through steps(c, log);
    for (std::size_t p = 0; p < presses.size(); ++p) {
        SCOPED_TRACE("press " + std::to_string(p + 1));
        const std::size_t texts_before = log.texts.size();
        EXPECT_EQ(steps.step_view(table), draw_status::ok);
        EXPECT_EQ(c.clear_count(), static_cast<int>(p + 1));
        EXPECT_EQ(drawn_records(c), presses[p].records);
        if (presses[p].text.empty()) {
            EXPECT_EQ(log.texts.size(), texts_before);
        } else {
            ASSERT_EQ(log.texts.size(), texts_before + 1);
            EXPECT_EQ(log.texts.back(), presses[p].text);
        }
    }
}

TEST(StepView, ThreeStacksShowEachAloneThenGrowThenStartOver) {
    expect_presses(plan_of(3), {
                                   {{0}, "显示第1堆包装箱"},
                                   {{1}, "显示第2堆包装箱"},
                                   {{2}, "显示第3堆包装箱"},
                                   {{0}, "显示前1堆包装箱"},
                                   {{0, 1}, "显示前2堆包装箱"},
                                   {{0, 1, 2}, "显示前3堆包装箱"},
                                   {{0}, "显示第1堆包装箱"},
                               });
}

TEST(StepView, OneStackAlternatesBetweenItsTwoTexts) {
    expect_presses(plan_of(1), {
                                   {{0}, "显示第1堆包装箱"},
                                   {{0}, "显示前1堆包装箱"},
                                   {{0}, "显示第1堆包装箱"},
                               });
}

TEST(StepView, NoStackClearsAndLeavesTheTextAlone) {
    // Record 0 is still drawn; a cleared record has no extent, so nothing shows.
    expect_presses(plan_of(0), {{{0}, ""}, {{0}, ""}});
}

// Back, on and jumps through three stacks, from a fresh walk: the window
// shows the whole plan then, so back shows the first two.
TEST(StepView, BackAndJumpsMoveTheWalkBothWays) {
    enum class move { back, on, jump };
    const struct {
        move how;
        int k;
        std::vector<int> records;
        const char* text;
    } moves[] = {
        {move::back, 0, {0, 1}, "显示前2堆包装箱"},
        {move::back, 0, {0}, "显示前1堆包装箱"},
        {move::back, 0, {2}, "显示第3堆包装箱"},
        {move::on, 0, {0}, "显示前1堆包装箱"},
        {move::jump, 3, {0, 1, 2}, "显示前3堆包装箱"},
        {move::on, 0, {0}, "显示第1堆包装箱"},
        {move::back, 0, {0, 1, 2}, "显示前3堆包装箱"},
        {move::jump, 9, {0, 1, 2}, "显示前3堆包装箱"},
        {move::jump, 0, {0}, "显示前1堆包装箱"},
        {move::on, 0, {0, 1}, "显示前2堆包装箱"},
    };
    const stack_table table = plan_of(3);
    recording_canvas c;
    text_log log;
    step_through steps(c, log);
    for (const auto& m : moves) {
        SCOPED_TRACE(m.text);
        c.clear_drawing();
        if (m.how == move::back) steps.step_back(table);
        if (m.how == move::on) steps.step_view(table);
        if (m.how == move::jump) steps.show_first(table, m.k);
        EXPECT_EQ(drawn_records(c), m.records);
        EXPECT_EQ(log.texts.back(), m.text);
    }
    // Without a stack there is nowhere to go.
    const std::size_t texts = log.texts.size();
    EXPECT_EQ(steps.step_back(plan_of(0)), draw_status::ok);
    EXPECT_EQ(steps.show_first(plan_of(0), 1), draw_status::ok);
    EXPECT_EQ(log.texts.size(), texts);
}

TEST(StepView, UndrawableStackStillMovesTheWalkOn) {
    stack_table table = plan_of(2);
    table[0].box_length = 3e38f;
    table[0].count_x = 2;  // twice the float maximum across
    recording_canvas c;
    text_log log;
    step_through steps(c, log);
    EXPECT_EQ(steps.step_view(table), draw_status::overflow);
    EXPECT_EQ(log.texts.back(), "显示第1堆包装箱");
    EXPECT_EQ(steps.step_view(table), draw_status::ok);
    EXPECT_EQ(log.texts.back(), "显示第2堆包装箱");
}

}  // namespace
}  // namespace varnel
