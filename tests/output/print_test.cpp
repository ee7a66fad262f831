#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include "output/pfrom.h"
#include "output/print.h"
#include "tests/output/test_window.h"
#include "tests/support/scripted_prompts.h"

namespace varnel {

namespace {

// Pages are rasterised at 144 dots an inch: 2 dots a point, 1.5 a screen
// pixel, 0.1 a twip.
constexpr int raster_dpi = 144;

void print_to_pdf(pfrom& holder, const QString& file) {
    QPrinter& printer = holder.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    // Printable area from half an inch left and one inch down.
    printer.setPageMargins(QMarginsF(36, 72, 36, 36), QPageLayout::Point);
}

QList<QImage> pages_of(const QString& pdf) {
    const QString prefix = QFileInfo(pdf).absolutePath() + QStringLiteral("/page");
    QProcess::execute(QStringLiteral(VARNEL_PDFTOPPM),
                      {QStringLiteral("-r"), QString::number(raster_dpi), pdf, prefix});
    QList<QImage> pages;
    const QDir dir(QFileInfo(pdf).absolutePath());
    for (const QString& name :
         dir.entryList({QStringLiteral("page-*.ppm")}, QDir::Files, QDir::Name)) {
        pages << QImage(dir.filePath(name));
    }
    return pages;
}

// A print holder whose printer writes a PDF into a folder of its own, and
// prompts that answer the print dialog with a number of copies (none: the
// dialog is cancelled).
struct print_run {
    print_run(QWidget* owner, std::optional<int> copies,
              const QString& name = QStringLiteral("plan.pdf"))
        : pdf(dir.filePath(name)), holder(owner) {
        print_to_pdf(holder, pdf);
        ask.copies.push_back(copies);
    }

    QTemporaryDir dir;
    QString pdf;
    pfrom holder;
    scripted_prompts ask;
};

// The box of everything that is not paper white.
QRect inked(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() < 250 || c.green() < 250 || c.blue() < 250) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

}  // namespace

class print_test : public QObject {
    Q_OBJECT

    test_window main{QStringLiteral("集装箱Varnel软件     *version 1.03*--------Varnel文件1")};

private slots:
    void the_holder_is_a_hidden_window_with_its_picture_box() {
        pfrom holder(main.window.get());
        QCOMPARE(holder.windowTitle(), QStringLiteral("printform"));
        QVERIFY(holder.isWindow());
        QCOMPARE(holder.picture_box()->geometry(), QRect(13, 3, 736, 556));
        main.window->show();  // a shown owner shows no child window of its own accord
        scripted_prompts ask;
        print_window(holder, ask, main.window.get());
        QVERIFY(!holder.isVisible());
        main.window->hide();
    }

    void one_page_per_copy_with_the_picture_in_place_data() {
        QTest::addColumn<int>("copies");
        QTest::newRow("1 copy") << 1;
        QTest::newRow("2 copies") << 2;
        QTest::newRow("3 copies") << 3;
    }

    void one_page_per_copy_with_the_picture_in_place() {
        if (!QFileInfo(QStringLiteral(VARNEL_PDFTOPPM)).isExecutable()) {
            QSKIP("pdftoppm (poppler-utils) is needed to read the printed pages");
        }
        QFETCH(int, copies);
        print_run run(main.window.get(), copies);

        QCOMPARE(print_window(run.holder, run.ask, main.window.get()), print_outcome::printed);
        QVERIFY(run.ask.messages().isEmpty());
        const QList<QImage> pages = pages_of(run.pdf);
        QCOMPARE(pages.size(), copies);
        // Margin 72 × 144 dots, plus 100 × 200 twips; 540 × 442 pixels.
        const QRect expected(72 + 10, 144 + 20, 810, 663);
        for (const QImage& page : pages) {
            const QRect box = inked(page);
            QVERIFY2(std::abs(box.left() - expected.left()) <= 1 &&
                         std::abs(box.top() - expected.top()) <= 1 &&
                         std::abs(box.right() - expected.right()) <= 1 &&
                         std::abs(box.bottom() - expected.bottom()) <= 1,
                     qPrintable(QStringLiteral("picture at %1,%2 %3×%4")
                                    .arg(box.left())
                                    .arg(box.top())
                                    .arg(box.width())
                                    .arg(box.height())));
        }
    }

    void cancel_or_zero_copies_print_nothing_and_keep_the_capture_data() {
        QTest::addColumn<int>("copies");  // -1: the print dialog is cancelled
        QTest::newRow("cancelled") << -1;
        QTest::newRow("no copies") << 0;
    }

    void cancel_or_zero_copies_print_nothing_and_keep_the_capture() {
        QFETCH(int, copies);
        const std::optional<int> answer = copies < 0 ? std::nullopt : std::optional<int>{copies};
        print_run run(main.window.get(), answer);

        const print_outcome outcome = print_window(run.holder, run.ask, main.window.get());
        QCOMPARE(outcome, answer ? print_outcome::printed : print_outcome::cancelled);
        QVERIFY(!QFileInfo::exists(run.pdf));
        QVERIFY(run.ask.messages().isEmpty());
        QCOMPARE(run.holder.current_picture().size(), QSize(540, 442));
    }

    void a_printer_that_fails_is_reported_and_the_capture_stays() {
        print_run run(main.window.get(), 2, QStringLiteral("no such folder/plan.pdf"));

        QCOMPARE(print_window(run.holder, run.ask, main.window.get()), print_outcome::failed);
        QCOMPARE(run.ask.messages(), QStringList{QStringLiteral("打印出错，操作无法完成")});
        QCOMPARE(run.holder.current_picture().size(), QSize(540, 442));
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::print_test)
#include "print_test.moc"
