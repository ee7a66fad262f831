#include <QCheckBox>
#include <QLabel>

#include "dialogs/catalogue_dialogs.h"
#include "dialogs/kgenggaituopan.h"
#include "dialogs/ktuopan.h"
#include "dialogs/ktuopanjieguo.h"
#include "dialogs/ktuopanzhuangzai.h"
#include "tests/catalogue_dialogs/dialog_session.h"

namespace varnel {

using namespace test_support;

namespace {

const pallet_type skid{"Skid", 1143, 1143, 122.5f, 18.5f, 1650, 1200};

void add_skid(catalogue_store& store) { store.add_pallet(skid); }

}  // namespace

class pallet_dialogs_test : public QObject {
    Q_OBJECT

private slots:
    void ktuopan_adds_a_type_with_every_figure() {
        dialog_session s;
        ktuopan d(*s.store, s.prompts, s.host);
        QVERIFY(shown(d));
        QCOMPARE(entries(*d.pallets),
                 QStringList({q("欧标托盘"), q("标准托盘"), q("美标托盘"), q("亚标托盘")}));
        QCOMPARE(d.focusWidget(), d.fields.name);
        type(d.fields, {"Skid", "114.3", "114.3", "12.25", "18.5", "165", "1200"});
        click(d, "确\u3000定");
        QCOMPARE(s.prompts.messages(), QStringList{q("增加托盘种类操作成功")});
        QCOMPARE(s.pallets().back(), skid);
        QCOMPARE(entries(*d.pallets).back(), QString("Skid"));
        QCOMPARE(texts(d.fields), QStringList({"", "", "", "", "", "", ""}));
        QCOMPARE(d.focusWidget(), d.fields.name);
    }

    // The entry rules have their own table (tests/catalogue); these rows are
    // the dialog's own: its name conflict, and a refusal's focus among the
    // pallet's own fields.
    void ktuopan_refuses_input_and_stores_nothing_data() {
        refusal_columns();
        QTest::newRow("a delivered type's name")
            << QStringList{q("欧标托盘"), "120", "80", "15", "25", "150", "1000"}
            << q("新命名的托盘的名字与原有的冲突，请更改托盘的名字") << 0;
        QTest::newRow("a load height that is no number")
            << QStringList{"P", "120", "80", "15", "25", "1.5m", "1000"}
            << q("托盘的装载高度输入有误，请重新输入") << 5;
        QTest::newRow("a load weight of 0") << QStringList{"P", "120", "80", "15", "25", "150", "0"}
                                            << q("托盘的装载重量必须大于0，请重新输入") << 6;
    }

    void ktuopan_refuses_input_and_stores_nothing() {
        dialog_session s;
        const auto before = s.pallets();
        ktuopan d(*s.store, s.prompts, s.host);
        expect_refusal(s, d);
        QCOMPARE(s.pallets(), before);
    }

    void ktuopan_asks_before_deleting_a_delivered_type() {
        dialog_session s;
        s.prompts.questions = {true};
        ktuopan d(*s.store, s.prompts, s.host);
        click(d, "删   除");
        choose(*d.pallets, "欧标托盘");
        click(d, "删   除");
        QCOMPARE(s.prompts.messages(),
                 QStringList({q("请选择要删除的托盘"), q("删除托盘种类操作成功")}));
        QCOMPARE(s.prompts.log[1].text, q("确实要删除“欧标托盘”吗？"));
        QCOMPARE(s.pallets().size(), std::size_t{3});
        QVERIFY(!entries(*d.pallets).contains(q("欧标托盘")));
    }

    void kgenggaituopan_changes_the_type_or_refuses_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("message");
        const QString conflict = q("新命名的托盘名字与原有的发生冲突，请更改托盘的名字");
        QTest::newRow("the name kept") << q("Skid") << q("20") << q("操作成功");
        QTest::newRow("a new name") << q("Crate skid") << q("18.5") << q("操作成功");
        QTest::newRow("its own name in other letters") << q("SKID") << q("18.5") << conflict;
        QTest::newRow("a delivered type's name") << q("美标托盘") << q("18.5") << conflict;
        QTest::newRow("a weight that is no number")
            << q("Skid") << q("heavy") << q("托盘的自重输入有误，请重新输入");
    }

    void kgenggaituopan_changes_the_type_or_refuses() {
        QFETCH(QString, name);
        QFETCH(QString, weight);
        QFETCH(QString, message);
        dialog_session s(add_skid);
        s.host.entry = "Skid";
        kgenggaituopan d(*s.store, s.prompts, s.host);
        QVERIFY(shown(d));
        const QStringList stored{"Skid", "114.3", "114.3", "12.25", "18.5", "165", "1200"};
        QCOMPARE(texts(d.fields), stored);
        type(d.fields, {"x", "1", "", "y", "", "", ""});
        click(d, "取\u3000消");
        QCOMPARE(texts(d.fields), stored);
        type(d.fields, {name, "114.3", "114.3", "12.25", weight, "165", "1200"});
        click(d, "确\u3000 定");
        QCOMPARE(s.prompts.messages(), QStringList{message});
        const bool changed = message == q("操作成功");
        pallet_type expected = skid;
        if (changed) expected.name = name, expected.weight = weight.toFloat();
        QCOMPARE(s.pallets().back(), expected);
        QCOMPARE(s.host.entry, changed ? name : q("Skid"));
        QCOMPARE(d.isVisible(), !changed);
    }

    void the_command_hands_over_to_kgenggaituopan() {
        dialog_session s;
        when_shown<ktuopan>([](ktuopan& d) {
            choose(*d.pallets, "美标托盘");
            click(d, "更  改");
        });
        when_shown<kgenggaituopan>([](kgenggaituopan& d) {
            d.fields.load_height->setText("180");
            click(d, "确\u3000 定");
        });
        run_pallet_types(*s.store, s.prompts, s.host);
        QCOMPARE(s.store->find_pallet(q("美标托盘")).value->load_height, 1800.0f);
        QCOMPARE(s.prompts.messages(), QStringList{q("操作成功")});
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
    // "托盘装载": a catalogue pallet and the carton from the main window; the
    // refusals keep the dialog open with nothing planned, a plan closes it.
    void ktuopanzhuangzai_plans_or_refuses_data() {
        QTest::addColumn<QString>("pallet");
        QTest::addColumn<QStringList>("carton");  // length, width, height, weight
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("cartons");
        QTest::newRow("eight a layer, six layers")
            << q("欧标托盘") << QStringList{"40", "30", "25", ""} << QString() << 48;
        QTest::newRow("the load weight binds")
            << q("欧标托盘") << QStringList{"40", "30", "25", "30"} << QString() << 33;
        QTest::newRow("no pallet chosen")
            << QString() << QStringList{"40", "30", "25", ""} << q("请选择托盘") << 0;
        QTest::newRow("a carton larger than the pallet")
            << q("欧标托盘") << QStringList{"130", "90", "20", ""}
            << q("包装箱比托盘大，托盘上放不下包装箱") << 0;
        QTest::newRow("a carton above the load height")
            << q("亚标托盘") << QStringList{"40", "30", "151", ""}
            << q("包装箱高于托盘的装载高度，托盘上放不下包装箱") << 0;
        QTest::newRow("a carton heavier than the load weight")
            << q("标准托盘") << QStringList{"40", "30", "25", "1001"}
            << q("包装箱重量超过托盘的装载重量，托盘上放不下包装箱") << 0;
    }

    void ktuopanzhuangzai_plans_or_refuses() {
        QFETCH(QString, pallet);
        QFETCH(QStringList, carton);
        QFETCH(QString, message);
        QFETCH(int, cartons);
        dialog_session s;
        ktuopanzhuangzai d(*s.store, s.prompts, carton[0], carton[1], carton[2]);
        QVERIFY(shown(d));
        QVERIFY(d.upright_box->isChecked());
        // The first type is chosen at first; "no pallet" clears the choice.
        QCOMPARE(d.pallets->currentText(), q("欧标托盘"));
        choose(*d.pallets, pallet.toStdString().c_str());
        d.weight_field->setText(carton[3]);
        click(d, "计\u3000\u3000算");
        QCOMPARE(s.prompts.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(d.plan().has_value(), cartons > 0);
        QCOMPARE(d.isVisible(), cartons == 0);
        if (cartons > 0) {
            QCOMPARE(d.plan()->cartons, cartons);
            QCOMPARE(d.pallet_name(), pallet);
        }
    }

    // The result: its lines, and one drawing per layer pattern.
    void ktuopanjieguo_shows_the_plan() {
        dialog_session s;
        ktuopanzhuangzai d(*s.store, s.prompts, q("40"), q("30"), q("25"));
        choose(*d.pallets, "欧标托盘");
        d.work_out();
        QVERIFY(d.plan());
        ktuopanjieguo r(*d.plan(), d.pallet(), d.pallet_name());
        QVERIFY(shown(r));
        QCOMPARE(r.windowTitle(), q("托盘装载结果：欧标托盘"));
        QVERIFY(r.result_text->text().contains(q("每托48箱：6层，每层8箱")));
        QVERIFY(r.result_text->text().contains(q("已是最优方案")));
        QCOMPARE(r.layer_drawings.size(), d.plan()->layer_patterns.size());
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::pallet_dialogs_test)
#include "pallet_dialogs_test.moc"
