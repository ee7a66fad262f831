#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

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

    void one_page_per_copy_with_the_picture_in_place() {
        if (!QFileInfo(QStringLiteral(VARNEL_PDFTOPPM)).isExecutable()) {
            QSKIP("pdftoppm (poppler-utils) is needed to read the printed pages");
        }
        for (const int copies : {1, 2, 3}) {
            QTemporaryDir dir;
            const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
            pfrom holder(main.window.get());
            print_to_pdf(holder, pdf);
            scripted_prompts ask;
            ask.copies.push_back(copies);

            QCOMPARE(print_window(holder, ask, main.window.get()), print_outcome::printed);
            QVERIFY(ask.messages().isEmpty());
            const QList<QImage> pages = pages_of(pdf);
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
    }

    void cancel_or_zero_copies_print_nothing_and_keep_the_capture() {
        for (const std::optional<int> answer : {std::optional<int>{}, std::optional<int>{0}}) {
            QTemporaryDir dir;
            const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
            pfrom holder(main.window.get());
            print_to_pdf(holder, pdf);
            scripted_prompts ask;
            ask.copies.push_back(answer);

            const print_outcome outcome = print_window(holder, ask, main.window.get());
            QCOMPARE(outcome, answer ? print_outcome::printed : print_outcome::cancelled);
            QVERIFY(!QFileInfo::exists(pdf));
            QVERIFY(ask.messages().isEmpty());
            QCOMPARE(holder.current_picture().size(), QSize(540, 442));
        }
    }

    void a_printer_that_fails_is_reported_and_the_capture_stays() {
        QTemporaryDir dir;
        pfrom holder(main.window.get());
        print_to_pdf(holder, dir.filePath(QStringLiteral("no such folder/plan.pdf")));
        scripted_prompts ask;
        ask.copies.push_back(2);

        QCOMPARE(print_window(holder, ask, main.window.get()), print_outcome::failed);
        QCOMPARE(ask.messages(), QStringList{QStringLiteral("打印出错，操作无法完成")});
        QCOMPARE(holder.current_picture().size(), QSize(540, 442));
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::print_test)
#include "print_test.moc"
