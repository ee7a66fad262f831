// The loading instructions from the window: export and print of the plan
// shown (also a shipment's container), and the step bar of a long plan.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/kmain.h"
#include "dialogs/kzhuangyun.h"
#include "engine/block_tables.h"
#include "engine/core/loading_walls.h"
#include "output/pfrom.h"
#include "tests/app/window_fixture.h"
#include "ui/look.h"
#include "ui/step_bar.h"

using namespace varnel;
using namespace varnel::test_support;

namespace {

QAction* action(const kmain& w, const char* name) { return part<QAction>(w, name); }

// The resolution of each picture in a PDF, as pdfimages lists it.
QStringList picture_ppi(const QString& file) {
    QProcess p;
    p.start(QStringLiteral(VARNEL_PDFIMAGES), {QStringLiteral("-list"), file});
    p.waitForFinished(30000);
    QStringList ppi;
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList cells = line.simplified().split(u' ');
        if (cells.size() > 13) ppi << cells[12] + u'x' + cells[13];
    }
    return ppi;
}

QString pdf_text(const QString& file) {
    QProcess p;
    p.start(QStringLiteral(VARNEL_PDFTOTEXT), {file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).replace(u'\n', u' ');
}

// 40尺柜, as start-up chooses it, and a carton typed in centimetres.
void type_carton(kmain& w, const char* l, const char* wd, const char* h) {
    parts(w).carton_length->setText(q(l));
    parts(w).carton_width->setText(q(wd));
    parts(w).carton_height->setText(q(h));
}

}  // namespace

class report_window_test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { apply_look(*qApp); }

    void offered_while_a_plan_is_shown() {
        window_fixture f;
        kmain& w = f.w();
        const char* names[] = {"kdaochu", "kbzhidao", "kdayinzhidao"};
        for (const char* name : names) QVERIFY2(!action(w, name)->isEnabled(), name);
        type_worked_example(w);
        w.start_calculation();
        for (const char* name : names) QVERIFY2(action(w, name)->isEnabled(), name);
    }

    // The name typed, the filter chosen, the file written and its kind: the
    // suffix typed says the kind, the filter's is added when none is typed.
    void export_report_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QByteArray>("starts");
        const QString pdf = q("装箱指导书(*.pdf)"), xlsx = q("装箱步骤表(*.xlsx)");
        QTest::newRow("pdf") << q("装箱.pdf") << pdf << q("装箱.pdf") << false << false
                             << QByteArray("%PDF");
        QTest::newRow("spreadsheet")
            << q("steps.XLSX") << pdf << q("steps.XLSX") << false << false << QByteArray("PK");
        QTest::newRow("no suffix, pdf chosen")
            << q("std") << pdf << q("std.pdf") << false << false << QByteArray("%PDF");
        QTest::newRow("no suffix, spreadsheet chosen")
            << q("std2") << xlsx << q("std2.xlsx") << false << false << QByteArray("PK");
        QTest::newRow("pdf typed, spreadsheet chosen")
            << q("std3.pdf") << xlsx << q("std3.pdf") << false << false << QByteArray("%PDF");
        QTest::newRow("over an old file")
            << q("old") << pdf << q("old.pdf") << true << true << QByteArray("%PDF");
        QTest::newRow("old file kept")
            << q("old.pdf") << pdf << q("old.pdf") << true << false << QByteArray("old");
    }

    void export_report() {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(bool, existing);
        QFETCH(bool, overwrite);
        QFETCH(QByteArray, starts);
        QTemporaryDir folder;
        const QString path = folder.filePath(written);
        if (existing) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        }
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        w.start_calculation();
        f.prompts.file_names.push_back(folder.filePath(name));
        f.prompts.chosen_filters.push_back(filter);
        f.prompts.questions.push_back(overwrite);
        action(w, "kbzhidao")->trigger();
        QCOMPARE(f.prompts.messages(), QStringList());
        QCOMPARE(f.prompts.log.front().text, q("装箱指导书(*.pdf);;装箱步骤表(*.xlsx)"));
        QCOMPARE(f.prompts.log.front().suggested, q("Varnel文件1.pdf"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{written});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith(starts));
        if (starts == "%PDF") {
            const QString text = pdf_text(path);
            for (const char* line : {"方案：Varnel文件1（标准计算）", "集装箱：自定义尺寸",
                                     "容积利用率：80.03%", "第 5 步", "累计：130 / 130 箱"}) {
                QVERIFY2(text.contains(q(line)), line);
            }
        }
    }

    // The report of the container shown: after "装运计划", the last one's,
    // printed on the printer the user chose.
    void print_the_shipments_last_container() {
        QTemporaryDir folder;
        window_fixture f;
        kmain& w = f.w();
        type_carton(w, "60", "40", "30");
        w.start_calculation();  // 700 cartons a container
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<kzhuangyun*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->quantity_field->setText(q("1500"));
            dialog->work_out();
            dialog->draw_last_button->click();
        });
        part<QAction>(w, "kzhuangyun")->trigger();

        QPrinter& printer = w.findChild<pfrom*>()->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(q("printed.pdf")));
        f.prompts.copies.push_back(1);
        action(w, "kdayinzhidao")->trigger();
        QCOMPARE(f.prompts.messages(), QStringList());
        const QString text = pdf_text(printer.outputFileName());
        for (const char* line :
             {"方案：Varnel文件1（装运计划）", "集装箱：40尺柜", "载重：", "本订单共需 3 个集装箱",
              "本指导书为最后一个集装箱的装法", "共装 100 个包装箱", "累计：100 / 100 箱"}) {
            QVERIFY2(text.contains(q(line)), line);
        }
    }

    // Each print sets up the printer for itself: the window prints as it did
    // before, whatever the instructions printed in between set.
    void print_after_the_instructions() {
        QTemporaryDir folder;
        window_fixture f;
        kmain& w = f.w();
        type_worked_example(w);
        w.start_calculation();
        QPrinter& printer = w.findChild<pfrom*>()->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const auto print = [&](const char* item, const char* file) {
            printer.setOutputFileName(folder.filePath(q(file)));
            f.prompts.copies.push_back(1);
            action(w, item)->trigger();
            return folder.filePath(q(file));
        };
        const QStringList before = picture_ppi(print("kprint", "before.pdf"));
        print("kdayinzhidao", "report.pdf");
        const QStringList after = picture_ppi(print("kprint", "after.pdf"));
        QCOMPARE(f.prompts.messages(), QStringList());
        QCOMPARE(before, QStringList{q("96x96")});
        QCOMPARE(after, before);
    }

    // A plan of more than seven stacks gets the bar: back, a jump, and on
    // from there, with the stack text as the draw button writes it.
    void step_bar_walks_a_long_plan() {
        window_fixture f;
        kmain& w = f.w();
        auto* bar = part<step_bar>(w, "step_bar");
        type_worked_example(w);
        w.start_calculation();
        QVERIFY(!bar->isVisible());  // five stacks: the design's window as it is

        // An optimised plan's walk goes through its loading steps.
        type_carton(w, "53", "43", "31");
        part<QAction>(w, "kyouhua")->trigger();
        const int n = static_cast<int>(
            loading_walls(placed_blocks(w.model()), {{single_carton(530, 430, 310)}}).steps.size());
        QVERIFY(n > stack_count(w.model().draw_stacks));
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->step_field()->value(), n);
        bar->back_key()->click();
        QCOMPARE(parts(w).stack_text->text(), QStringLiteral("显示前%1堆包装箱").arg(n - 1));
        QCOMPARE(bar->step_field()->value(), n - 1);
        bar->step_field()->setValue(5);
        QCOMPARE(parts(w).stack_text->text(), q("显示前5堆包装箱"));
        parts(w).draw_button->click();
        QCOMPARE(parts(w).stack_text->text(), q("显示前6堆包装箱"));
        QCOMPARE(bar->step_field()->value(), 6);
        bar->forward_key()->click();
        QCOMPARE(parts(w).stack_text->text(), q("显示前7堆包装箱"));

        w.reset_plan();
        QVERIFY(!bar->isVisible());
    }
};

QTEST_MAIN(report_window_test)
#include "report_window_test.moc"
