// "装运计划" over the main window's plan: when the command is offered, what
// its dialog works out and refuses, and the part load it draws.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <QProcess>

#include <functional>
#include <sstream>

#include "app/kmain.h"
#include "dialogs/kzhuangyun.h"
#include "plan/plan_file.h"
#include "plan/spreadsheet_list.h"
#include "tests/app/window_fixture.h"
#include "tools/planner_cli.h"
#include "ui/look.h"
#include "view/drawing_area.h"

using namespace varnel;
using namespace varnel::test_support;

namespace {

QAction* shipment_item(const kmain& w) { return test_support::part<QAction>(w, "kzhuangyun"); }
QLabel* third_line(const kmain& w) { return test_support::part<QLabel>(w, "bound_line"); }

// 40尺柜, as start-up chooses it, with a carton typed in centimetres.
void calculate(kmain& w, const char* l, const char* wd, const char* h) {
    parts(w).carton_length->setText(q(l));
    parts(w).carton_width->setText(q(wd));
    parts(w).carton_height->setText(q(h));
    w.start_calculation();
}

// Opens "装运计划" from its menu item and runs `act` on the dialog once shown;
// the dialog is closed afterwards unless `act` closed it.
void with_dialog(const kmain& w, std::function<void(kzhuangyun&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<kzhuangyun*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    shipment_item(w)->trigger();
}

// The step table of a report written as .xlsx, its rows as text.
std::vector<std::vector<std::string>> step_table(const QString& path) {
    const auto rows = read_spreadsheet_rows(read_whole_file(path).bytes, spreadsheet_kind::xlsx);
    std::vector<std::vector<std::string>> cells;
    if (const auto* table = std::get_if<text_table>(&rows)) {
        for (const text_row& r : *table) cells.push_back(r.cells);
    }
    return cells;
}

// The lines of a PDF's text that start with one of `starts`.
QStringList pdf_lines(const QString& path, const QStringList& starts) {
    QProcess p;
    p.start(QStringLiteral(VARNEL_PDFTOTEXT), {path, QStringLiteral("-")});
    p.waitForFinished(30000);
    QStringList found;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        for (const QString& start : starts) {
            if (line.startsWith(start)) found << line;
        }
    }
    return found;
}

void type_order(kzhuangyun& d, const char* quantity, const char* weight, const char* payload) {
    d.quantity_field->setText(q(quantity));
    d.carton_weight_field->setText(q(weight));
    d.payload_field->setText(q(payload));
}

}  // namespace

class shipment_window_test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { apply_look(*qApp); }

    void offered_only_while_a_plan_is_shown() {
        window_fixture f;
        kmain& w = f.w();
        QVERIFY(!shipment_item(w)->isEnabled());
        calculate(w, "60", "40", "30");
        QVERIFY(shipment_item(w)->isEnabled());

        // A carton wider than the container: a calculation without a result.
        calculate(w, "300", "300", "300");
        QVERIFY(!shipment_item(w)->isEnabled());

        calculate(w, "60", "40", "30");
        QTemporaryDir folder;
        const QString path = folder.filePath(q("plan.qrn"));
        f.prompts.file_names = {path, path};
        w.save_plan();
        QVERIFY(w.reset_plan());
        QVERIFY(!shipment_item(w)->isEnabled());
        w.open_plan();  // an opened plan is a result too
        QVERIFY(shipment_item(w)->isEnabled());
    }

    // 5,000 cartons of 18 kg in 40尺柜: the plan's 700 a container by volume.
    void ships_an_order_and_draws_the_last_container() {
        window_fixture f;
        kmain& w = f.w();
        calculate(w, "60", "40", "30");
        QString shown;
        with_dialog(w, [&](kzhuangyun& d) {
            QCOMPARE(d.payload_field->text(), q("26730"));  // from the catalogue
            QVERIFY(!d.draw_last_button->isEnabled());
            d.quantity_field->setText(q("5000"));
            d.carton_weight_field->setText(q("18"));
            QTest::keyClick(d.carton_weight_field, Qt::Key_Return);  // Enter works it out
            shown = d.result_text->text();
            QVERIFY(!d.draw_each_button->isEnabled());  // every full container is the plan
            d.draw_last_button->click();
        });
        QCOMPARE(shown, q("共需8个集装箱\n每个集装箱装700个包装箱（受容积限制）\n"
                          "最后一个集装箱装100个包装箱，货重1800千克"));
        QVERIFY(f.prompts.log.empty());

        // The window shows the last container: its 100 cartons in 2 blocks,
        // two whole rows and six whole layers of the next.
        QCOMPARE(parts(w).arrangement_text->text(), q("分2堆摆放共放100个包装箱"));
        QCOMPARE(parts(w).utilisation_text->text(), q("集装箱的利用效率：10.64%"));
        QCOMPARE(third_line(w)->text(), q("最后一个集装箱（第8个，共8个）"));
        QStringList steps;
        for (int i = 0; i < 4; ++i) {
            parts(w).draw_button->click();
            steps << parts(w).stack_text->text();
        }
        QCOMPARE(steps, QStringList({q("显示第1堆包装箱"), q("显示第2堆包装箱"),
                                     q("显示前1堆包装箱"), q("显示前2堆包装箱")}));

        // The order still ships by the whole plan, not by the drawn container.
        with_dialog(w, [&](kzhuangyun& d) {
            type_order(d, "1400", "", "");
            d.work_out_button->click();
            shown = d.result_text->text();
        });
        QVERIFY(shown.startsWith(q("共需2个集装箱\n每个集装箱装700个包装箱")));

        // Save keeps the whole plan the drawn container came from.
        QTemporaryDir folder;
        const QString path = folder.filePath(q("part.qrn"));
        f.prompts.file_names = {path, path};
        w.save_plan();
        QCOMPARE(parts(w).arrangement_text->text(), q("分2堆摆放共放100个包装箱"));
        w.open_plan();
        QCOMPARE(parts(w).arrangement_text->text(), q("分1堆摆放共放700个包装箱"));
        QVERIFY(f.prompts.log.size() == 2 && f.prompts.messages().isEmpty());
    }

    // An optimised plan ships by its own count, and its last container is
    // loaded from the optimised blocks, not the standard plan's.
    void ships_an_optimised_plan() {
        window_fixture f;
        kmain& w = f.w();
        calculate(w, "60", "40", "30");
        const QString standard = parts(w).arrangement_text->text();
        test_support::part<QAction>(w, "kyouhua")->trigger();
        const QString optimised = parts(w).arrangement_text->text();
        QVERIFY(optimised != standard);
        const int per_container =
            optimised.mid(optimised.indexOf(q("共放")) + 2).chopped(4).toInt();
        QVERIFY(per_container > 700);

        QString shown;
        with_dialog(w, [&](kzhuangyun& d) {
            type_order(d, QByteArray::number(per_container + 5).constData(), "", "");
            d.work_out_button->click();
            shown = d.result_text->text();
            d.draw_last_button->click();
        });
        QVERIFY(shown.startsWith(q("共需2个集装箱\n每个集装箱装%1个包装箱（受容积限制）\n"
                                   "最后一个集装箱装5个包装箱\n")
                                     .arg(per_container)));
        QVERIFY(parts(w).arrangement_text->text().endsWith(q("共放5个包装箱")));
        // The whole plan's bound is no line of this container's.
        QCOMPARE(third_line(w)->text(), q("最后一个集装箱（第2个，共2个）"));
        QVERIFY(f.prompts.log.empty());
        // The whole optimised plan is still the one shipped.
        with_dialog(w, [&](kzhuangyun& d) {
            type_order(d, QByteArray::number(per_container).constData(), "", "");
            d.work_out_button->click();
            shown = d.result_text->text();
        });
        QVERIFY(shown.startsWith(q("共需1个集装箱\n")));

        // A plan file keeps no positions, yet the opened plan loads its last
        // container as the window did before it was saved.
        const QStringList before{parts(w).arrangement_text->text(),
                                 parts(w).utilisation_text->text()};
        const pixel_canvas drawn = parts(w).drawing->pixels();
        QTemporaryDir folder;
        const QString path = folder.filePath(q("optimised.qrn"));
        f.prompts.file_names = {path, path};
        w.save_plan();
        w.open_plan();
        QCOMPARE(parts(w).arrangement_text->text(), optimised);
        with_dialog(w, [&](kzhuangyun& d) {
            type_order(d, QByteArray::number(per_container + 5).constData(), "", "");
            d.work_out_button->click();
            d.draw_last_button->click();
        });
        QCOMPARE(
            QStringList({parts(w).arrangement_text->text(), parts(w).utilisation_text->text()}),
            before);
        QVERIFY(test_support::same_pixels(parts(w).drawing->pixels(), drawn));
    }

    // The loading instructions of the container drawn are those varnel-plan
    // writes for the same order: the same steps at the same places, the
    // cargo weight and the centre of gravity from the weight typed.
    void the_report_is_the_planners_data() {
        QTest::addColumn<QStringList>("carton");
        QTest::addColumn<bool>("optimised");
        QTest::newRow("standard") << QStringList{q("60"), q("40"), q("30")} << false;
        QTest::newRow("optimised") << QStringList{q("53"), q("43"), q("31")} << true;
        QTest::newRow("optimised, odd sizes")
            << QStringList{q("47.3"), q("33.1"), q("28.9")} << true;
    }
    void the_report_is_the_planners() {
        QFETCH(QStringList, carton);
        QFETCH(bool, optimised);
        QTemporaryDir folder;
        window_fixture f;
        kmain& w = f.w();
        calculate(w, carton[0].toUtf8().constData(), carton[1].toUtf8().constData(),
                  carton[2].toUtf8().constData());
        if (optimised) test_support::part<QAction>(w, "kyouhua")->trigger();
        with_dialog(w, [&](kzhuangyun& d) {
            d.quantity_field->setText(q("1500"));
            d.carton_weight_field->setText(q("40"));  // the catalogue's payload stays
            d.work_out_button->click();
            d.draw_last_button->click();
        });
        const QString window_pdf = folder.filePath(q("window.pdf")),
                      window_xlsx = folder.filePath(q("window.xlsx"));
        for (const QString& path : {window_pdf, window_xlsx}) {
            f.prompts.file_names.push_back(path);
            test_support::part<QAction>(w, "kbzhidao")->trigger();
        }
        QCOMPARE(f.prompts.messages(), QStringList());

        const QString planner_pdf = folder.filePath(q("planner.pdf")),
                      planner_xlsx = folder.filePath(q("planner.xlsx"));
        for (const QString& path : {planner_pdf, planner_xlsx}) {
            std::vector<std::string> args{"--container-type", "40尺柜"};
            for (const QString& side : carton) args.push_back(side.toStdString());
            if (optimised) args.emplace_back("--optimise");
            for (const char* a : {"--quantity", "1500", "--carton-weight", "40", "--report"}) {
                args.emplace_back(a);
            }
            args.push_back(path.toStdString());
            std::ostringstream out, err;
            QCOMPARE(run_planner(args, out, err, f.catalogue.folder()), 0);
        }
        const auto steps = step_table(window_xlsx);
        QVERIFY(steps.size() > 1);
        QCOMPARE(steps, step_table(planner_xlsx));
        const QStringList figures{q("货重："),         q("纵向重心："), q("横向重心："),
                                  q("重心允许范围："), q("最重承压："), q("起点：距里端"),
                                  q("距左侧"),         q("距箱底")};
        const QStringList lines = pdf_lines(window_pdf, figures);
        QVERIFY(lines.filter(q("货重：")).value(0).contains(q("千克（载重 26730 千克）")));
        QVERIFY(!lines.filter(q("纵向重心：距里端")).isEmpty());
        // The weight typed gives the container a centre to judge by ±5 %.
        QVERIFY(lines.filter(q("重心允许范围："))
                    .value(0)
                    .startsWith(q("重心允许范围：前后 ±60 cm，左右 ±12 cm；")));
        QCOMPARE(lines, pdf_lines(planner_pdf, figures));
    }

    // Heavy cartons weigh out a container first: every container is then a
    // part load, and so is the last.
    void draws_each_container_when_the_weight_binds() {
        window_fixture f;
        kmain& w = f.w();
        calculate(w, "60", "40", "30");
        QString shown;
        with_dialog(w, [&](kzhuangyun& d) {
            type_order(d, "5000", "50", "26730");
            d.work_out_button->click();
            shown = d.result_text->text();
            QVERIFY(d.draw_each_button->isEnabled());
            d.draw_each_button->click();
        });
        QCOMPARE(shown, q("共需10个集装箱\n每个集装箱装534个包装箱（受载重限制）\n"
                          "最后一个集装箱装194个包装箱，货重9700千克"));
        QVERIFY(parts(w).arrangement_text->text().endsWith(q("共放534个包装箱")));
        QCOMPARE(third_line(w)->text(), q("第1至第9个集装箱，每个相同（共10个）"));

        // Two containers: the first is the one before the last; one
        // container is the last alone.
        const struct {
            const char* quantity;
            bool each;
            const char* line;
        } rows[] = {{"600", true, "第1个集装箱（共2个）"}, {"500", false, nullptr}};
        for (const auto& row : rows) {
            bool each = false;
            with_dialog(w, [&](kzhuangyun& d) {
                type_order(d, row.quantity, "50", "26730");
                d.work_out_button->click();
                each = d.draw_each_button->isEnabled();
                if (each) d.draw_each_button->click();
            });
            QCOMPARE(each, row.each);
            if (row.line) QCOMPARE(third_line(w)->text(), q(row.line));
        }
    }

    // Over one plan the dialog comes back as it was typed; another plan
    // starts it afresh, with the type's payload. A payload beyond 16 bits
    // reads as stored.
    void remembers_the_order_over_one_plan() {
        window_fixture f;
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("heavy"));
            db.setDatabaseName(f.catalogue.file());
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(
                q("UPDATE jicicun SET ji_load = 40000 WHERE ji_name = '40尺柜'")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("heavy"));
        kmain& w = f.w();
        calculate(w, "60", "40", "30");
        const auto fields = [&](const std::function<void(kzhuangyun&)>& act = {}) {
            QStringList seen;
            with_dialog(w, [&](kzhuangyun& d) {
                seen << d.quantity_field->text() << d.carton_weight_field->text()
                     << d.payload_field->text();
                if (act) act(d);
            });
            return seen;
        };
        QCOMPARE(fields([](kzhuangyun& d) {
                     type_order(d, "5000", "50", "39000");
                     d.work_out_button->click();
                     d.draw_last_button->click();
                 }),
                 QStringList({q(""), q(""), q("40000")}));
        QCOMPARE(fields(), QStringList({q("5000"), q("50"), q("39000")}));
        parts(w).start_button->click();
        QCOMPARE(fields(), QStringList({q(""), q(""), q("40000")}));
    }

    void refusals_put_the_focus_back_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("field");
        QTest::newRow("no quantity")
            << ""
            << "18"
            << "" << q("装运数量输入有误，请输入1至1000000000之间的整数") << "quantity";
        QTest::newRow("weight 0") << "5000"
                                  << "0"
                                  << "" << q("包装箱重量输入有误，请输入大于0的重量（千克）")
                                  << "weight";
        QTest::newRow("payload text")
            << "5000"
            << "18"
            << "abc" << q("集装箱载重输入有误，请输入大于0的重量（千克）") << "payload";
        QTest::newRow("over payload")
            << "5000"
            << "30000"
            << "26730" << q("包装箱重量超过集装箱载重，一个集装箱装不下一个包装箱") << "weight";
    }
    void refusals_put_the_focus_back() {
        QFETCH(QString, quantity);
        QFETCH(QString, weight);
        QFETCH(QString, payload);
        QFETCH(QString, message);
        QFETCH(QString, field);
        window_fixture f;
        kmain& w = f.w();
        calculate(w, "60", "40", "30");
        QWidget* focused = nullptr;
        QWidget* expected = nullptr;
        bool drawable = true;
        QString shown;
        with_dialog(w, [&](kzhuangyun& d) {
            type_order(d, "100", "", "");
            d.work_out_button->click();  // a result first, which the refusal takes away
            type_order(d, quantity.toUtf8().constData(), weight.toUtf8().constData(),
                       payload.toUtf8().constData());
            d.work_out_button->click();
            focused = d.focusWidget();
            expected = field == q("quantity") ? d.quantity_field
                       : field == q("weight") ? d.carton_weight_field
                                              : d.payload_field;
            drawable = d.draw_last_button->isEnabled();
            shown = d.result_text->text();
        });
        QCOMPARE(f.prompts.messages(), QStringList{message});
        QCOMPARE(focused, expected);
        QVERIFY(!drawable);
        QVERIFY(shown.isEmpty());
        QCOMPARE(parts(w).arrangement_text->text(), q("分1堆摆放共放700个包装箱"));
    }
};

QTEST_MAIN(shipment_window_test)
#include "shipment_window_test.moc"
