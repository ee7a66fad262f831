#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtTest>

#include <memory>

#include "ui/deferred_icon.h"
#include "ui/program_style.h"

namespace varnel {

class program_style_test : public QObject {
    Q_OBJECT

private slots:
    void pictures_are_fusions_own_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("right_to_left");
        QTest::newRow("tool bar overflow")
            << int{QStyle::SP_ToolBarHorizontalExtensionButton} << false;
        QTest::newRow("tool bar overflow, right to left")
            << int{QStyle::SP_ToolBarHorizontalExtensionButton} << true;
        QTest::newRow("upright tool bar overflow")
            << int{QStyle::SP_ToolBarVerticalExtensionButton} << false;
        QTest::newRow("message box warning") << int{QStyle::SP_MessageBoxWarning} << false;
    }

    // The overflow pictures, read late, are Fusion's to the pixel, at every
    // size and in either direction; the other pictures are Fusion's as well.
    void pictures_are_fusions_own() {
        QFETCH(int, which);
        QFETCH(bool, right_to_left);
        const auto pixmap = static_cast<QStyle::StandardPixmap>(which);
        QStyleOption option;
        option.direction = right_to_left ? Qt::RightToLeft : Qt::LeftToRight;
        program_style ours;
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        const QIcon expected = fusion->standardIcon(pixmap, &option);
        const QIcon icon = ours.standardIcon(pixmap, &option);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), expected.availableSizes());
        for (const int size : {12, 16, 32}) {
            QCOMPARE(icon.actualSize(QSize(size, size)), expected.actualSize(QSize(size, size)));
            QCOMPARE(icon.pixmap(size).toImage(), expected.pixmap(size).toImage());
        }
    }

    void a_deferred_icon_is_made_once_when_first_needed() {
        int made = 0;
        const QIcon icon = deferred_icon([&made] {
            ++made;
            QPixmap red(8, 8);
            red.fill(Qt::red);
            return QIcon(red);
        });
        QCOMPARE(made, 0);
        QCOMPARE(icon.pixmap(8).toImage().pixelColor(4, 4), QColor(Qt::red));
        QCOMPARE(icon.actualSize(QSize(8, 8)), QSize(8, 8));
        QCOMPARE(made, 1);
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::program_style_test)
#include "program_style_test.moc"
