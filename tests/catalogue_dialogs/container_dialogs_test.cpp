#include <limits>

#include "dialogs/catalogue_dialogs.h"
#include "dialogs/kaddji.h"
#include "dialogs/kgenggai.h"
#include "dialogs/kinputji.h"
#include "tests/catalogue_dialogs/dialog_session.h"
#include "tests/support/form_places.h"

namespace varnel {

using namespace test_support;

namespace {

void add_my_box(catalogue_store& store) { store.add_container("My Box", 5890, 2350, 2390); }

const container_type my_box{"My Box", 5890, 2350, 2390, 0, 0};

}  // namespace

class container_dialogs_test : public QObject {
    Q_OBJECT

private slots:
    void kaddji_places_data() {
        place_columns();
        place_row("entry_frame", "", {3, 3, 306, 140}, "增加集装箱种类");
        place_row("name_label", "entry_frame", {14, 21, 0, 0}, "集装箱名称：");
        place_row("name_field", "entry_frame", {87, 20, 182, 18});
        size_rows("length", "长：", "entry_frame", {14, 44}, {41, 41, 67, 18}, {115, 44});
        size_rows("width", "宽：", "entry_frame", {14, 64}, {41, 61, 67, 18}, {115, 61});
        size_rows("height", "高：", "entry_frame", {14, 84}, {42, 81, 67, 18}, {115, 84});
        place_row("ok_button", "entry_frame", {14, 108, 96, 23}, "确　定");
        place_row("cancel_button", "entry_frame", {138, 108, 95, 23}, "取　消");
        place_row("pick_frame", "", {4, 147, 306, 123}, "更改/删除集装箱类型");
        place_row("pick_prompt", "pick_frame", {8, 18, 0, 0}, "请选择要更改或删除的集装箱类型：");
        place_row("note", "pick_frame", {14, 34, 0, 0}, "说明：程序内部的集装箱种类不能改变");
        place_row("user_types", "pick_frame", {64, 58, 166, 20});
        place_row("change_button", "pick_frame", {35, 91, 105, 24}, "更  改");
        place_row("delete_button", "pick_frame", {156, 91, 105, 24}, "删   除");
        place_row("exit_button", "", {59, 276, 183, 28}, "退　出　本　窗　口");
    }

    void kaddji_places() {
        dialog_session s;
        kaddji d(*s.store, s.prompts, s.host);
        QCOMPARE(d.size(), QSize(315, 309));
        check_place(d);
    }

    void kgenggai_places_data() {
        place_columns();
        place_row("prompt", "", {19, 9, 0, 0}, "请在下面的文本框中更改数据：");
        place_row("name_label", "", {15, 30, 0, 0}, "集装箱名称：");
        place_row("name_field", "", {92, 27, 124, 19});
        size_rows("length", "长：", "", {14, 55}, {43, 51, 90, 19}, {136, 54});
        size_rows("width", "宽：", "", {14, 77}, {43, 74, 90, 19}, {136, 76});
        size_rows("height", "高：", "", {14, 99}, {43, 96, 90, 19}, {136, 98});
        place_row("ok_button", "", {22, 127, 98, 24}, "确　 定");
        place_row("cancel_button", "", {130, 127, 98, 24}, "取　消");
        place_row("exit_button", "", {36, 162, 176, 24}, "退 出 本 窗 口");
    }

    void kgenggai_places() {
        dialog_session s(add_my_box);
        s.host.entry = "My Box";
        kgenggai d(*s.store, s.prompts, s.host);
        QCOMPARE(d.size(), QSize(259, 197));
        check_place(d);
    }

    void kinputji_places_data() {
        place_columns();
        place_row("frame", "", {4, 1, 295, 140}, "");
        size_rows("length", "长：", "frame", {11, 16}, {37, 13, 65, 19}, {108, 16});
        size_rows("width", "宽：", "frame", {11, 35}, {37, 32, 65, 19}, {108, 35});
        size_rows("height", "高：", "frame", {11, 53}, {37, 50, 65, 19}, {108, 53});
        place_row("ok_button", "frame", {15, 78, 100, 23}, "确　　定");
        place_row("cancel_button", "frame", {15, 108, 100, 23}, "取　　消");
        place_row("exit_button", "", {70, 148, 153, 27}, "退　出　本　窗　口");
    }

    void kinputji_places() {
        dialog_session s;
        kinputji d(s.prompts, s.host);
        QCOMPARE(d.size(), QSize(312, 183));
        check_place(d);
    }

    void kaddji_adds_a_type_and_refills_both_lists() {
        dialog_session s;
        kaddji d(*s.store, s.prompts, s.host);
        QVERIFY(shown(d));
        QCOMPARE(d.focusWidget(), d.fields.name);
        type(d.fields, "My Box", "589", "235", "239");
        click(d, "确\u3000定");

        QCOMPARE(s.prompts.messages(), QStringList{q("增加集装箱种类操作成功")});
        QCOMPARE(s.containers().back(), my_box);
        QCOMPARE(entries(*d.user_types), QStringList{"My Box"});
        QCOMPARE(d.user_types->currentText(), QString());
        QVERIFY(s.host.container_list.contains("My Box"));
        QCOMPARE(s.host.chosen_container, q("40尺柜"));
        QCOMPARE(texts(d.fields), QStringList({"", "", "", ""}));
        QCOMPARE(d.focusWidget(), d.fields.name);

        // Only exact spellings conflict here.
        type(d.fields, "my box", "589", "0.1", "5");
        click(d, "确\u3000定");
        QCOMPARE(s.containers().back(), (container_type{"my box", 5890, 1, 50, 0, 0}));
        QCOMPARE(entries(*d.user_types), QStringList({"My Box", "my box"}));
    }

    // The entry rules have their own table (tests/catalogue); these rows are
    // the dialog's own: its name conflicts, and where a refusal puts the focus.
    void kaddji_refuses_input_and_stores_nothing_data() {
        refusal_columns();
        const QString conflict = q("新命名的集装箱的名字与原有的冲突，请更改集装箱的名字");
        QTest::newRow("a built-in type's name")
            << QStringList{q("40尺柜"), "589", "235", "239"} << conflict << 0;
        QTest::newRow("a user type's name")
            << QStringList{"My Box", "589", "235", "239"} << conflict << 0;
        QTest::newRow("a length that is no number") << QStringList{q("新柜"), "12a", "235", "239"}
                                                    << q("集装箱的长度输入有误，请重新输入") << 1;
        QTest::newRow("a height whose tenfold is beyond a float")
            << QStringList{q("新柜"), "589", "235", "3e38"} << q("集装箱的高度输入有误，请重新输入")
            << 3;
        QTest::newRow("a width of 0") << QStringList{q("TEST1"), "500", "0", "-5"}
                                      << q("集装箱的宽度必须大于0，请重新输入") << 2;
    }

    void kaddji_refuses_input_and_stores_nothing() {
        dialog_session s(add_my_box);
        const auto before = s.containers();
        kaddji d(*s.store, s.prompts, s.host);
        expect_refusal(s, d);
        QCOMPARE(s.containers(), before);
        QCOMPARE(s.host.container_refills, 0);
    }

    void kaddji_asks_before_deleting() {
        dialog_session s(add_my_box);
        kaddji d(*s.store, s.prompts, s.host);
        click(d, "删   除");
        click(d, "更  改");
        QCOMPARE(s.prompts.messages(),
                 QStringList({q("请选择要删除的集装箱"), q("请选择要更改的集装箱")}));

        s.prompts.clear();
        choose(*d.user_types, "My Box");
        click(d, "删   除");  // no answer queued: Cancel
        QCOMPARE(s.prompts.log.size(), std::size_t{1});
        QCOMPARE(s.prompts.log[0].text, q("确实要删除“My Box”吗？"));
        QCOMPARE(s.containers().back(), my_box);

        s.prompts.questions = {true};
        click(d, "删   除");
        QCOMPARE(s.prompts.messages(), QStringList{q("删除集装箱种类操作成功")});
        QCOMPARE(s.containers().size(), std::size_t{8});
        QCOMPARE(entries(*d.user_types), QStringList());
        QCOMPARE(s.host.container_refills, 1);
    }

    // "40尺柜 " passes the exact name check; deleting it must not take the
    // built-in type that every by-name lookup also matches.
    void kaddji_deletes_a_look_alike_of_a_built_in_type_alone() {
        dialog_session s;
        const auto delivered = s.containers();
        s.prompts.questions = {true};
        kaddji d(*s.store, s.prompts, s.host);
        type(d.fields, "40尺柜 ", "1", "1", "1");
        click(d, "确\u3000定");
        choose(*d.user_types, "40尺柜 ");
        click(d, "删   除");
        QCOMPARE(s.prompts.messages(),
                 QStringList({q("增加集装箱种类操作成功"), q("删除集装箱种类操作成功")}));
        QCOMPARE(s.containers(), delivered);
    }

    void kgenggai_changes_the_type_or_refuses_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("changed");
        const QString conflict = q("新命名的集装箱名字与原有的发生冲突，请更改集装箱的名字");
        // The name kept skips the conflict test, which would find the type itself.
        QTest::newRow("the name kept") << q("My Box") << q("600") << q("操作成功") << true;
        QTest::newRow("a new name") << q("Your Box") << q("589") << q("操作成功") << true;
        QTest::newRow("its own name in other letters")
            << q("MY BOX") << q("589") << conflict << false;
        QTest::newRow("a built-in type's name") << q("40尺柜") << q("589") << conflict << false;
        QTest::newRow("a length of 0")
            << q("My Box") << q("0") << q("集装箱的长度必须大于0，请重新输入") << false;
    }

    void kgenggai_changes_the_type_or_refuses() {
        QFETCH(QString, name);
        QFETCH(QString, length);
        QFETCH(QString, message);
        QFETCH(bool, changed);
        dialog_session s(add_my_box);
        s.host.entry = "My Box";
        kgenggai d(*s.store, s.prompts, s.host);
        QVERIFY(shown(d));
        type(d.fields, "x", "1", "", "y");
        click(d, "取\u3000消");
        QCOMPARE(texts(d.fields), QStringList({"My Box", "589", "235", "239"}));
        type(d.fields, {name, length, q("235"), q("239")});
        d.fields.height->setFocus();
        click(d, "确\u3000 定");

        QCOMPARE(s.prompts.messages(), QStringList{message});
        if (changed) {
            QCOMPARE(s.containers().back(),
                     (container_type{name, length.toFloat() * 10, 2350, 2390, 0, 0}));
            QCOMPARE(s.host.entry, name);
            QCOMPARE(s.host.container_refills, 1);
            QCOMPARE(d.result(), int(QDialog::Accepted));
        } else {
            QCOMPARE(s.containers().back(), my_box);
            QCOMPARE(s.host.entry, q("My Box"));
            QCOMPARE(d.focusWidget(),
                     message.contains(q("冲突")) ? d.fields.name : d.fields.length);
            QVERIFY(d.isVisible());
        }
    }

    // A stored size with no centimetres to show (a file written elsewhere)
    // is an empty field, as in the main window's lookup, never "0".
    void kgenggai_shows_a_size_without_a_value_as_an_empty_field() {
        const float inf = std::numeric_limits<float>::infinity();
        dialog_session s(
            [inf](catalogue_store& store) { store.add_container("Odd Box", inf, 2350, -inf); });
        s.host.entry = "Odd Box";
        kgenggai d(*s.store, s.prompts, s.host);
        QCOMPARE(texts(d.fields), QStringList({"Odd Box", "", "235", ""}));
    }

    void kinputji_writes_the_main_window_only() {
        dialog_session s;
        const auto before = s.containers();
        kinputji d(s.prompts, s.host);
        QVERIFY(shown(d));
        type(d.fields, "", "1200", "235", "");
        click(d, "确\u3000\u3000定");
        QCOMPARE(s.prompts.messages(), QStringList{q("请输入集装箱的高")});
        QCOMPARE(d.focusWidget(), d.fields.height);
        click(d, "取\u3000\u3000消");
        QCOMPARE(texts(d.fields), QStringList({"", "", ""}));
        QCOMPARE(d.focusWidget(), d.fields.length);
        QVERIFY(s.host.container_size.isEmpty());

        s.prompts.clear();
        type(d.fields, "", "1000", "0", "-5");
        click(d, "确\u3000\u3000定");
        QCOMPARE(s.prompts.messages(), QStringList{q("集装箱的宽度必须大于0，请重新输入")});
        QCOMPARE(d.focusWidget(), d.fields.width);
        QVERIFY(s.host.container_size.isEmpty());

        // No carton stands in a container lower than the smallest carton side.
        s.prompts.clear();
        type(d.fields, "", "1000", "235", "0.0001");
        click(d, "确\u3000\u3000定");
        QCOMPARE(s.prompts.messages(), QStringList{q("集装箱的高度不能小于15厘米，请重新输入")});
        QCOMPARE(d.focusWidget(), d.fields.height);
        QVERIFY(s.host.container_size.isEmpty());

        s.prompts.clear();
        type(d.fields, "", "1200", "235", "239");
        click(d, "确\u3000\u3000定");
        QCOMPARE(s.host.container_size, QStringList({"1200", "235", "239"}));
        QVERIFY(s.host.darker_grey);
        QCOMPARE(s.prompts.messages(), QStringList{q("输入成功")});
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(s.containers(), before);
    }

    void the_command_hands_over_to_kgenggai() {
        dialog_session s(add_my_box);
        QStringList seen;
        when_shown<kaddji>([](kaddji& d) {
            choose(*d.user_types, "My Box");
            click(d, "更  改");
        });
        when_shown<kgenggai>([&](kgenggai& d) {
            seen = texts(d.fields);
            d.fields.length->setText("600");
            click(d, "确\u3000 定");
        });
        run_container_types(*s.store, s.prompts, s.host);
        QCOMPARE(seen, QStringList({"My Box", "589", "235", "239"}));
        QCOMPARE(s.containers().back().length, 6000.0f);
        QCOMPARE(s.prompts.messages(), QStringList{q("操作成功")});
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // A store that refuses every write, and one whose writes are done but
    // whose main window cannot be refilled to show them: each failure is
    // said in the dialog's words, never passed over as a success.
    void a_failing_catalogue_is_always_reported_data() {
        QTest::addColumn<bool>("read_only");
        QTest::addColumn<bool>("refills_fail");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a store that refuses every write")
            << true << false
            << QStringList{q("程序出错"), q("程序出错，无法完成操作"), q("程序出错，操作无法完成")};
        QTest::newRow("a main window that cannot be refilled")
            << false << true
            << QStringList{q("增加集装箱种类操作成功"), q("程序出错"), q("删除集装箱种类操作成功"),
                           q("程序出错，无法完成操作"), q("程序出错，操作无法完成")};
    }

    void a_failing_catalogue_is_always_reported() {
        QFETCH(bool, read_only);
        QFETCH(bool, refills_fail);
        QFETCH(QStringList, messages);
        dialog_session s(
            [](catalogue_store& store) {
                add_my_box(store);
                store.add_container("Old Box", 5890, 2350, 2390);
            },
            read_only);
        const auto before = s.containers();
        s.host.refills_fail = refills_fail;
        s.prompts.questions = {true};
        kaddji d(*s.store, s.prompts, s.host);
        type(d.fields, "New", "589", "235", "239");
        click(d, "确\u3000定");
        choose(*d.user_types, "Old Box");
        click(d, "删   除");
        s.host.entry = "My Box";
        kgenggai change(*s.store, s.prompts, s.host);
        change.fields.length->setText("600");
        click(change, "确\u3000 定");

        QCOMPARE(s.prompts.messages(), messages);
        if (read_only) {
            QCOMPARE(s.containers(), before);
            QCOMPARE(s.host.container_refills, 0);
            QCOMPARE(entries(*d.user_types), QStringList({"My Box", "Old Box"}));
        } else {
            QCOMPARE(s.containers().size(), before.size());  // one added, one deleted
            QCOMPARE(s.store->find_container("My Box").value->length, 6000.0f);
            QCOMPARE(change.result(), int(QDialog::Accepted));
        }
    }

    void names_with_quotes_are_names_like_any_other() {
        const char* const name = "O'Brien's \"20' box\"; --";
        const char* const renamed = "it's ' OR '1'='1";
        dialog_session s;
        s.prompts.questions = {true};
        kaddji d(*s.store, s.prompts, s.host);
        type(d.fields, name, "589", "235", "239");
        click(d, "确\u3000定");
        choose(*d.user_types, name);
        click(d, "更  改");
        QCOMPARE(s.host.entry, q(name));

        kgenggai change(*s.store, s.prompts, s.host);
        QCOMPARE(texts(change.fields), QStringList({q(name), "589", "235", "239"}));
        change.fields.name->setText(q(renamed));
        click(change, "确\u3000 定");
        QCOMPARE(s.store->find_container(q(renamed)).value->length, 5890.0f);

        kaddji again(*s.store, s.prompts, s.host);
        choose(*again.user_types, renamed);
        click(again, "删   除");
        QCOMPARE(s.prompts.messages(), QStringList({q("增加集装箱种类操作成功"), q("操作成功"),
                                                    q("删除集装箱种类操作成功")}));
        QCOMPARE(entries(*again.user_types), QStringList());
        QCOMPARE(s.containers().size(), std::size_t{8});
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::container_dialogs_test)
#include "container_dialogs_test.moc"
