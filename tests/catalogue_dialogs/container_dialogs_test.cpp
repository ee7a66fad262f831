#include <limits>

#include "dialogs/catalogue_dialogs.h"
#include "dialogs/kaddji.h"
#include "dialogs/kgenggai.h"
#include "dialogs/kinputji.h"
#include "tests/catalogue_dialogs/dialog_session.h"

namespace varnel {

using namespace test_support;

namespace {

void add_my_box(catalogue_store& store) { store.add_container("My Box", 5890, 2350, 2390); }

const container_type my_box{"My Box", 5890, 2350, 2390, 0, 0};

}  // namespace

class container_dialogs_test : public QObject {
    Q_OBJECT

private slots:
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

        // Only exact spellings conflict here; sizes have no limits.
        type(d.fields, "my box", "589", "0", "-5");
        click(d, "确\u3000定");
        QCOMPARE(s.containers().back(), (container_type{"my box", 5890, 0, -50, 0, 0}));
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
            QCOMPARE(d.focusWidget(), d.fields.name);
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
