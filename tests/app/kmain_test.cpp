// The main window driven as a user drives it: start-up, the lists, the
// calculation with its refusals, the draw button, the tool bar and the menus.
#include <QAction>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

#include "app/kmain.h"
#include "dialogs/kinputji.h"
#include "engine/calculation.h"
#include "tests/app/window_fixture.h"
#include "tests/support/form_places.h"
#include "ui/link_label.h"
#include "ui/selection_list.h"
#include "view/projection.h"
#include "view/stack_drawing.h"

using namespace varnel;
using namespace varnel::test_support;

namespace {

void type_carton(kmain& w, const char* length, const char* width, const char* height) {
    parts(w).carton_length->setText(q(length));
    parts(w).carton_width->setText(q(width));
    parts(w).carton_height->setText(q(height));
}

// What the drawing should show for a plan: its first n stacks, and the
// outline over them unless single placement is ticked.
pixel_canvas expected_drawing(const load_model& plan, int n, bool outline) {
    drawing_area area;
    draw_first_stacks(area, plan.draw_stacks, static_cast<std::int16_t>(n));
    if (outline) draw_standard_outline(area);
    return area.pixels();
}

pixel_canvas empty_drawing() { return drawing_area().pixels(); }

}  // namespace

class kmain_test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { apply_look(*qApp); }

    void state_right_after_start_up() {
        window_fixture f;
        kmain& w = f.w();
        QCOMPARE(w.windowTitle(), q("集装箱Varnel软件     *version 1.03*--------Varnel文件1"));
        QCOMPARE(w.plan_label(), q("Varnel文件1"));
        QCOMPARE(parts(w).container_list->currentText(), q("40尺柜"));
        QCOMPARE(parts(w).container_list->count(), 8);
        QCOMPARE(parts(w).container_length->text(), q("1203.2"));
        QCOMPARE(parts(w).container_width->text(), q("235"));
        QCOMPARE(parts(w).container_height->text(), q("239.2"));
        QCOMPARE(parts(w).container_list->background(), QColor(224, 224, 224));
        QCOMPARE(parts(w).carton_list->currentIndex(), -1);
        QVERIFY(parts(w).carton_list->count() > 0);
        for (QLineEdit* e : {parts(w).carton_length, parts(w).carton_width, parts(w).carton_height})
            QVERIFY(e->text().isEmpty());
        for (QLabel* l :
             {parts(w).utilisation_text, parts(w).arrangement_text, parts(w).stack_text})
            QVERIFY(l->text().isEmpty());
        QVERIFY(!parts(w).single_placement->isChecked());
        QVERIFY(!parts(w).no_side_placement->isChecked());
        QCOMPARE(QApplication::focusWidget(), parts(w).carton_length);
        QVERIFY(f.prompts.log.empty());
        QVERIFY(same_pixels(parts(w).drawing->pixels(), empty_drawing()));
    }

    void window_is_fixed_with_the_tool_bar_across_its_top() {
        window_fixture f;
        kmain& w = f.w();
        QCOMPARE(w.centralWidget()->size(), QSize(728, 510));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(parts(w).toolbar->geometry(), QRect(0, 0, 728, 42));
    }

    // Panels are placed in the client area, the rest in their panel; a
    // label's width and the result texts' sizes follow their text.
    void controls_sit_where_the_user_knows_them_data() {
        place_columns();
        place_row("container_panel", "", {5, 44, 721, 48}, "集装箱尺寸(单位：cm)");
        place_row("container_list_label", "container_panel", {8, 22, 60, 12}, "选择集装箱");
        place_row("container_list", "container_panel", {69, 18, 142, 20});
        place_row("container_length_label", "container_panel", {221, 22, 0, 0}, "长");
        place_row("container_length", "container_panel", {242, 19, 48, 18});
        place_row("container_width_label", "container_panel", {299, 22, 0, 0}, "宽");
        place_row("container_width", "container_panel", {317, 19, 48, 18});
        place_row("container_height_label", "container_panel", {372, 22, 0, 0}, "高");
        place_row("container_height", "container_panel", {390, 19, 48, 18});
        place_row("manual_input_button", "container_panel", {451, 16, 101, 24}, "手动输入");
        place_row("container_types_button", "container_panel", {562, 16, 149, 24},
                  "增加/更改/删除集装箱");

        place_row("carton_panel", "", {6, 95, 185, 152}, "包装箱尺寸：");
        place_row("carton_length_label", "carton_panel", {7, 18, 0, 0}, "长：");
        place_row("carton_length", "carton_panel", {29, 15, 51, 18});
        place_row("carton_length_unit", "carton_panel", {83, 18, 0, 0}, "cm");
        place_row("carton_width_label", "carton_panel", {7, 36, 0, 0}, "宽：");
        place_row("carton_width", "carton_panel", {29, 33, 51, 18});
        place_row("carton_width_unit", "carton_panel", {83, 36, 0, 0}, "cm");
        place_row("carton_height_label", "carton_panel", {7, 55, 0, 0}, "高：");
        place_row("carton_height", "carton_panel", {29, 52, 51, 18});
        place_row("carton_height_unit", "carton_panel", {83, 55, 0, 0}, "cm");
        place_row("carton_picture", "carton_panel", {124, 19, 42, 44});
        place_row("carton_list_label", "carton_panel", {10, 79, 132, 12}, "从纸箱尺寸列表中选择：");
        place_row("carton_list", "carton_panel", {9, 96, 170, 20});
        place_row("carton_types_button", "carton_panel", {18, 122, 141, 23}, "包装箱尺寸列表");

        place_row("options_panel", "", {6, 249, 185, 58}, "装箱信息：");
        place_row("single_placement", "options_panel", {12, 26, 68, 14}, "单一摆放");
        place_row("no_side_placement", "options_panel", {101, 26, 68, 14}, "不可侧放");

        place_row("command_panel", "", {6, 308, 185, 155}, "");
        place_row("start_button", "command_panel", {7, 15, 167, 28}, "开   始  计   算");
        place_row("draw_button", "command_panel", {7, 49, 167, 28}, "绘          图");
        place_row("print_button", "command_panel", {7, 82, 167, 28}, "打          印");
        place_row("save_button", "command_panel", {7, 116, 167, 28}, "保  存  结  果");

        place_row("drawing_panel", "", {193, 95, 531, 405}, "");
        place_row("drawing", "drawing_panel", {7, 12, 515, 383});
        place_row("utilisation_text", "drawing", {10, 12, 0, 0});
        place_row("arrangement_text", "drawing", {10, 36, 0, 0});
        place_row("stack_text", "drawing", {19, 72, 0, 0});

        place_row("maker_label", "", {9, 473, 0, 0}, "凡耐软件");
        place_row("web_label", "", {9, 487, 0, 0}, "网址：www.varnel.example");
    }

    void controls_sit_where_the_user_knows_them() {
        window_fixture f;
        check_place(*f.w().centralWidget());
    }

    void captions_are_the_systems_own() {
        window_fixture f;
        kmain& w = f.w();
        const struct {
            QAbstractButton* button;
            const char* caption;
        } buttons[] = {
            {parts(w).start_button, "开   始  计   算"},
            {parts(w).draw_button, "绘          图"},
            {parts(w).print_button, "打          印"},
            {parts(w).save_button, "保  存  结  果"},
            {parts(w).manual_input_button, "手动输入"},
            {parts(w).container_types_button, "增加/更改/删除集装箱"},
            {parts(w).carton_types_button, "包装箱尺寸列表"},
            {parts(w).single_placement, "单一摆放"},
            {parts(w).no_side_placement, "不可侧放"},
        };
        for (const auto& b : buttons) QCOMPARE(b.button->text(), q(b.caption));

        QStringList labels;
        for (QLabel* l : w.findChildren<QLabel*>()) labels << l->text();
        for (const char* caption : {"选择集装箱", "长", "宽", "高", "长：", "宽：", "高：", "cm",
                                    "从纸箱尺寸列表中选择：", "网址：www.varnel.example"}) {
            QVERIFY2(labels.contains(q(caption)), caption);
        }
        QCOMPARE(labels.count(q("cm")), 3);
    }

    // The keys fill the bar's height, picture over caption, side by side
    // with a pixel between them and no margin round them.
    void tool_bar_keys_sit_where_the_user_knows_them() {
        window_fixture f;
        // clang-format off
        const std::pair<const char*, QRect> keys[] = {
            {"kb1", {0, 0, 6, 42}},          {"kbnew", {7, 0, 41, 42}},
            {"kbopen", {49, 0, 41, 42}},     {"kbsave", {91, 0, 41, 42}},
            {"kb2", {133, 0, 6, 42}},        {"kbprint", {140, 0, 41, 42}},
            {"kbzhidao", {182, 0, 53, 42}},
            {"kb4", {236, 0, 6, 42}},        {"kbji", {243, 0, 53, 42}},
            {"kbbao", {297, 0, 53, 42}},     {"kjisuan", {351, 0, 65, 42}},
            {"kbyouhua", {417, 0, 65, 42}},  {"kbhunzhuang", {483, 0, 65, 42}},
            {"kbsanwei", {549, 0, 34, 42}},  {"kbshuoming", {584, 0, 65, 42}},
            {"kb3", {650, 0, 6, 42}},        {"kbhelp", {657, 0, 65, 42}},
        };
        // clang-format on
        QToolBar* toolbar = parts(f.w()).toolbar;
        for (const auto& [name, geometry] : keys) {
            QAction* key = toolbar->findChild<QAction*>(q(name));
            QVERIFY2(key, name);
            QCOMPARE(toolbar->widgetForAction(key)->geometry(), geometry);
        }
    }

    void menus_and_tool_bar() {
        window_fixture f;
        kmain& w = f.w();
        // Menu bar: name, caption, then each item's name, caption and shortcut.
        QStringList bar;
        for (QAction* a : w.menuBar()->actions()) bar << a->objectName() + '=' + a->text();
        QCOMPARE(bar, QStringList({q("kfile=文件(&F)"), q("kjg=集装箱管理(&J)"),
                                   q("kdbao=包装箱处理(&B)"), q("kzhuangxiang=装箱处理(&R)"),
                                   q("khelp=帮助(&H)")}));
        auto items = [](QAction* menu) {
            QStringList out;
            for (QAction* a : menu->menu()->actions()) {
                out << a->objectName() + '=' + (a->isSeparator() ? q("-") : a->text()) +
                           (a->shortcut().isEmpty() ? QString() : ' ' + a->shortcut().toString());
            }
            return out;
        };
        QCOMPARE(items(parts(w).kfile),
                 QStringList({q("knew=新建(&N) Ctrl+N"), q("kopen=打开(&O) Ctrl+O"),
                              q("ksave=保存(&S) Ctrl+S"), q("dss=-"), q("kprint=打印(&P) Ctrl+P"),
                              q("kdaochu=导出装箱指导书(&E)"), q("kdayinzhidao=打印装箱指导书(&G)"),
                              q("kh1=-"), q("kexit=退出(&X) Ctrl+Q")}));
        QCOMPARE(items(parts(w).kzhuangxiang),
                 QStringList({q("ksuan=开始计算(&J)"), q("kyouhua=优化计算(&Y)"),
                              q("kzhuangyun=装运计划(&Z)"), q("khunzhuang=混装计算(&M)"),
                              q("ktuopanzhuangzai=托盘装载(&T)"), q("ktuopan=托盘种类(&P)"),
                              q("ksanwei=三维视图(&D)"), q("kh3=-"), q("kshuoming=计算说明(&S)")}));
        QCOMPARE(items(parts(w).khelp),
                 QStringList({q("kshiyong=使用帮助(&C)"), q("asdf=-"), q("kbfangui=信息反馈(&F)"),
                              q("kh5=-"), q("kzuozhe=关于(&A)...")}));

        QStringList keys;
        for (QAction* a : parts(w).toolbar->actions()) {
            keys << a->objectName() +
                        (a->isSeparator() ? QString() : '=' + a->text() + '/' + a->toolTip());
            if (!a->isSeparator()) QCOMPARE(a->icon().actualSize(QSize(23, 20)), QSize(23, 20));
        }
        QCOMPARE(keys,
                 QStringList(
                     {q("kb1"), q("kbnew=新建/新建装箱方案"), q("kbopen=打开/打开装箱方案"),
                      q("kbsave=保存/保存装箱方案"), q("kb2"), q("kbprint=打印/打印装箱方案"),
                      q("kbzhidao=指导书/导出装箱指导书"), q("kb4"),
                      q("kbji=集装箱/集装箱种类管理"), q("kbbao=包装箱/包装箱管理"),
                      q("kjisuan=开始计算/计算装箱方式"), q("kbyouhua=优化计算/计算最多能装的方式"),
                      q("kbhunzhuang=混装计算/多种包装箱混装计算"), q("kbsanwei=三维/三维视图"),
                      q("kbshuoming=计算说明/计算说明"), q("kb3"), q("kbhelp=软件帮助/软件帮助")}));
    }

    void keyboard_order() {
        window_fixture f;
        kmain& w = f.w();
        const QList<QWidget*> expected{
            parts(w).carton_length,       parts(w).carton_width,
            parts(w).carton_height,       parts(w).single_placement,
            parts(w).no_side_placement,   parts(w).start_button,
            parts(w).draw_button,         parts(w).print_button,
            parts(w).save_button,         parts(w).container_list,
            parts(w).manual_input_button, parts(w).container_types_button,
            parts(w).carton_types_button};
        QWidget* at = parts(w).carton_length;
        for (qsizetype i = 1; i < expected.size(); ++i) {
            at = at->nextInFocusChain();
            while (!(at->focusPolicy() & Qt::TabFocus)) at = at->nextInFocusChain();
            QCOMPARE(at, expected[i]);
        }
    }

    void choosing_and_refocusing_a_container() {
        window_fixture f;
        kmain& w = f.w();
        parts(w).container_list->choose(q("20尺柜"));
        QCOMPARE(parts(w).container_length->text(), q("589.6"));
        QCOMPARE(parts(w).container_width->text(), q("235"));
        QCOMPARE(parts(w).container_height->text(), q("239.3"));

        // A size typed by hand turns the list darker; opening the list only
        // lightens it, while focusing it brings back the chosen type's size.
        w.set_manual_container_size(q("1200"), q("235"), q("239"));
        QCOMPARE(parts(w).container_list->background(), QColor(128, 128, 128));
        emit parts(w).container_list->dropped_down();
        QCOMPARE(parts(w).container_list->background(), QColor(224, 224, 224));
        QCOMPARE(parts(w).container_length->text(), q("1200"));
        w.set_manual_container_size(q("1200"), q("235"), q("239"));
        parts(w).container_list->setFocus();
        QCOMPARE(parts(w).container_list->background(), QColor(224, 224, 224));
        QCOMPARE(parts(w).container_length->text(), q("589.6"));
        QVERIFY(f.prompts.log.empty());
    }

    void focus_returning_from_a_popup_dialog_or_menu_is_no_new_visit() {
        window_fixture f;
        kmain& w = f.w();
        parts(w).container_list->setFocus();
        w.set_manual_container_size(q("1200"), q("235"), q("239"));
        for (Qt::FocusReason reason :
             {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason, Qt::MenuBarFocusReason}) {
            QFocusEvent back(QEvent::FocusIn, reason);
            QApplication::sendEvent(parts(w).container_list, &back);
            QCOMPARE(parts(w).container_length->text(), q("1200"));
            QCOMPARE(parts(w).container_list->background(), QColor(128, 128, 128));
        }
        QFocusEvent tabbed(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(parts(w).container_list, &tabbed);
        QCOMPARE(parts(w).container_length->text(), q("1203.2"));
    }

    void a_container_gone_from_the_catalogue_empties_the_fields() {
        window_fixture f;
        kmain& w = f.w();
        parts(w).container_list->addItem(q("不存在的柜"));
        parts(w).container_list->choose(q("不存在的柜"));
        for (QLineEdit* e :
             {parts(w).container_length, parts(w).container_width, parts(w).container_height}) {
            QVERIFY(e->text().isEmpty());
        }
        QVERIFY(f.prompts.log.empty());
    }

    void choosing_and_refocusing_a_carton() {
        window_fixture f;
        kmain& w = f.w();
        const QString first = parts(w).carton_list->itemText(0);
        parts(w).carton_list->choose(first);
        const QString length = parts(w).carton_length->text();
        QVERIFY(!length.isEmpty());
        parts(w).carton_length->setText(q("70"));
        parts(w).carton_list->setFocus();
        QCOMPARE(parts(w).carton_length->text(), length);
        // A name whose row has gone leaves the fields as they are.
        parts(w).carton_list->addItem(q("不存在的箱"));
        parts(w).carton_length->setText(q("70"));
        parts(w).carton_list->choose(q("不存在的箱"));
        QCOMPARE(parts(w).carton_length->text(), q("70"));
        QVERIFY(f.prompts.log.empty());
    }

    void calculating_the_worked_examples_data() {
        QTest::addColumn<QStringList>("container");
        QTest::addColumn<QStringList>("carton");
        QTest::addColumn<bool>("single");
        QTest::addColumn<bool>("upright");
        QTest::addColumn<QString>("utilisation");
        QTest::addColumn<QString>("arrangement");
        QTest::addColumn<int>("stacks");
        QTest::newRow("cartons 60 x 85 x 40")
            << QStringList{"590", "235", "239"} << QStringList{"60", "85", "40"} << false << false
            << q("集装箱的利用效率：80.03%") << q("分5堆摆放共放130个包装箱") << 5;
        QTest::newRow("cartons 55 x 60 x 120")
            << QStringList{"590", "235", "239"} << QStringList{"55", "60", "120"} << false << false
            << q("集装箱的利用效率：82.45%") << q("分5堆摆放共放69个包装箱") << 5;
        QTest::newRow("single and upright")
            << QStringList{"1200", "235", "239"} << QStringList{"60", "40", "30"} << true << true
            << q("集装箱的利用效率：74.77%") << q("分1堆摆放共放700个包装箱") << 1;
    }

    void calculating_the_worked_examples() {
        QFETCH(QStringList, container);
        QFETCH(QStringList, carton);
        QFETCH(bool, single);
        QFETCH(bool, upright);
        QFETCH(QString, utilisation);
        QFETCH(QString, arrangement);
        QFETCH(int, stacks);
        window_fixture f;
        kmain& w = f.w();
        w.set_manual_container_size(container[0], container[1], container[2]);
        parts(w).carton_length->setText(carton[0]);
        parts(w).carton_width->setText(carton[1]);
        parts(w).carton_height->setText(carton[2]);
        parts(w).single_placement->setChecked(single);
        parts(w).no_side_placement->setChecked(upright);
        QTest::mouseClick(parts(w).start_button, Qt::LeftButton);
        QCOMPARE(parts(w).utilisation_text->text(), utilisation);
        QCOMPARE(parts(w).arrangement_text->text(), arrangement);
        QCOMPARE(stack_count(w.model().stacks), stacks);
        // Single placement draws its stack without the outline over it.
        QVERIFY(
            same_pixels(parts(w).drawing->pixels(), expected_drawing(w.model(), stacks, !single)));
        QVERIFY(f.prompts.log.empty());
    }

    // The refusals themselves are tested with the calculation's input; these
    // rows are the window's own: where each field's refusal puts the focus.
    void refusals_keep_the_last_plan_data() {
        QTest::addColumn<QStringList>("carton");
        QTest::addColumn<QString>("container_length");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");  // 0..2 a carton field, -1 the start button keeps it
        QTest::newRow("carton length") << QStringList{"14.9", "85", "40"} << q("590")
                                       << q("包装箱的长度太小，程序计算不正常") << 0;
        QTest::newRow("carton width")
            << QStringList{"60", "", "40"} << q("590") << q("包装箱的宽输入有误，请重新输入") << 1;
        QTest::newRow("carton height") << QStringList{"60", "85", q("高")} << q("590")
                                       << q("包装箱的高输入有误，请重新输入") << 2;
        QTest::newRow("container")
            << QStringList{"60", "85", "40"} << QString() << q("程序内部出错,操作无法完成") << -1;
    }

    void refusals_keep_the_last_plan() {
        QFETCH(QStringList, carton);
        QFETCH(QString, container_length);
        QFETCH(QString, message);
        QFETCH(int, focus);
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        w.start_calculation();
        const load_model before = w.model();
        const pixel_canvas drawn_before = expected_drawing(before, 5, true);

        parts(w).carton_length->setText(carton[0]);
        parts(w).carton_width->setText(carton[1]);
        parts(w).carton_height->setText(carton[2]);
        w.set_manual_container_size(container_length, q("235"), q("239"));
        parts(w).start_button->setFocus();
        QTest::mouseClick(parts(w).start_button, Qt::LeftButton);
        QCOMPARE(f.prompts.messages(), QStringList{message});
        QWidget* fields[] = {parts(w).carton_length, parts(w).carton_width, parts(w).carton_height};
        QCOMPARE(QApplication::focusWidget(), focus < 0 ? parts(w).start_button : fields[focus]);
        QVERIFY(parts(w).utilisation_text->text().isEmpty());
        QVERIFY(parts(w).arrangement_text->text().isEmpty());
        QCOMPARE(w.model().stacks, before.stacks);
        QVERIFY(same_pixels(parts(w).drawing->pixels(), drawn_before));
    }

    void no_fit_clears_the_drawing_silently() {
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        w.start_calculation();
        w.set_manual_container_size(q("50"), q("50"), q("50"));
        QTest::mouseClick(parts(w).start_button, Qt::LeftButton);
        QVERIFY(f.prompts.log.empty());
        QVERIFY(parts(w).utilisation_text->text().isEmpty());
        QCOMPARE(stack_count(w.model().stacks), 0);
        QVERIFY(same_pixels(parts(w).drawing->pixels(), empty_drawing()));
    }

    void the_draw_button_steps_through_the_plan() {
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        w.start_calculation();
        QStringList seen;
        for (int press = 0; press < 11; ++press) {
            QTest::mouseClick(parts(w).draw_button, Qt::LeftButton);
            seen << parts(w).stack_text->text();
        }
        QCOMPARE(seen,
                 QStringList({q("显示第1堆包装箱"), q("显示第2堆包装箱"), q("显示第3堆包装箱"),
                              q("显示第4堆包装箱"), q("显示第5堆包装箱"), q("显示前1堆包装箱"),
                              q("显示前2堆包装箱"), q("显示前3堆包装箱"), q("显示前4堆包装箱"),
                              q("显示前5堆包装箱"), q("显示第1堆包装箱")}));
        // The last press shows stack 1 alone, without the outline drawn over it.
        drawing_area one;
        draw_stack(one, w.model().draw_stacks, 0);
        QVERIFY(same_pixels(parts(w).drawing->pixels(), one.pixels()));
        // A new calculation starts the walk again at stack 1.
        QTest::mouseClick(parts(w).draw_button, Qt::LeftButton);
        w.start_calculation();
        QVERIFY(parts(w).stack_text->text().isEmpty());
        QTest::mouseClick(parts(w).draw_button, Qt::LeftButton);
        QCOMPARE(parts(w).stack_text->text(), q("显示第1堆包装箱"));
    }

    void tool_bar_keys_dispatch_through_the_command_table() {
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        for (QAction* separator : {parts(w).kb1, parts(w).kb2, parts(w).kb3, parts(w).kb4}) {
            emit parts(w).toolbar->actionTriggered(separator);
        }
        QVERIFY(parts(w).utilisation_text->text().isEmpty());
        QVERIFY(f.prompts.log.empty() && f.ends.empty());
        parts(w).kjisuan->trigger();
        QCOMPARE(parts(w).utilisation_text->text(), q("集装箱的利用效率：80.03%"));
        w.start_calculation();  // and from the menu
        parts(w).utilisation_text->clear();
        parts(w).ksuan->trigger();
        QCOMPARE(parts(w).utilisation_text->text(), q("集装箱的利用效率：80.03%"));
    }

    // Each place a command is reached from opens the same dialog.
    void catalogue_commands_open_their_dialogs_data() {
        QTest::addColumn<QString>("control");  // object name of a menu item, key or button
        QTest::addColumn<QString>("title");
        const QString containers = q("增加/删除集装箱种类");
        const QString cartons = q("建立包装箱列表");
        QTest::newRow("kjg") << q("kjg") << containers;
        QTest::newRow("kbji") << q("kbji") << containers;
        QTest::newRow("container_types_button") << q("container_types_button") << containers;
        QTest::newRow("kdbao") << q("kdbao") << cartons;
        QTest::newRow("kbbao") << q("kbbao") << cartons;
        QTest::newRow("carton_types_button") << q("carton_types_button") << cartons;
    }

    void catalogue_commands_open_their_dialogs() {
        QFETCH(QString, control);
        QFETCH(QString, title);
        window_fixture f;
        kmain& w = f.w();
        QString seen;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog) seen = dialog->windowTitle();
            if (dialog) dialog->close();
        });
        if (auto* button = w.findChild<QPushButton*>(control)) {
            button->click();
        } else {
            QAction* action = w.findChild<QAction*>(control);
            QVERIFY(action);
            action->trigger();
        }
        QCOMPARE(seen, title);
    }

    void a_container_size_typed_by_hand_is_calculated_with() {
        window_fixture f;
        kmain& w = f.w();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<kinputji*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->fields.length->setText(q("1200"));
            dialog->fields.width->setText(q("235"));
            dialog->fields.height->setText(q("239"));
            dialog->ok_button->click();
        });
        parts(w).manual_input_button->click();
        QCOMPARE(f.prompts.messages(), QStringList{q("输入成功")});
        QCOMPARE(parts(w).container_list->background(), QColor(128, 128, 128));
        QCOMPARE(parts(w).container_list->currentText(), q("40尺柜"));
        parts(w).single_placement->setChecked(true);
        parts(w).no_side_placement->setChecked(true);
        type_carton(w, "60", "40", "30");
        w.start_calculation();
        QCOMPARE(parts(w).arrangement_text->text(), q("分1堆摆放共放700个包装箱"));
    }

    void print_and_information_commands_reach_their_parts() {
        window_fixture f;
        kmain& w = f.w();
        // The button parks the focus on the carton picture before capturing;
        // the menu item prints with the focus where it was.
        parts(w).start_button->setFocus();
        parts(w).kprint->trigger();
        QCOMPARE(QApplication::focusWidget(), parts(w).start_button);
        QTest::mouseClick(parts(w).print_button, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), parts(w).carton_picture);
        parts(w).kbprint->trigger();
        parts(w).kshiyong->trigger();
        parts(w).kbhelp->trigger();
        parts(w).kbfangui->trigger();
        QStringList asked;
        for (const auto& e : f.prompts.log) {
            asked << (e.what == scripted_prompts::exchange::print ? q("print") : e.text);
        }
        const QString help =
            QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + q("/help/index.html"))
                .toString();
        QCOMPARE(asked, QStringList({q("print"), q("print"), q("print"), help, help,
                                     q("mailto:support@varnel.example")}));
    }

    void exit_ends_at_once_without_a_question() {
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        w.start_calculation();
        QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(f.ends, std::vector<int>{0});
        QVERIFY(f.prompts.log.empty());
    }

    void the_web_label() {
        window_fixture f;
        kmain& w = f.w();
        QCOMPARE(parts(w).web_label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(parts(w).web_label);
        QVERIFY(parts(w).web_label->underlined());
        QTest::mouseMove(parts(w).single_placement);  // a control: the underline stays
        QVERIFY(parts(w).web_label->underlined());
        QTest::mouseMove(w.centralWidget(), QPoint(170, 470));  // the bare background
        QVERIFY(!parts(w).web_label->underlined());
        QTest::mouseClick(parts(w).web_label, Qt::LeftButton);
        QCOMPARE(f.prompts.log.size(), 1u);
        QCOMPARE(f.prompts.log[0].text, q("https://www.varnel.example/"));
    }

    // The program's real run, in a process of its own: a catalogue that
    // cannot be opened, or one without container types, shows its message
    // and ends with status 1 before any window shows.
    void start_up_ends_early_without_a_catalogue_or_container_types_data() {
        QTest::addColumn<QString>("catalogue");  // missing, empty or delivered
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::newRow("no catalogue") << q("missing") << 1 << QString();
        QTest::newRow("no container types")
            << q("empty") << 1 << q("程序内部数据丢失，程序无法正常运行\n");
        QTest::newRow("the delivered catalogue") << q("delivered") << 0 << q("shown\n");
    }

    void start_up_ends_early_without_a_catalogue_or_container_types() {
        QFETCH(QString, catalogue);
        QFETCH(int, status);
        QFETCH(QString, output);
        test_support::catalogue_copy copy;
        if (catalogue == q("missing")) QVERIFY(QFile::remove(copy.file()));
        if (catalogue == q("empty")) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(q("QSQLITE"), q("emptying"));
                db.setDatabaseName(copy.file());
                QVERIFY(db.open());
                QVERIFY(QSqlQuery(q("delete from jicicun"), db).exec());
                db.close();
            }
            QSqlDatabase::removeDatabase(q("emptying"));
        }
        QProcess child;
        child.start(q(VARNEL_STARTUP_CHILD), {copy.folder()});
        QVERIFY(child.waitForFinished(60000));
        // What the child prints, not one of the program's texts.
        const QString printed = QString::fromUtf8(child.readAllStandardOutput());
        QCOMPARE(child.exitCode(), status);
        if (catalogue == q("missing")) {
            // The store's error names the file; nothing is created.
            QVERIFY2(printed.contains(copy.file()) && !printed.contains(q("shown")),
                     qPrintable(printed));
            QVERIFY(!QFile::exists(copy.file()));
        } else {
            QCOMPARE(printed, output);
        }
    }
};

QTEST_MAIN(kmain_test)
#include "kmain_test.moc"
