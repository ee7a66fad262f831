// The pallet's result dialog shows the whole loaded pallet in the solid view
// behind "三维视图", and the layers' drawings again when it is pressed again.
#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include <set>

#include "app/pallet_solid.h"
#include "dialogs/ktuopanjieguo.h"
#include "engine/core/placement.h"
#include "view/solid_view.h"

using namespace varnel;

namespace {

const pallet_measures euro{1200, 800, 144, 25, 1500, 1000};

pallet_plan planned(double length, double width, double height) {
    const auto result =
        plan_pallet({.pallet = euro, .carton = {length, width, height}, .carton_weight = 12.0});
    return std::get<pallet_plan>(result);
}

}  // namespace

class pallet_solid_test : public QObject {
    Q_OBJECT
private slots:
    void the_button_swaps_the_layers_for_the_solid_view_data() {
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("columns of 4 x 2") << 400.0 << 300.0 << 250.0;
        QTest::newRow("top layer part full by weight") << 400.0 << 150.0 << 200.0;
    }
    void the_button_swaps_the_layers_for_the_solid_view() {
        QFETCH(double, length);
        QFETCH(double, width);
        QFETCH(double, height);
        const pallet_plan plan = planned(length, width, height);
        ktuopanjieguo r(plan, euro, QStringLiteral("欧标托盘"));
        add_pallet_solid(r, plan, euro, QStringLiteral("欧标托盘"));
        r.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r));
        QCOMPARE(r.solid_button->text(), QStringLiteral("三维视图"));
        QVERIFY(!r.solid->isVisible());
        QVERIFY(r.layer_drawings.front()->isVisible());

        r.solid_button->click();
        QVERIFY(r.solid->isVisible());
        const auto* view = qobject_cast<solid_view*>(r.solid);
        QVERIFY(view);
        // The deck under every carton of the plan, each standing on it or
        // on cartons, all within the loaded pallet's outer size.
        const solid_scene& s = view->scene();
        QCOMPARE(s.blocks.size(), plan.blocks.size() + 1);
        QCOMPARE(carton_count(s.blocks), plan.cartons + 1);
        const carton_rules rules[] = {
            single_carton(length, width, height, orientation_set::upright()),
            single_carton(euro.width, euro.length, euro.height, orientation_set::upright())};
        QVERIFY(check_placement(s.blocks, rules,
                                {{s.container.x, s.container.y, s.container.z}, std::nullopt})
                    .valid());
        QCOMPARE(s.container.z, plan.size[2]);
        const QImage picture = r.grab().toImage();
        if (const QByteArray dir = qgetenv("VARNEL_PICTURES"); !dir.isEmpty())
            picture.save(QString::fromUtf8(dir) +
                         QStringLiteral("/pallet_solid_%1.png").arg(QTest::currentDataTag()));
        // The picture shows both the deck (block 0) and cartons.
        const solid_model model = build_model(s, {s.blocks.size(), false, {}});
        std::set<bool> deck_or_carton;
        for (int y = 0; y < view->raster().height(); ++y)
            for (int x = 0; x < view->raster().width(); ++x)
                if (const auto f = view->raster().face_at(x, y))
                    deck_or_carton.insert(model.boxes[f->box].block == 0);
        QCOMPARE(deck_or_carton.size(), 2u);

        r.solid_button->click();
        QVERIFY(!r.solid->isVisible());
        QVERIFY(r.layer_drawings.front()->isVisible());
    }
};

QTEST_MAIN(pallet_solid_test)
#include "pallet_solid_test.moc"
