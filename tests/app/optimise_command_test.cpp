// The window's "优化计算": its menu item and tool-bar key, the third line, the
// step-through, save and open, the progress dialog's cancel, and refusals
// worded as the standard calculation words them.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "app/kmain.h"
#include "engine/block_tables.h"
#include "engine/core/loading_walls.h"
#include "engine/numbers.h"
#include "tests/app/window_fixture.h"
#include "view/colours.h"
#include "view/drawing_area.h"
#include "view/projection.h"
#include "view/stack_drawing.h"
#include "view/step_view.h"

using namespace varnel;
using namespace varnel::test_support;

namespace {

QLabel* bound_line(const kmain& w) { return part<QLabel>(w, "bound_line"); }
QAction* kyouhua(const kmain& w) { return part<QAction>(w, "kyouhua"); }

// Everything a cancelled search must leave as it was.
struct window_state {
    QStringList texts;
    stack_table stacks, draw_stacks;
    pixel_canvas pixels;

    explicit window_state(const kmain& w)
        : texts{parts(w).utilisation_text->text(), parts(w).arrangement_text->text(),
                parts(w).stack_text->text(), bound_line(w)->text()},
          stacks(w.model().stacks),
          draw_stacks(w.model().draw_stacks),
          pixels(parts(w).drawing->pixels()) {}

    bool operator==(const window_state& o) const {
        return texts == o.texts && stacks == o.stacks && draw_stacks == o.draw_stacks &&
               test_support::same_pixels(pixels, o.pixels);
    }
};

QStringList table_text(const stack_table& table) {
    QStringList out;
    for (const stack_record& r : table) {
        QStringList fields;
        for (float v : {r.box_length, r.box_width, r.box_height, r.space_x, r.space_y, r.space_z,
                        r.origin_x, r.origin_y}) {
            fields << q(format_number(v).c_str());
        }
        for (int v : {r.count_x, r.count_y, r.count_z, r.orientation, r.in_use, r.stage}) {
            fields << QString::number(v);
        }
        out << fields.join(u' ');
    }
    return out;
}

// A search that runs until it is cancelled, as the hardest inputs would.
optimised_plan search_until_cancelled(const optimise_request& r) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!r.cancel->load() && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    optimised_plan plan;
    plan.stop = stop_reason::cancelled;
    return plan;
}

// Where each line of a label's text stands, in its parent's pixels.
std::vector<QRect> text_rows(const QLabel& label) {
    std::vector<QRect> rows;
    const QFontMetrics metrics = label.fontMetrics();
    int top = label.y();
    for (const QString& row : label.text().split(u'\n')) {
        rows.emplace_back(label.x(), top, metrics.horizontalAdvance(row), metrics.height());
        top += metrics.lineSpacing();
    }
    return rows;
}

bool clear_of_lines(const pixel_canvas& drawn, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (x >= drawn.width() || y >= drawn.height()) return false;
            if (!(drawn.pixel(x, y) == background_colour)) return false;
        }
    }
    return true;
}

// A search that notices nothing until the test lets it go, as one stuck in a
// long step would; its flags outlive the window that started it.
struct stuck_search {
    std::shared_ptr<std::atomic<bool>> released = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> finished = std::make_shared<std::atomic<bool>>(false);

    optimised_plan operator()(const optimise_request& r) const {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!released->load() && std::chrono::steady_clock::now() < give_up) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        optimised_plan plan = optimise_plan(r);
        finished->store(true);
        return plan;
    }
};

// A real search that takes longer than the progress dialog's delay.
optimised_plan slow_search(const optimise_request& r) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return optimise_plan(r);
}

}  // namespace

class optimise_command_test : public QObject {
    Q_OBJECT

private slots:
    void third_line_data() {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QStringList>("sizes");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("worked example from the menu")
            << q("kyouhua") << QStringList{q("590"), q("235"), q("239"), q("60"), q("85"), q("40")}
            << QStringList{q("集装箱的利用效率：84.95%"), q("分6堆摆放共放138个包装箱"),
                           q("理论上最多可放146个包装箱，本方案已达其94.52%")};
        QTest::newRow("cubes from the tool bar")
            << q("kbyouhua") << QStringList{q("100"), q("100"), q("100"), q("50"), q("50"), q("50")}
            << QStringList{q("集装箱的利用效率：100%"), q("分1堆摆放共放8个包装箱"),
                           q("已是最优方案：最多只能放8个包装箱")};
    }
    void third_line() {
        QFETCH(QString, place);
        QFETCH(QStringList, sizes);
        QFETCH(QStringList, texts);
        window_fixture f;
        kmain& w = f.w();
        const auto s = [&](int i) { return sizes[i].toUtf8(); };
        type_sizes(w, s(0), s(1), s(2), s(3), s(4), s(5));
        part<QAction>(w, place.toLatin1().constData())->trigger();
        QCOMPARE(f.prompts.log.size(), std::size_t{0});
        QCOMPARE(QStringList({parts(w).utilisation_text->text(), parts(w).arrangement_text->text(),
                              bound_line(w)->text()}),
                 texts);
        // Drawn from the tables by the standard drawing, outline on top.
        drawing_area expected;
        draw_first_stacks(expected, w.model().draw_stacks, stack_count(w.model().draw_stacks));
        draw_standard_outline(expected);
        QVERIFY(same_pixels(parts(w).drawing->pixels(), expected.pixels()));

        // Every command that empties the result texts empties the third line.
        parts(w).start_button->click();
        QCOMPARE(parts(w).arrangement_text->text().isEmpty(), false);
        QVERIFY(bound_line(w)->text().isEmpty());
        kyouhua(w)->trigger();
        QVERIFY(!bound_line(w)->text().isEmpty());
        w.reset_plan();
        QVERIFY(bound_line(w)->text().isEmpty());
    }

    // The third line is read with the first two and never lies under a drawn
    // line: on a full container, broken in two when long, and while the walk
    // shows the stack text, which keeps its place.
    void third_line_stays_clear_of_the_drawing_data() {
        QTest::addColumn<QStringList>("sizes");
        QTest::newRow("a full 20尺柜")
            << QStringList{q("589.6"), q("235"), q("239.3"), q("60"), q("40"), q("30")};
        QTest::newRow("a count of six digits")
            << QStringList{q("1000"), q("1000"), q("1000"), q("17.3"), q("16.1"), q("15.7")};
    }
    void third_line_stays_clear_of_the_drawing() {
        QFETCH(QStringList, sizes);
        window_fixture f;
        kmain& w = f.w();
        const auto s = [&](int i) { return sizes[i].toUtf8(); };
        type_sizes(w, s(0), s(1), s(2), s(3), s(4), s(5));
        kyouhua(w)->trigger();
        QVERIFY(!bound_line(w)->text().isEmpty());
        for (int press = 0; press < 3; ++press) {  // the plan, then the walk
            const pixel_canvas& drawn = parts(w).drawing->pixels();
            for (const QRect& row : text_rows(*bound_line(w))) {
                QVERIFY2(clear_of_lines(drawn, row), qPrintable(bound_line(w)->text()));
                for (QLabel* other :
                     {parts(w).utilisation_text, parts(w).arrangement_text, parts(w).stack_text}) {
                    QVERIFY(!row.intersects(other->geometry()));
                }
            }
            QCOMPARE(parts(w).stack_text->pos(), QPoint(19, 72));
            parts(w).draw_button->click();
        }
    }

    void menu_item_and_tool_bar_key_follow_start_calculation() {
        window_fixture f;
        kmain& w = f.w();
        const QList<QAction*> items = parts(w).kzhuangxiang->menu()->actions();
        QCOMPARE(items.indexOf(kyouhua(w)), items.indexOf(parts(w).ksuan) + 1);
        QCOMPARE(kyouhua(w)->text(), q("优化计算(&Y)"));
        QAction* key = part<QAction>(w, "kbyouhua");
        const QList<QAction*> keys = parts(w).toolbar->actions();
        QCOMPARE(keys.indexOf(key), keys.indexOf(parts(w).kjisuan) + 1);
        QCOMPARE(key->text(), q("优化计算"));
        QCOMPARE(key->toolTip(), q("计算最多能装的方式"));
        // A picture of its own.
        QVERIFY(key->icon().pixmap(23, 20).toImage() !=
                parts(w).kjisuan->icon().pixmap(23, 20).toImage());
    }

    // The draw button walks the plan's loading steps, wall by wall as the
    // instructions list them, as it walks the standard plan's stacks.
    void step_through_walks_the_blocks() {
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        kyouhua(w)->trigger();
        QCOMPARE(stack_count(w.model().draw_stacks), 6);
        const stack_record& whole = w.model().stacks[0];
        const std::array<double, 3> carton{whole.box_length, whole.box_width, whole.box_height};
        const block_list walls = step_parts(loading_walls(
            placed_blocks(w.model()), {{single_carton(carton[0], carton[1], carton[2])}}));
        const int n = static_cast<int>(walls.size());
        QVERIFY(n > 6);
        drawing_area reference;
        struct : stack_text_target {
            std::string text;
            void set_stack_text(const std::string& t) override { text = t; }
        } reference_text;
        step_through steps(reference, reference_text);
        const typed_load load{
            walls, std::span(&carton, 1), {whole.space_x, whole.space_y, whole.space_z}};
        for (int press = 0; press < 2 * n + 1; ++press) {
            parts(w).draw_button->click();
            steps.step_view(load);
            QCOMPARE(parts(w).stack_text->text(), q(reference_text.text.c_str()));
            QVERIFY2(same_pixels(parts(w).drawing->pixels(), reference.pixels()),
                     qPrintable(QString::number(press)));
        }
        QCOMPARE(parts(w).stack_text->text(), q("显示第1堆包装箱"));
    }

    void save_then_open_shows_the_blocks_again() {
        QTemporaryDir dir;
        const QString path = dir.filePath(q("优化.qrn"));
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        kyouhua(w)->trigger();
        const window_state saved(w);
        f.prompts.file_names.push_back(path);
        parts(w).save_button->click();

        w.reset_plan();
        f.prompts.file_names.push_back(path);
        parts(w).kopen->trigger();
        QCOMPARE(f.prompts.messages(), QStringList());
        const window_state opened(w);
        QCOMPARE(opened.texts.mid(0, 2), saved.texts.mid(0, 2));
        QVERIFY(bound_line(w)->text().isEmpty());  // the file holds no bound
        // The file keeps seven digits of each size.
        QCOMPARE(table_text(opened.stacks), table_text(saved.stacks));
        QCOMPARE(table_text(opened.draw_stacks), table_text(saved.draw_stacks));
        // Open draws the stacks without the outline, for every plan.
        drawing_area expected;
        draw_first_stacks(expected, saved.draw_stacks, stack_count(saved.draw_stacks));
        QVERIFY(same_pixels(opened.pixels, expected.pixels()));
    }

    void a_long_search_shows_progress_data() {
        QTest::addColumn<bool>("press_cancel");
        QTest::addColumn<bool>("last_optimised");
        QTest::newRow("cancel after the standard plan") << true << false;
        QTest::newRow("cancel after an optimised plan") << true << true;
        QTest::newRow("wait for the plan") << false << false;
    }
    void a_long_search_shows_progress() {
        QFETCH(bool, press_cancel);
        QFETCH(bool, last_optimised);
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        if (last_optimised)
            kyouhua(w)->trigger();
        else
            parts(w).start_button->click();
        parts(w).draw_button->click();
        const window_state before(w);

        type_sizes(w, "1203", "235", "239", "55", "45", "38");
        w.set_optimiser(
            {press_cancel ? search_until_cancelled : slow_search, std::chrono::milliseconds(0)});
        f.prompts.progress_cancels.push_back(press_cancel);
        part<QAction>(w, "kbyouhua")->trigger();
        QCOMPARE(f.prompts.log.size(), std::size_t{1});
        QCOMPARE(f.prompts.log[0].what, scripted_prompts::exchange::progress);
        QCOMPARE(f.prompts.log[0].text, q("正在优化计算……"));
        QCOMPARE(f.prompts.log[0].suggested, q("取消"));
        if (press_cancel) {
            QVERIFY(window_state(w) == before);
            // The walk goes on where it was.
            parts(w).draw_button->click();
            QCOMPARE(parts(w).stack_text->text(), q("显示第2堆包装箱"));
        } else {
            QVERIFY(!bound_line(w)->text().isEmpty());
            QCOMPARE(parts(w).container_length->text(), q("1203"));
            QVERIFY(parts(w).stack_text->text().isEmpty());
        }
    }

    // Neither "取消" nor closing the window waits for the search: the window
    // answers at once, keeps its plan, and the search ends on its own.
    void cancel_and_close_do_not_wait_for_the_search() {
        const stuck_search search;
        {
            window_fixture f;
            kmain& w = f.w();
            type_worked_example(w);
            parts(w).start_button->click();
            const window_state before(w);
            w.set_optimiser({search, std::chrono::milliseconds(0)});
            f.prompts.progress_cancels.push_back(true);
            kyouhua(w)->trigger();
            QVERIFY(!search.finished->load());
            QVERIFY(window_state(w) == before);

            // Another search while the first still runs, then the window goes.
            f.prompts.progress_cancels.push_back(true);
            part<QAction>(w, "kbyouhua")->trigger();
            f.program.window.reset();
            QVERIFY(!search.finished->load());
        }
        search.released->store(true);
        QVERIFY(QTest::qWaitFor([&] { return search.finished->load(); }));
    }

    // Only the clock's safety net makes a plan depend on the machine's load:
    // the plan is shown, and the user told it is not the full search's.
    void a_plan_the_clock_cut_short_says_so() {
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        w.set_optimiser({[](const optimise_request& r) {
                             optimised_plan plan = optimise_plan(r);
                             plan.stop = stop_reason::clock;
                             return plan;
                         },
                         std::chrono::milliseconds(500)});
        kyouhua(w)->trigger();
        QCOMPARE(f.prompts.messages(),
                 QStringList{q("计算用时过长，已提前结束：本方案不是完整优化计算的结果，"
                               "计算机空闲时再算可能装得更多")});
        QVERIFY(!bound_line(w)->text().isEmpty());
    }

    // The same refusal, focus and emptied texts as "开始计算" gives.
    void refusals_match_start_calculation_data() {
        QTest::addColumn<QStringList>("sizes");
        QTest::newRow("short carton") << QStringList{q("590"), q("14.9"), q("85")};
        QTest::newRow("no width") << QStringList{q("590"), q("60"), q("")};
        QTest::newRow("bad container") << QStringList{q("x"), q("60"), q("85")};
        QTest::newRow("huge container") << QStringList{q("500000"), q("15"), q("85")};
    }
    void refusals_match_start_calculation() {
        QFETCH(QStringList, sizes);
        const auto run = [&](bool optimise) {
            window_fixture f;
            kmain& w = f.w();
            type_worked_example(w);
            kyouhua(w)->trigger();
            const stack_table before = w.model().stacks;
            type_sizes(w, sizes[0].toUtf8(), "235", "239", sizes[1].toUtf8(), sizes[2].toUtf8(),
                       "40");
            parts(w).start_button->setFocus();
            if (optimise)
                kyouhua(w)->trigger();
            else
                parts(w).ksuan->trigger();
            const QStringList texts{parts(w).utilisation_text->text(),
                                    parts(w).arrangement_text->text(), bound_line(w)->text()};
            return f.prompts.messages() << QApplication::focusWidget()->objectName() << texts
                                        << q(w.model().stacks == before ? "kept" : "changed");
        };
        const QStringList standard = run(false);
        QCOMPARE(standard.size(), 6);
        QCOMPARE(standard.back(), q("kept"));
        QCOMPARE(run(true), standard);
    }
};

QTEST_MAIN(optimise_command_test)
#include "optimise_command_test.moc"
