#include <QtTest>

#include "output/capture.h"
#include "tests/output/test_window.h"

namespace varnel {

namespace {

// How many pixels of `part` differ from `whole` seen from `offset`.
int differing_pixels(const QImage& whole, QPoint offset, const QImage& part) {
    int differ = 0;
    for (int y = 0; y < part.height(); ++y) {
        for (int x = 0; x < part.width(); ++x) {
            if ((whole.pixel(offset.x() + x, offset.y() + y) & 0xffffff) !=
                (part.pixel(x, y) & 0xffffff)) {
                ++differ;
            }
        }
    }
    return differ;
}

}  // namespace

class capture_test : public QObject {
    Q_OBJECT

private slots:
    void whole_window_is_the_window_under_a_title_strip() {
        test_window main(QStringLiteral("集装箱Varnel软件     *version 1.03*--------Varnel文件1"));
        const picture captured = CaptureActiveWindow(main.window.get());

        QCOMPARE(captured.size(), QSize(540, 420 + 22));
        QVERIFY(captured.bitmap.format() == QImage::Format_RGB32);
        const QImage area = main.area->grab().toImage();
        QCOMPARE(
            differing_pixels(captured.bitmap, test_window::area_position + QPoint(0, 22), area), 0);
        // The strip is the caption's dark blue at its left end.
        QCOMPARE(captured.bitmap.pixelColor(1, 1), QColor(10, 36, 106));
    }

    void title_strip_carries_the_title() {
        test_window first(QStringLiteral("集装箱Varnel软件     *version 1.03*--------方案A"));
        test_window second(QStringLiteral("集装箱Varnel软件     *version 1.03*--------方案B"));
        const QImage a = CaptureWindow(first.window.get(), false, 0, 0, 540, 22).bitmap;
        const QImage b = CaptureWindow(second.window.get(), false, 0, 0, 540, 22).bitmap;
        QVERIFY(differing_pixels(a, {}, b) > 0);
        // White title text lies on the strip.
        bool white = false;
        for (int x = 0; x < a.width() && !white; ++x) {
            for (int y = 0; y < a.height() && !white; ++y) white = a.pixelColor(x, y) == Qt::white;
        }
        QVERIFY(white);
    }

    void an_area_of_the_window_data() {
        QTest::addColumn<bool>("client");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QPoint>("area_in_picture");  // where the drawing area's corner lands
        QTest::newRow("the drawing area") << true << QRect(12, 30, 515, 383) << QPoint(0, 0);
        QTest::newRow("around the drawing area") << true << QRect(0, 0, 540, 420) << QPoint(12, 30);
        QTest::newRow("across its corner") << true << QRect(10, 20, 520, 395) << QPoint(2, 10);
        QTest::newRow("the whole window's drawing area")
            << false << QRect(12, 52, 515, 383) << QPoint(0, 0);
    }

    void an_area_of_the_window() {
        QFETCH(bool, client);
        QFETCH(QRect, area);
        QFETCH(QPoint, area_in_picture);
        test_window main(QStringLiteral("Varnel"));
        const QImage drawn = main.area->grab().toImage();
        const picture captured = CaptureWindow(main.window.get(), client, area.x(), area.y(),
                                               area.width(), area.height());
        QCOMPARE(captured.size(), area.size());
        QCOMPARE(differing_pixels(captured.bitmap, area_in_picture, drawn), 0);
    }

    void nothing_to_capture_gives_an_empty_picture() {
        test_window main(QStringLiteral("Varnel"));
        QVERIFY(CaptureWindow(nullptr, true, 0, 0, 10, 10).empty());
        QVERIFY(CaptureWindow(main.window.get(), true, 0, 0, 0, 10).empty());
        QVERIFY(CaptureActiveWindow(nullptr).empty());
    }

    void the_window_in_front_is_captured() {
        test_window main(QStringLiteral("Varnel"));
        QWidget front;
        front.setWindowTitle(QStringLiteral("计算说明"));
        front.setFixedSize(353, 248);
        front.show();
        front.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&front));
        QCOMPARE(CaptureActiveWindow(main.window.get()).size(), QSize(353, 248 + 22));
        front.hide();
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::capture_test)
#include "capture_test.moc"
