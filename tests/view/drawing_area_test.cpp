#include <QLabel>
#include <QtTest>

#include "view/drawing_area.h"
#include "view/stack_drawing.h"

namespace varnel {

class drawing_area_test : public QObject {
    Q_OBJECT

    const QColor background{212, 208, 200};
    const QColor red{255, 9, 14};
    const QColor green{0, 166, 13};
    const QColor blue{0, 86, 188};

private slots:
    void shows_the_empty_container_and_the_legend() {
        drawing_area area;
        const QImage image = area.grab().toImage();
        QCOMPARE(image.size(), QSize(515, 383));
        const struct {
            int x, y;
            QColor colour;
        } pixels[] = {
            {5, 5, background}, {90, 173, red},  // near face, top edge
            {23, 250, red},                      // near face, left edge
            {400, 44, green},                    // top face, far edge
            {464, 120, blue},                    // right face, far vertical edge
            {419, 312, red},                     // legend, front face
            {470, 295, green},                   // legend, far top edge
            {490, 306, blue},                    // legend, far vertical edge
        };
        for (const auto& p : pixels) {
            QVERIFY2(image.pixelColor(p.x, p.y) == p.colour,
                     qPrintable(QString("at %1, %2").arg(p.x).arg(p.y)));
        }
    }

    void keeps_what_is_drawn_until_cleared() {
        drawing_area area;
        area.draw_line(1500, 5400, 3000, 5400, rgb{0, 0, 0});  // y = 360 px
        QCOMPARE(area.grab().toImage().pixelColor(150, 360), QColor(Qt::black));
        area.clear_drawing();
        const QImage image = area.grab().toImage();
        QCOMPARE(image.pixelColor(150, 360), background);
        QCOMPARE(image.pixelColor(90, 173), red);  // the outline is the background
    }

    void survives_dense_stacks_reaching_far_off_screen() {
        stack_table table;
        table.fill({0, 0.01f, 1e30f, 0.5f, 0, 5000, 2500, 350, 2600, 32767, 32767, 32767, 1, 1, 0});
        drawing_area area;
        QCOMPARE(draw_first_stacks(area, table, 31), draw_status::ok);
        QCOMPARE(area.grab().size(), QSize(515, 383));
    }

    void result_texts_show_over_the_drawing() {
        drawing_area area;
        auto* label = new QLabel(&area);
        label->setGeometry(10, 12, 128, 16);
        label->setStyleSheet("background: rgb(255, 255, 0)");
        QCOMPARE(area.grab().toImage().pixelColor(20, 20), QColor(255, 255, 0));
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::drawing_area_test)
#include "drawing_area_test.moc"
