// "混装计算" in the window: a packing list imported, planned (by a small
// planner of the test's own), its containers shown one at a time, stepped
// through, saved, opened and printed; the list's refusals; and a cancel that
// leaves the plan shown.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include "app/kmain.h"
#include "dialogs/khunzhuang.h"
#include "dialogs/packing_table.h"
#include "output/capture.h"
#include "output/pfrom.h"
#include "plan/mixed_plan_format.h"
#include "plan/plan_file.h"
#include "tests/app/window_fixture.h"
#include "tests/support/mixed_example.h"
#include "tests/support/shelf_planner.h"
#include "ui/look.h"
#include "ui/step_bar.h"

using namespace varnel;
using namespace varnel::test_support;

namespace {

QString pdf_text(const QString& file) {
    QProcess p;
    p.start(QStringLiteral(VARNEL_PDFTOTEXT), {file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).replace(u'\n', u' ');
}

QString list_file(const char* name) { return QStringLiteral(VARNEL_LISTS_DIR "/") + q(name); }

// Twelve cartons a container, each on the floor.
void plan_by_shelves(kmain& w) {
    w.set_mixed_planner(
        {[](const mixed_request& r) { return shelf_plan(r, 12); }, std::chrono::seconds(60)});
}

khunzhuang& open_list(kmain& w) {
    part<QAction>(w, "khunzhuang")->trigger();
    khunzhuang* list = w.packing_list_window();
    if (!list) qFatal("no packing list window");
    QApplication::setActiveWindow(list);
    (void)QTest::qWaitForWindowActive(list);
    return *list;
}

// Writes the list as openpyxl writes it, through the script beside the
// test's support; false without a Python that has openpyxl.
bool write_openpyxl_list(const QString& path) {
    if (QStringLiteral(VARNEL_OPENPYXL_PYTHON).isEmpty()) return false;
    QProcess python;
    python.start(QStringLiteral(VARNEL_OPENPYXL_PYTHON),
                 {QStringLiteral(VARNEL_OPENPYXL_LIST), path});
    return python.waitForFinished(60000) && python.exitCode() == 0;
}

// The list the spreadsheet tests read: A 20, B 6, C 10.
void import_xlsx(window_fixture& f, khunzhuang& list) {
    f.prompts.file_names.push_back(list_file("list.xlsx"));
    list.import_button->click();
}

// The list of import_xlsx planned by shelves and shown.
khunzhuang& planned(window_fixture& f) {
    plan_by_shelves(f.w());
    khunzhuang& list = open_list(f.w());
    import_xlsx(f, list);
    list.compute_button->click();
    return list;
}

QLabel* bound_line(const kmain& w) { return part<QLabel>(w, "bound_line"); }
QPushButton* key(const kmain& w, const char* name) { return part<QPushButton>(w, name); }

QStringList result_row(const khunzhuang& list, int row) {
    QStringList cells;
    for (int c = 0; c < list.result_table->columnCount(); ++c) {
        cells << list.result_table->item(row, c)->text();
    }
    return cells;
}

void expect_container(const kmain& w, const char* number, const char* arrangement) {
    QCOMPARE(bound_line(w)->text(), q(number));
    QCOMPARE(parts(w).arrangement_text->text(), q(arrangement));
    QVERIFY(parts(w).utilisation_text->text().startsWith(q("集装箱的利用效率：")));
}

}  // namespace

class mixed_window_test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { apply_look(*qApp); }

    void the_list_window_follows_the_main_windows_container() {
        window_fixture f;
        kmain& w = f.w();
        khunzhuang& list = open_list(w);
        QVERIFY(list.isVisible());
        QVERIFY(list.container_text->text().startsWith(q("40尺柜")));
        QVERIFY(!list.payload_field->text().isEmpty());  // the catalogue's payload
        // A size typed into the main window is the container, its payload unknown.
        w.set_manual_container_size(q("590"), q("235"), q("239"));
        QCOMPARE(list.container_text->text(), q("590 × 235 × 239 cm"));
        QCOMPARE(list.payload_field->text(), QString());
        parts(w).container_list->choose(q("40尺柜"));
        QVERIFY(list.container_text->text().startsWith(q("40尺柜")));
    }

    void an_imported_list_saves_as_csv_and_reads_back_whole() {
        QTemporaryDir dir;
        window_fixture f;
        khunzhuang& list = open_list(f.w());
        import_xlsx(f, list);
        QCOMPARE(f.prompts.log.back().text, q("装箱单(*.csv *.xlsx *.ods)"));
        QCOMPARE(list.list_table->rowCount(), 3);
        QCOMPARE(list.list_table->vertical_choice(1)->currentText(), q("不可侧放"));
        QCOMPARE(list.list_table->vertical_choice(2)->currentText(), q("长边不可竖放"));
        // Saved under a name without a suffix.
        f.prompts.file_names.push_back(dir.filePath(q("装箱单")));
        list.save_list_button->click();
        QCOMPARE(f.prompts.log.back().text, q("装箱单(*.csv)"));
        QFile csv(dir.filePath(q("装箱单.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const auto reread = read_packing_list_csv(csv.readAll().toStdString());
        QVERIFY(std::holds_alternative<packing_list>(reread));
        QCOMPARE(std::get<packing_list>(reread).cartons.size(), std::size_t{3});
        QCOMPARE(std::get<packing_list>(reread).cartons[1].stackable, false);
    }

    void a_planned_list_shows_its_containers_one_at_a_time() {
        window_fixture f;
        kmain& w = f.w();
        khunzhuang& list = planned(f);
        QCOMPARE(f.prompts.messages(), QStringList());
        expect_container(w, "第1个集装箱（共3个）", "共装12个包装箱，1种");
        QVERIFY(key(w, "previous_container_button")->isVisible());
        QVERIFY(!key(w, "previous_container_button")->isEnabled());
        // The first container's weight known, its centre and balance under it.
        QCOMPARE(list.result_table->rowCount(), 10);
        QCOMPARE(result_row(list, 0).mid(0, 5),
                 (QStringList{q("第1个集装箱"), q("A"), q("12"), q("8"), q("150")}));
        QCOMPARE(list.result_table->item(3, 1)->text(), q("重心范围±5%"));
        QCOMPARE(result_row(list, 6).mid(0, 5),
                 (QStringList{q("第2个集装箱"), q("合计"), q("12"), q("12"), QString()}));

        key(w, "next_container_button")->click();
        expect_container(w, "第2个集装箱（共3个）", "共装12个包装箱，2种");
        key(w, "next_container_button")->click();
        expect_container(w, "第3个集装箱（共3个）", "共装12个包装箱，2种");
        QVERIFY(!key(w, "next_container_button")->isEnabled());
        key(w, "previous_container_button")->click();
        expect_container(w, "第2个集装箱（共3个）", "共装12个包装箱，2种");
    }

    // Twelve blocks: the draw button and the bar walk them both ways.
    void the_draw_button_and_the_bar_walk_a_containers_blocks() {
        window_fixture f;
        kmain& w = f.w();
        planned(f);
        key(w, "next_container_button")->click();
        auto* bar = part<step_bar>(w, "step_bar");
        QVERIFY(bar->isVisible());
        parts(w).draw_button->click();
        QCOMPARE(parts(w).stack_text->text(), q("显示第1堆包装箱"));
        parts(w).draw_button->click();
        QCOMPARE(parts(w).stack_text->text(), q("显示第2堆包装箱"));
        bar->back_key()->click();
        QCOMPARE(parts(w).stack_text->text(), q("显示第1堆包装箱"));
        bar->step_field()->setValue(9);
        QCOMPARE(parts(w).stack_text->text(), q("显示前9堆包装箱"));
        parts(w).draw_button->click();
        QCOMPARE(parts(w).stack_text->text(), q("显示前10堆包装箱"));
    }

    // Saved, reset and opened again, the plan is shown with its list.
    void a_saved_plan_opens_again_with_its_list() {
        QTemporaryDir dir;
        window_fixture f;
        kmain& w = f.w();
        khunzhuang& list = planned(f);
        const QString path = dir.filePath(q("混装"));
        f.prompts.file_names.push_back(path);
        parts(w).save_button->click();
        QCOMPARE(f.prompts.log.back().text, q("Varnel混装方案(*.qrm)"));
        QCOMPARE(f.prompts.log.back().suggested, q("Varnel文件1"));
        QFile saved(path + q(".qrm"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const mixed_read_result read = read_mixed_plan(saved.readAll().toStdString());
        QCOMPARE(read.status, mixed_read_status::ok);
        QCOMPARE(read.plan->plan.containers.size(), std::size_t{3});
        QCOMPARE(read.plan->container_type, std::string("40尺柜"));

        w.reset_plan();
        QCOMPARE(parts(w).arrangement_text->text(), QString());
        QVERIFY(!key(w, "next_container_button")->isVisible());
        QCOMPARE(list.result_table->rowCount(), 0);
        f.prompts.file_names.push_back(saved.fileName());
        parts(w).kopen->trigger();
        QCOMPARE(f.prompts.messages(), QStringList());
        QVERIFY(w.windowTitle().endsWith(saved.fileName()));
        expect_container(w, "第1个集装箱（共3个）", "共装12个包装箱，1种");
        QCOMPARE(list.list_table->rowCount(), 3);
        QCOMPARE(list.result_table->rowCount(), 10);
    }

    // A plan keeps the weight rules it was made by: opened again, the list
    // window shows them, whatever was chosen since.
    void an_opened_plan_shows_its_weight_rules() {
        QTemporaryDir dir;
        window_fixture f;
        kmain& w = f.w();
        plan_by_shelves(w);
        khunzhuang& list = open_list(w);
        import_xlsx(f, list);
        list.heavy_box->setChecked(false);
        // A band in tenths, as the command line takes it, comes back as it was.
        list.balance_field->setValue(7.5);
        list.compute_button->click();
        const QString path = dir.filePath(q("规则.qrm"));
        f.prompts.file_names.push_back(path);
        parts(w).save_button->click();
        list.heavy_box->setChecked(true);
        list.balance_box->setChecked(false);
        f.prompts.file_names.push_back(path);
        parts(w).kopen->trigger();
        QCOMPARE(f.prompts.messages(), QStringList());
        QVERIFY(!list.heavy_box->isChecked());
        QVERIFY(list.balance_box->isChecked());
        QVERIFY(list.balance_field->isEnabled());
        QCOMPARE(list.balance_field->value(), 7.5);
        QCOMPARE(list.balance_field->text(), q("±7.5 %"));
        QCOMPARE(list.result_table->item(3, 1)->text(), q("重心范围±7.5%"));
    }

    // Print prints the window with the container shown; the loading
    // instructions hold every container.
    void print_and_the_instructions_of_a_mixed_plan() {
        QTemporaryDir dir;
        window_fixture f;
        kmain& w = f.w();
        planned(f);
        key(w, "next_container_button")->click();
        QPrinter& printer = w.findChild<pfrom*>()->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(q("window.pdf")));
        f.prompts.copies.push_back(1);
        parts(w).kprint->trigger();
        QVERIFY(QFileInfo(dir.filePath(q("window.pdf"))).size() > 1000);
        printer.setOutputFileName(dir.filePath(q("report.pdf")));
        f.prompts.copies.push_back(1);
        part<QAction>(w, "kdayinzhidao")->trigger();
        QCOMPARE(f.prompts.messages(), QStringList());
        const QString text = pdf_text(dir.filePath(q("report.pdf")));
        for (const char* line : {"混装计算", "集装箱：40尺柜", "第1个集装箱", "第3个集装箱"}) {
            QVERIFY2(text.contains(q(line)), line);
        }
    }

    // A plan of one carton size takes the window back.
    void a_plan_of_one_size_replaces_the_mixed_plan() {
        window_fixture f;
        kmain& w = f.w();
        planned(f);
        type_worked_example(w);
        w.start_calculation();
        QCOMPARE(parts(w).arrangement_text->text(), q("分5堆摆放共放130个包装箱"));
        QVERIFY(!key(w, "next_container_button")->isVisible());
        QCOMPARE(bound_line(w)->text(), QString());
    }

    // Each refusal names the row and column of the table and puts the focus
    // on that cell; the payload's puts it on the payload.
    void refusals_point_at_the_cell_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");  // the column the focus goes to
        QTest::newRow("quantity 0")
            << 1 << 4 << q("0")
            << q("装箱单第2行第5列（数量）：数量输入有误，请输入1至1000000000之间的整数") << 4;
        QTest::newRow("size no number")
            << 0 << 1 << q("六十") << q("装箱单第1行第2列（长）：尺寸输入有误，请输入大于0的厘米数")
            << 1;
        QTest::newRow("weight below 0")
            << 2 << 5 << q("-3")
            << q("装箱单第3行第6列（毛重）：毛重输入有误，请输入大于0的重量（千克），不知道时留空")
            << 5;
        // Upright, 300 cm tall: its 可竖放 keeps it from lying down.
        QTest::newRow("no way into the container")
            << 0 << 3 << q("300")
            << q("装箱单第1行第7列（可竖放）：包装箱按允许的摆放方式装不进集装箱") << 6;
        QTest::newRow("payload") << -1 << -1 << q("-5")
                                 << q("集装箱载重输入有误，请输入大于0的重量（千克）") << -1;
    }
    void refusals_point_at_the_cell() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(int, focus);
        window_fixture f;
        kmain& w = f.w();
        plan_by_shelves(w);
        khunzhuang& list = open_list(w);
        import_xlsx(f, list);
        list.list_table->vertical_choice(0)->setCurrentIndex(1);  // A upright
        if (row >= 0) {
            list.list_table->item(row, column)->setText(typed);
        } else {
            list.payload_field->setText(typed);
        }
        f.prompts.clear();
        list.compute_button->click();
        QCOMPARE(f.prompts.messages(), QStringList{message});
        QCOMPARE(parts(w).arrangement_text->text(), QString());  // nothing planned
        // The message stood over the list window, which keeps the keyboard:
        // what is typed next goes into the cell at fault, not the main window.
        QCOMPARE(f.prompts.log.back().window, &list);
        QCOMPARE(QApplication::activeWindow(), &list);
        if (row >= 0) {
            QCOMPARE(list.list_table->currentRow(), row);
            QCOMPARE(list.list_table->currentColumn(), focus);
            QCOMPARE(QApplication::focusWidget(), list.list_table);
        } else {
            QCOMPARE(QApplication::focusWidget(), list.payload_field);
        }
        QTest::keyClicks(QApplication::focusWidget(), q("45"));
        QCOMPARE(parts(w).carton_length->text(), QString());
    }

    // The 托盘 column offers the catalogue's pallet types; a row on a pallet
    // plans as loaded pallets, which the results name by what they hold; a
    // saved plan opens with its pallets in the list again, and a carton no
    // pallet of its type takes is refused at its 托盘 cell.
    void pallets_in_the_list_window() {
        QTemporaryDir dir;
        window_fixture f;
        kmain& w = f.w();
        khunzhuang& list = planned(f);
        QComboBox* pallet = list.list_table->pallet_choice(0);
        QCOMPARE(list.list_table->horizontalHeaderItem(10)->text(), q("托盘"));
        QCOMPARE(pallet->count(), 5);
        QCOMPARE(pallet->currentText(), QString());
        QVERIFY(pallet->findText(q("欧标托盘")) > 0);
        QCOMPARE(list.pallet_rest_choice->currentText(), q("另装一托"));
        QCOMPARE(list.pallets_stackable_box->text(), q("托盘可堆码"));
        QVERIFY(!list.pallets_stackable_box->isChecked());

        pallet->setCurrentIndex(pallet->findText(q("欧标托盘")));
        list.compute_button->click();
        QCOMPARE(f.prompts.messages(), QStringList());
        // A's 20 cartons are one full pallet, beside B's and C's cartons.
        QCOMPARE(result_row(list, 0).mid(0, 4),
                 (QStringList{q("第1个集装箱"), q("欧标托盘（A，每托20箱）"), q("1"), q("0")}));
        QCOMPARE(result_row(list, 1).mid(1, 2), (QStringList{q("B"), q("6")}));
        // The total counts the cartons on the pallet, as the summary does.
        QCOMPARE(result_row(list, 3).mid(1, 3), (QStringList{q("合计"), q("31"), q("5")}));

        const QString path = dir.filePath(q("托盘.qrm"));
        f.prompts.file_names.push_back(path);
        parts(w).save_button->click();
        w.reset_plan();
        list.list_table->clear_rows();
        f.prompts.file_names.push_back(path);
        parts(w).kopen->trigger();
        QCOMPARE(f.prompts.messages(), QStringList());
        QCOMPARE(list.list_table->rowCount(), 3);
        QCOMPARE(list.list_table->item(0, 0)->text(), q("A"));
        QCOMPARE(list.list_table->item(0, 4)->text(), q("20"));
        QCOMPARE(list.list_table->pallet_choice(0)->currentText(), q("欧标托盘"));
        QCOMPARE(list.list_table->pallet_choice(1)->currentText(), QString());

        list.list_table->item(0, 1)->setText(q("130"));
        list.list_table->item(0, 2)->setText(q("90"));
        list.list_table->vertical_choice(0)->setCurrentIndex(1);  // upright
        f.prompts.clear();
        list.compute_button->click();
        QCOMPARE(f.prompts.messages(),
                 QStringList{q("装箱单第1行第11列（托盘）：包装箱比托盘大，托盘上放不下包装箱")});
        QCOMPARE(list.list_table->currentRow(), 0);
        QCOMPARE(list.list_table->currentColumn(), 10);
    }

    // The list as openpyxl writes it (the sheet named from the package's
    // root, every text in its cell, an empty one in 可竖放) imports as
    // written, the window's own names in 可竖放 too; a refused file's message
    // stands over the list window.
    void imports_a_list_written_by_openpyxl() {
        QTemporaryDir dir;
        const QString path = dir.filePath(q("装箱单.xlsx"));
        if (!write_openpyxl_list(path)) QSKIP("no Python with openpyxl");
        window_fixture f;
        kmain& w = f.w();
        khunzhuang& list = open_list(w);
        f.prompts.file_names.push_back(path);
        list.import_button->click();
        QCOMPARE(f.prompts.messages(), QStringList());
        QCOMPARE(f.prompts.log.back().window, &list);  // the file dialog too
        QCOMPARE(list.list_table->rowCount(), 3);
        QStringList names, stances;
        for (int row = 0; row < 3; ++row) {
            names << list.list_table->item(row, 0)->text();
            stances << list.list_table->vertical_choice(row)->currentText();
        }
        QCOMPARE(names, (QStringList{q("A"), q("B"), q("C")}));
        QCOMPARE(stances, (QStringList{q("任意摆放"), q("不可侧放"), q("长边不可竖放")}));
        QCOMPARE(list.list_table->item(1, 7)->checkState(), Qt::Unchecked);

        f.prompts.file_names.push_back(list_file("not_a_sheet.xlsx"));
        list.import_button->click();
        QCOMPARE(f.prompts.messages().size(), 1);
        QCOMPARE(f.prompts.log.back().window, &list);
        QCOMPARE(list.list_table->rowCount(), 3);
    }

    // Enter in the payload computes; in the table it goes down a row as in
    // a spreadsheet, the text typed kept, and Ctrl+Enter computes; Tab on the
    // last cell adds a row.
    void keys_in_the_list_window() {
        window_fixture f;
        kmain& w = f.w();
        plan_by_shelves(w);
        khunzhuang& list = open_list(w);
        import_xlsx(f, list);
        packing_table& table = *list.list_table;

        table.setCurrentCell(0, 4);
        table.editItem(table.item(0, 4));
        QTest::keyClicks(QApplication::focusWidget(), q("7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(table.item(0, 4)->text(), q("7"));
        QCOMPARE(table.currentRow(), 1);
        QCOMPARE(table.currentColumn(), 4);
        QTest::keyClick(&table, Qt::Key_Enter);  // not typing: down again
        QCOMPARE(table.currentRow(), 2);
        QTest::keyClick(&table, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(table.currentRow(), 1);
        QCOMPARE(parts(w).arrangement_text->text(), QString());  // nothing computed

        table.setCurrentCell(2, table.columnCount() - 1);  // 最多层数, the last
        QTest::keyClick(&table, Qt::Key_Tab);
        QCOMPARE(table.rowCount(), 4);
        QCOMPARE(table.currentRow(), 3);
        QCOMPARE(table.currentColumn(), 0);

        // Ctrl+Enter while typing keeps the text and computes with it.
        table.setCurrentCell(0, 4);
        table.editItem(table.item(0, 4));
        QTest::keyClicks(QApplication::focusWidget(), q("3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(f.prompts.messages(), QStringList());
        QCOMPARE(result_row(list, 0).mid(1, 2), (QStringList{q("A"), q("3")}));

        w.reset_plan();
        QTest::keyClick(list.payload_field, Qt::Key_Return);
        QCOMPARE(f.prompts.messages(), QStringList());
        QVERIFY(!parts(w).arrangement_text->text().isEmpty());
    }

    // The main window's file keys work from the list window: Ctrl+S saves the
    // plan shown.
    void file_keys_from_the_list_window() {
        window_fixture f;
        khunzhuang& list = planned(f);
        f.prompts.clear();
        QTest::keyClick(list.list_table, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.prompts.log.size(), std::size_t{1});
        QCOMPARE(f.prompts.log.back().what, scripted_prompts::exchange::save_file);
        QCOMPARE(f.prompts.log.back().text, q("Varnel混装方案(*.qrm)"));
        // Print prints the window in front, as the main window's does.
        QTemporaryDir dir;
        QPrinter& printer = f.w().findChild<pfrom*>()->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(q("list.pdf")));
        f.prompts.copies.push_back(1);
        QTest::keyClick(list.list_table, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(f.prompts.log.back().what, scripted_prompts::exchange::print);
        QCOMPARE(f.w().findChild<pfrom*>()->current_picture().size(),
                 list.size() + QSize(0, title_strip_height));
    }

    // Each plan is saved under a name of its own kind, and the title names
    // the plan shown: a mixed plan planned after a plan file was opened is
    // no plan of that file, nor is a plan calculated after a mixed plan was
    // opened.
    void plans_keep_names_of_their_own_kind() {
        QTemporaryDir dir;
        window_fixture f;
        kmain& w = f.w();
        plan_by_shelves(w);
        const QString standard = dir.filePath(q("装运40尺.qrn"));
        type_worked_example(w);
        w.start_calculation();
        f.prompts.file_names = {standard, standard};
        w.save_plan();
        parts(w).kopen->trigger();
        QVERIFY(w.windowTitle().endsWith(standard));
        QFile qrn(standard);
        QVERIFY(qrn.open(QIODevice::ReadOnly));
        const QByteArray plan_bytes = qrn.readAll();

        khunzhuang& list = open_list(w);
        import_xlsx(f, list);
        list.compute_button->click();
        QVERIFY(w.windowTitle().endsWith(q("Varnel文件1")));
        QCOMPARE(parts(w).carton_length->text(), QString());  // no carton of this plan
        // The plan file's name, typed or left, becomes the mixed plan's own.
        f.prompts.clear();
        f.prompts.file_names = {standard};
        parts(w).ksave->trigger();
        QCOMPARE(f.prompts.log.front().suggested, q("Varnel文件1"));
        QCOMPARE(f.prompts.messages(), QStringList());
        const QString mixed = dir.filePath(q("装运40尺.qrm"));
        QVERIFY(QFile::exists(mixed));
        QVERIFY(qrn.seek(0));
        QCOMPARE(qrn.readAll(), plan_bytes);
        QVERIFY(w.windowTitle().endsWith(mixed));

        // A plan of one size takes the window back, and its name with it.
        type_worked_example(w);
        w.start_calculation();
        QVERIFY(w.windowTitle().endsWith(standard));
        f.prompts.clear();
        f.prompts.file_names = {dir.filePath(q("另一个.QRM"))};
        w.save_plan();
        QVERIFY(QFile::exists(dir.filePath(q("另一个.qrn"))));

        // Opened, the mixed plan names the title until a calculation.
        f.prompts.file_names = {mixed};
        parts(w).kopen->trigger();
        QVERIFY(w.windowTitle().endsWith(mixed));
        type_worked_example(w);
        w.start_calculation();
        QVERIFY(w.windowTitle().endsWith(standard));
        // The instructions name the plan shown, not the mixed plan's file.
        f.prompts.file_names = {dir.filePath(q("report.pdf"))};
        part<QAction>(w, "kbzhidao")->trigger();
        QVERIFY(
            pdf_text(dir.filePath(q("report.pdf"))).contains(q("方案：装运40尺.qrn（标准计算）")));
        QCOMPARE(f.prompts.messages(), QStringList());
    }

    // The list window may be made larger (the list and the results grow)
    // and opens again where it was left, at its size.
    void the_list_window_grows_and_keeps_its_place() {
        QTemporaryDir dir;
        QSettings places(dir.filePath(q("places.ini")), QSettings::IniFormat);
        const QSize larger(900, 700);
        {
            window_fixture f;
            kmain& w = f.w();
            w.set_window_places(&places);
            khunzhuang& list = open_list(w);
            const QSize table = list.list_table->size(), results = list.result_table->size();
            QCOMPARE(list.size(), QSize(720, 558));
            list.resize(larger);
            QCOMPARE(list.list_table->size(), table + QSize(180, 71));
            QCOMPARE(list.result_table->size(), results + QSize(180, 71));
            QCOMPARE(list.close_button->geometry().right(), larger.width() - 9);
            // The weight rules' row moves down with the list's extra height.
            QCOMPARE(list.balance_field->geometry().top(), 329 + 71);
            list.close();
        }
        window_fixture f;
        kmain& w = f.w();
        w.set_window_places(&places);
        QCOMPARE(open_list(w).size(), larger);
    }

    // 39 containers are one number away, typed into the box between the keys.
    void a_container_chosen_by_its_number() {
        window_fixture f;
        kmain& w = f.w();
        w.set_mixed_planner(
            {[](const mixed_request& r) { return shelf_plan(r, 1); }, std::chrono::seconds(60)});
        khunzhuang& list = open_list(w);
        import_xlsx(f, list);
        list.compute_button->click();
        auto* box = part<QSpinBox>(w, "container_number_box");
        QVERIFY(box->isVisible());
        QCOMPARE(box->maximum(), 36);
        box->setValue(36);
        expect_container(w, "第36个集装箱（共36个）", "共装1个包装箱，1种");
        QVERIFY(!key(w, "next_container_button")->isEnabled());
        key(w, "previous_container_button")->click();
        QCOMPARE(box->value(), 35);
        w.reset_plan();
        QVERIFY(!box->isVisible());
    }

    // A run of identical containers is one step of the keys, numbered among
    // every container, in the window, the result table and the report.
    void a_run_of_identical_containers_is_shown_once() {
        QTemporaryDir dir;
        window_fixture f;
        kmain& w = f.w();
        mixed_plan_file plan = mixed_example();
        plan.cartons[0].quantity = 30;
        plan.plan.containers[1].repeat = 6;  // 6 + 6 x 4 A
        plan.plan.unloaded = {0, 0};
        const QString path = dir.filePath(q("runs.qrm"));
        QVERIFY(!save_file_atomically(path, write_mixed_plan(plan)).has_value());
        f.prompts.file_names.push_back(path);
        parts(w).kopen->trigger();
        QCOMPARE(f.prompts.messages(), QStringList());
        expect_container(w, "第1个集装箱（共7个）", "共装8个包装箱，2种");
        key(w, "next_container_button")->click();
        expect_container(w, "第2至7个集装箱（每个相同）", "共装4个包装箱，1种");
        QVERIFY(!key(w, "next_container_button")->isEnabled());
        key(w, "previous_container_button")->click();
        expect_container(w, "第1个集装箱（共7个）", "共装8个包装箱，2种");
        // The number box counts every container; one within the run shows it.
        auto* box = part<QSpinBox>(w, "container_number_box");
        QCOMPARE(box->maximum(), 7);
        box->setValue(5);
        expect_container(w, "第2至7个集装箱（每个相同）", "共装4个包装箱，1种");
        QCOMPARE(box->value(), 2);

        khunzhuang& list = open_list(w);
        QCOMPARE(result_row(list, 3).mid(0, 4),
                 (QStringList{q("第2至7个集装箱（每个相同）"), q("A"), q("4"), q("0")}));

        QPrinter& printer = w.findChild<pfrom*>()->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(q("report.pdf")));
        f.prompts.copies.push_back(1);
        part<QAction>(w, "kdayinzhidao")->trigger();
        const QString text = pdf_text(dir.filePath(q("report.pdf")));
        for (const char* line : {"第1个集装箱（共7个）", "第2至7个集装箱（每个相同）"}) {
            QVERIFY2(text.contains(q(line)), line);
        }
    }

    // The weight rules chosen go to the planner; under each container's rows
    // the window shows where its weight lies and whether the band holds it,
    // and the loading instructions judge it by the same band. Two 90 kg
    // crates side by side at the far end of 590 × 235 × 239 cm: their
    // centre 40 cm from the far end and 100.05 cm from the left, 255 cm and
    // 17.45 cm from the middle.
    void weight_rules_and_the_balance_data() {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<bool>("heavy");
        QTest::addColumn<bool>("band");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("report_line");
        const QString centre = q("距里端 0.40 m，距左侧 1.00 m（偏向里端 255 cm，偏左 17 cm）");
        QTest::newRow("a band of 8 %, off lengthwise")
            << q("90") << true << true << 8
            << QStringList{q("重心位置"), centre, q("重心范围±8%"),
                           q("重心偏离中心255 cm，超出允许的47 cm")}
            << q("重心允许范围：前后 ±47 cm，左右 ±19 cm；重心偏离中心255 cm，超出允许的47 cm");
        QTest::newRow("a band of 50 % holds")
            << q("90") << false << true << 50
            << QStringList{q("重心位置"), centre, q("重心范围±50%"), q("重心在允许范围内")}
            << q("重心允许范围：前后 ±295 cm，左右 ±118 cm；重心在允许范围内");
        QTest::newRow("no band: where the weight lies alone")
            << q("90") << false << false << 5 << QStringList{q("重心位置"), centre} << QString();
        QTest::newRow("no weight: nothing to judge")
            << QString() << true << true << 5 << QStringList{} << QString();
    }
    void weight_rules_and_the_balance() {
        QFETCH(QString, weight);
        QFETCH(bool, heavy);
        QFETCH(bool, band);
        QFETCH(int, percent);
        QFETCH(QStringList, lines);
        QFETCH(QString, report_line);
        QTemporaryDir dir;
        window_fixture f;
        kmain& w = f.w();
        auto asked = std::make_shared<std::optional<weight_rules>>();
        w.set_mixed_planner({[asked](const mixed_request& r) {
                                 *asked = r.weights;
                                 return shelf_plan(r, 12);
                             },
                             std::chrono::seconds(60)});
        w.set_manual_container_size(q("590"), q("235"), q("239"));
        khunzhuang& list = open_list(w);
        // As the window opens: heavy not on light, within ±5 %.
        QVERIFY(list.heavy_box->isChecked());
        QVERIFY(list.balance_box->isChecked());
        QCOMPARE(list.balance_field->text(), q("±5 %"));
        const QStringList row{q("木箱"), q("100"), q("80"), q("60"), q("2"), weight};
        for (int c = 0; c < row.size(); ++c) list.list_table->item(0, c)->setText(row[c]);
        list.heavy_box->setChecked(heavy);
        list.balance_box->setChecked(band);
        QCOMPARE(list.balance_field->isEnabled(), band);
        list.balance_field->setValue(percent);
        list.compute_button->click();
        QCOMPARE(f.prompts.messages(), QStringList());

        QVERIFY(asked->has_value());
        QCOMPARE((*asked)->heavy_not_on_light, heavy);
        QCOMPARE((*asked)->balance_share.has_value(), band);
        if (band) QCOMPARE(*(*asked)->balance_share, percent / 100.0);
        // The crates' row and the total, then the lines across the figures.
        QCOMPARE(list.result_table->rowCount(), 2 + lines.size() / 2);
        QStringList shown;
        for (int r = 2; r < list.result_table->rowCount(); ++r) {
            QCOMPARE(list.result_table->item(r, 0)->text(), q("第1个集装箱"));
            QCOMPARE(list.result_table->columnSpan(r, 2), 4);
            shown << list.result_table->item(r, 1)->text() << list.result_table->item(r, 2)->text();
        }
        QCOMPARE(shown, lines);
        if (!weight.isEmpty()) QCOMPARE(result_row(list, 1)[4], q("180"));

        const QString pdf = dir.filePath(q("report.pdf"));
        f.prompts.file_names.push_back(pdf);
        part<QAction>(w, "kdaochu")->trigger();
        const QString text = pdf_text(pdf);
        QVERIFY(!text.isEmpty());
        QCOMPARE(text.contains(q("重心允许范围")), !report_line.isEmpty());
        if (!report_line.isEmpty()) QVERIFY2(text.contains(report_line), qPrintable(text));
    }

    // A plan the budget cut short is shown, and the window says so.
    void a_plan_cut_short_says_so() {
        window_fixture f;
        kmain& w = f.w();
        w.set_mixed_planner({[](const mixed_request& r) {
                                 mixed_plan plan = shelf_plan(r, 12);
                                 for (std::size_t t = 0; t < plan.unloaded.size(); ++t)
                                     plan.unloaded[t] += plan.containers.back().loaded[t];
                                 plan.containers.pop_back();
                                 plan.cut_short = true;
                                 return plan;
                             },
                             std::chrono::seconds(60)});
        khunzhuang& list = open_list(w);
        import_xlsx(f, list);
        list.compute_button->click();
        QCOMPARE(
            f.prompts.messages(),
            QStringList{q("计算量过大，已提前结束：未装入的包装箱没有计算，请分成几张装箱单计算")});
        expect_container(w, "第1个集装箱（共2个）", "共装12个包装箱，1种");
    }

    // "取消" leaves the plan shown as it was.
    void a_cancel_leaves_the_plan() {
        window_fixture f;
        kmain& w = f.w();
        khunzhuang& list = planned(f);
        key(w, "next_container_button")->click();
        const QStringList before{parts(w).utilisation_text->text(),
                                 parts(w).arrangement_text->text(), bound_line(w)->text()};
        w.set_mixed_planner({[](const mixed_request& r) {
                                 while (!r.cancel->load()) {
                                     std::this_thread::sleep_for(std::chrono::milliseconds(1));
                                 }
                                 mixed_plan cancelled;
                                 cancelled.stop = stop_reason::cancelled;
                                 return cancelled;
                             },
                             std::chrono::milliseconds(0)});
        f.prompts.progress_cancels.push_back(true);
        list.list_table->item(0, 4)->setText(q("30"));
        list.compute_button->click();
        QCOMPARE(f.prompts.log.back().what, scripted_prompts::exchange::progress);
        QCOMPARE(f.prompts.log.back().text, q("正在混装计算……"));
        QCOMPARE((QStringList{parts(w).utilisation_text->text(), parts(w).arrangement_text->text(),
                              bound_line(w)->text()}),
                 before);
        QCOMPARE(list.result_table->rowCount(), 10);
    }
};

QTEST_MAIN(mixed_window_test)
#include "mixed_window_test.moc"
