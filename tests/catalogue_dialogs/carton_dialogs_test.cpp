#include "dialogs/kbao.h"
#include "dialogs/kgengaibao.h"
#include "tests/catalogue_dialogs/dialog_session.h"
#include "tests/support/form_places.h"

namespace varnel {

using namespace test_support;

namespace {

// Two of the delivered cartons.
const char* const carton_30 = "标准出口纸箱 60×40×30";
const char* const carton_40 = "标准出口纸箱 60×40×40";

void add_box_a(catalogue_store& store) { store.add_carton("Box A", 500, 400, 300); }

}  // namespace

class carton_dialogs_test : public QObject {
    Q_OBJECT

private slots:
    void kbao_places_data() {
        place_columns();
        place_row("entry_frame", "", {5, 5, 234, 162}, "增加包装箱");
        place_row("name_label", "entry_frame", {12, 20, 0, 0}, "包装箱名称：");
        place_row("name_field", "entry_frame", {87, 15, 133, 21});
        size_rows("length", "长：", "entry_frame", {16, 45}, {42, 42, 91, 18}, {136, 45});
        size_rows("width", "宽：", "entry_frame", {16, 71}, {42, 67, 91, 18}, {136, 71});
        size_rows("height", "高：", "entry_frame", {16, 98}, {42, 95, 91, 18}, {136, 96});
        place_row("ok_button", "entry_frame", {28, 125, 76, 26}, "确　定");
        place_row("cancel_button", "entry_frame", {123, 125, 76, 26}, "取　消");
        place_row("pick_frame", "", {3, 174, 239, 93}, "更改包装箱");
        place_row("cartons", "pick_frame", {35, 19, 170, 20});
        place_row("change_button", "pick_frame", {28, 53, 77, 27}, "更　改");
        place_row("delete_button", "pick_frame", {121, 53, 77, 27}, "删　除");
        place_row("exit_button", "", {54, 274, 121, 26}, "退出本窗口");
    }

    void kbao_places() {
        dialog_session s;
        kbao d(*s.store, s.prompts, s.host);
        QCOMPARE(d.size(), QSize(247, 308));
        check_place(d);
    }

    void kgengaibao_places_data() {
        place_columns();
        place_row("frame", "", {8, 11, 280, 159}, "请在下面直接更改包装箱的信息");
        place_row("name_label", "frame", {13, 24, 0, 0}, "包装箱的名称：");
        place_row("name_field", "frame", {108, 19, 151, 22});
        size_rows("length", "长：", "frame", {27, 48}, {55, 46, 64, 20}, {125, 50});
        size_rows("width", "宽：", "frame", {27, 73}, {55, 71, 64, 18}, {125, 74});
        size_rows("height", "高：", "frame", {27, 96}, {55, 95, 64, 18}, {125, 98});
        place_row("ok_button", "frame", {36, 123, 87, 24}, "确　定");
        place_row("cancel_button", "frame", {147, 123, 87, 24}, "取　消");
        place_row("exit_button", "", {65, 179, 151, 25}, "退出本窗口");
    }

    void kgengaibao_places() {
        dialog_session s;
        s.host.entry = q(carton_30);
        kgengaibao d(*s.store, s.prompts, s.host);
        QCOMPARE(d.size(), QSize(297, 213));
        check_place(d);
    }

    void kbao_adds_the_smallest_carton() {
        dialog_session s;
        kbao d(*s.store, s.prompts, s.host);
        QVERIFY(shown(d));
        type(d.fields, "Cube", "15", "15", "15");
        d.ok_button->setFocus();
        click(d, "确\u3000定");

        QCOMPARE(s.prompts.messages(), QStringList{q("操作成功")});
        QCOMPARE(s.cartons().back(), (catalogue_carton{"Cube", 150, 150, 150}));
        QCOMPARE(entries(*d.cartons).back(), q("Cube"));
        QCOMPARE(d.cartons->currentText(), QString());
        QCOMPARE(s.host.carton_list.back(), q("Cube"));
        QCOMPARE(texts(d.fields), QStringList({"", "", "", ""}));
        QCOMPARE(d.focusWidget(), d.fields.name);
    }

    // The entry rules have their own table (tests/catalogue); these rows are
    // the dialog's own: its name conflict, and where a refusal puts the focus.
    void kbao_refuses_input_and_stores_nothing_data() {
        refusal_columns();
        // The store's lookup ignores letter case and trailing blanks.
        QTest::newRow("a taken name in other letters")
            << QStringList{"BOX a  ", "60", "40", "30"}
            << q("新命名的包装箱与原有的包装箱名字发生冲突，请更改名字") << 0;
        QTest::newRow("a width below the minimum") << QStringList{"Box B", "60", "14.99", "30"}
                                                   << q("包装箱的宽度太小，程序计算不正常") << 2;
    }

    void kbao_refuses_input_and_stores_nothing() {
        dialog_session s(add_box_a);
        const auto before = s.cartons();
        kbao d(*s.store, s.prompts, s.host);
        expect_refusal(s, d);
        QCOMPARE(s.cartons(), before);
        QCOMPARE(s.host.carton_refills, 0);
    }

    void kbao_deletes_after_asking_and_hands_over_a_change() {
        dialog_session s;
        kbao d(*s.store, s.prompts, s.host);
        click(d, "删\u3000除");
        click(d, "更\u3000改");
        QCOMPARE(s.prompts.messages(),
                 QStringList({q("请选择要更改的包装箱"), q("请选择要更改的包装箱")}));

        s.prompts.clear();
        choose(*d.cartons, carton_30);
        click(d, "删\u3000除");  // no answer queued: Cancel
        QCOMPARE(s.prompts.log.size(), std::size_t{1});
        QCOMPARE(s.prompts.log[0].text, q("确实要删除“标准出口纸箱 60×40×30”吗？"));
        QCOMPARE(s.cartons().size(), std::size_t{7});

        s.prompts.questions = {true};
        click(d, "删\u3000除");
        QCOMPARE(s.prompts.messages(), QStringList{q("操作成功")});
        QCOMPARE(s.cartons().size(), std::size_t{6});
        QVERIFY(!entries(*d.cartons).contains(q(carton_30)));
        QVERIFY(!s.host.carton_list.contains(q(carton_30)));

        choose(*d.cartons, carton_40);
        click(d, "更\u3000改");
        QCOMPARE(s.host.entry, q(carton_40));
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void kgengaibao_rewrites_the_main_window_only_for_its_carton_data() {
        QTest::addColumn<bool>("shown_there");  // is the changed carton the main window's?
        QTest::newRow("the main window's carton") << true;
        QTest::newRow("another carton") << false;
    }

    void kgengaibao_rewrites_the_main_window_only_for_its_carton() {
        QFETCH(bool, shown_there);
        dialog_session s;
        s.host.entry = q(carton_30);
        s.host.chosen_carton = q(shown_there ? carton_30 : carton_40);
        kgengaibao d(*s.store, s.prompts, s.host);
        type(d.fields, "x", "1", "", "y");
        click(d, "取\u3000消");
        QCOMPARE(texts(d.fields), QStringList({q(carton_30), "60", "40", "30"}));
        type(d.fields, "Box 35.5", "60", "40", "35.5");
        click(d, "确\u3000定");

        QCOMPARE(s.prompts.messages(), QStringList{q("包装箱修改成功")});
        QCOMPARE(s.cartons()[1], (catalogue_carton{"Box 35.5", 600, 400, 355}));
        const QStringList expected = shown_there ? QStringList{"60", "40", "35.5"} : QStringList{};
        QCOMPARE(s.host.carton_size, expected);
        QCOMPARE(s.host.carton_refills, 1);
        QCOMPARE(s.host.entry, q(carton_30));  // not moved on to the new name
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void kgengaibao_refuses_a_taken_name_where_the_focus_is() {
        dialog_session s(add_box_a);
        s.host.entry = q(carton_30);
        kgengaibao d(*s.store, s.prompts, s.host);
        QVERIFY(shown(d));
        d.fields.name->setText("box a");
        d.fields.width->setFocus();
        click(d, "确\u3000定");
        QCOMPARE(s.prompts.messages(),
                 QStringList{q("新命名的包装箱名字与原有的包装箱发生冲突，请重新命名")});
        QCOMPARE(d.focusWidget(), d.fields.width);
        QCOMPARE(s.cartons()[1], (catalogue_carton{q(carton_30), 600, 400, 300}));
        QVERIFY(d.isVisible());
    }

    void kgengaibao_reports_an_entry_that_has_gone() {
        dialog_session s;
        s.host.entry = "Gone";
        kgengaibao d(*s.store, s.prompts, s.host);
        type(d.fields, "Gone", "60", "40", "30");
        click(d, "确\u3000定");
        QCOMPARE(s.prompts.messages(), QStringList({q("程序出错"), q("程序出错，操作无法完成")}));
        QCOMPARE(s.cartons().size(), std::size_t{7});
        QCOMPARE(s.host.carton_refills, 0);
    }

    // A store that refuses every write, and one whose writes are done but
    // whose main window cannot be refilled to show them: each failure is
    // said in the dialog's words, never passed over as a success.
    void a_failing_catalogue_is_always_reported_data() {
        QTest::addColumn<bool>("read_only");
        QTest::addColumn<bool>("refills_fail");
        QTest::addColumn<QStringList>("messages");
        const QString failed = q("程序出错,操作无法完成 ");
        QTest::newRow("a store that refuses every write")
            << true << false << QStringList{failed, failed, q("程序出错，操作无法完成")};
        QTest::newRow("a main window that cannot be refilled")
            << false << true
            << QStringList{q("操作成功"), failed, failed, q("程序出错，操作无法完成")};
    }

    void a_failing_catalogue_is_always_reported() {
        QFETCH(bool, read_only);
        QFETCH(bool, refills_fail);
        QFETCH(QStringList, messages);
        dialog_session s({}, read_only);
        const auto before = s.cartons();
        s.host.refills_fail = refills_fail;
        s.prompts.questions = {true};
        kbao d(*s.store, s.prompts, s.host);
        type(d.fields, "Box B", "60", "40", "30");
        click(d, "确\u3000定");
        choose(*d.cartons, carton_40);
        click(d, "删\u3000除");
        s.host.entry = q(carton_30);
        kgengaibao change(*s.store, s.prompts, s.host);
        change.fields.height->setText("35");
        click(change, "确\u3000定");

        QCOMPARE(s.prompts.messages(), messages);
        if (read_only) {
            QCOMPARE(s.cartons(), before);
            QCOMPARE(s.host.carton_refills, 0);
            QCOMPARE(entries(*d.cartons).size(), 7);
        } else {
            QCOMPARE(s.cartons().size(), std::size_t{7});  // one added, one deleted
            QCOMPARE(s.store->find_carton(q(carton_30)).value->height, 350.0f);
            QCOMPARE(change.result(), int(QDialog::Accepted));
        }
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::carton_dialogs_test)
#include "carton_dialogs_test.moc"
