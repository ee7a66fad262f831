#include <QApplication>
#include <QtTest>

#include <algorithm>

#include "ui/look.h"
#include "ui/selection_list.h"

namespace varnel {

class selection_list_test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { apply_look(*qApp); }

    void the_face_is_flat_in_the_lists_colour_data() {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("focused");
        QTest::newRow("light grey") << QColor(224, 224, 224) << false;
        QTest::newRow("darker grey") << QColor(128, 128, 128) << false;
        QTest::newRow("darker grey, focused") << QColor(128, 128, 128) << true;
    }

    // Every pixel of the face between the frame, the text and the arrow is
    // the colour itself, top to bottom; the text stays dark on it.
    void the_face_is_flat_in_the_lists_colour() {
        QFETCH(QColor, colour);
        QFETCH(bool, focused);
        QWidget window;
        selection_list list(&window);
        list.setGeometry(10, 10, 142, 20);
        list.addItems({QStringLiteral("40尺柜"), QStringLiteral("20尺柜")});
        list.set_background(colour);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (focused) {
            QApplication::setActiveWindow(&window);
            list.setFocus();
        }
        const QImage face = list.grab().toImage();
        for (int y = 2; y < face.height() - 2; ++y) {
            for (int x : {90, 110}) QCOMPARE(face.pixelColor(x, y), colour);
        }
        int darkest = 255;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 2; x < 50; ++x) darkest = std::min(darkest, qGray(face.pixel(x, y)));
        }
        QVERIFY2(darkest < 40, qPrintable(QString::number(darkest)));
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::selection_list_test)
#include "selection_list_test.moc"
