#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

#include <numbers>

#include "view/solid_view.h"
#include "view/type_colours.h"

namespace varnel {

namespace {

constexpr int view_width = 515, view_height = 383;

// Three blocks in the worked example's container: type 甲 (60 × 40 × 30
// cm, 12.5 kg) three across, two along and two up at the far end; 乙 (no
// weight) in front of it; 甲 again beside the first, standing on its end.
solid_scene three_blocks() {
    solid_scene s;
    s.container = {2350, 5900, 2390};
    s.types = {{"甲", {600, 400, 300}, 12.5, type_colour(0)},
               {"乙", {500, 500, 500}, std::nullopt, type_colour(1)}};
    s.blocks = {{0, 0, 0, 1, 3, 2, 2, 0}, {0, 800, 0, 1, 2, 2, 2, 1}, {1800, 0, 0, 5, 1, 2, 1, 0}};
    return s;
}

int outline_pixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == QColor(255, 132, 0);
    }
    return n;
}

QPoint point_of(const solid_view& view, vec3 at) {
    const screen_point s =
        *projector(view.view_camera(), view.width(), view.height()).to_screen(at);
    return {static_cast<int>(s.x), static_cast<int>(s.y)};
}

}  // namespace

class solid_view_test : public QObject {
    Q_OBJECT

    // A view shown with a load, as the window shows it.
    std::unique_ptr<solid_view> shown_view() {
        auto view = std::make_unique<solid_view>();
        view->resize(view_width, view_height);
        view->set_scene(three_blocks());
        view->show();
        view->grab();
        return view;
    }

private slots:
    void keys_bring_back_the_fixed_views_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("keyboard");
        QTest::addColumn<int>("view");
        QTest::newRow("从箱门看") << "door_view_key" << int(Qt::Key_1) << int(fixed_view::door_end);
        QTest::newRow("俯视") << "top_view_key" << int(Qt::Key_2) << int(fixed_view::top);
        QTest::newRow("侧视") << "side_view_key" << int(Qt::Key_3) << int(fixed_view::side);
        QTest::newRow("斜视") << "three_quarter_key" << int(Qt::Key_4)
                              << int(fixed_view::three_quarter);
        QTest::newRow("复位") << "reset_view_key" << int(Qt::Key_0)
                              << int(fixed_view::three_quarter);
    }

    void keys_bring_back_the_fixed_views() {
        QFETCH(QString, key);
        QFETCH(int, keyboard);
        QFETCH(int, view);
        const auto shown = shown_view();
        const camera expected = fixed_camera(static_cast<fixed_view>(view),
                                             three_blocks().container, view_width, view_height);
        const std::map<QString, QString> captions{
            {"door_view_key", "从箱门看"}, {"top_view_key", "俯视"},   {"side_view_key", "侧视"},
            {"three_quarter_key", "斜视"}, {"reset_view_key", "复位"},
        };
        auto* button = shown->findChild<QToolButton*>(key);
        QVERIFY(button);
        QCOMPARE(button->text(), captions.at(key));
        QTest::keyClick(shown.get(), Qt::Key_Left);
        QVERIFY(!(shown->view_camera() == expected));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shown->view_camera(), expected);
        QTest::keyClick(shown.get(), Qt::Key_Up);
        QTest::keyClick(shown.get(), static_cast<Qt::Key>(keyboard));
        QCOMPARE(shown->view_camera(), expected);
    }

    void drags_the_wheel_and_the_arrows_turn_move_and_zoom() {
        const auto view = shown_view();
        const camera start = view->view_camera();
        QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(200, 200));
        QTest::mouseMove(view.get(), QPoint(260, 230));
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(260, 230));
        camera turned = view->view_camera();
        QVERIFY(turned.yaw < start.yaw);
        QVERIFY(turned.pitch > start.pitch);
        QCOMPARE(turned.distance, start.distance);
        QVERIFY(!view->picked());  // a drag is no click

        for (const auto modifiers :
             {Qt::KeyboardModifiers{}, Qt::KeyboardModifiers{Qt::ShiftModifier}}) {
            const Qt::MouseButton button = modifiers ? Qt::LeftButton : Qt::RightButton;
            const camera before = view->view_camera();
            QTest::mousePress(view.get(), button, modifiers, QPoint(200, 200));
            QTest::mouseMove(view.get(), QPoint(240, 200));
            QTest::mouseRelease(view.get(), button, modifiers, QPoint(240, 200));
            const camera moved = view->view_camera();
            QCOMPARE(moved.yaw, before.yaw);
            QVERIFY(!(moved.target == before.target));
        }

        const camera before_wheel = view->view_camera();
        QWheelEvent wheel(QPointF(200, 200), view->mapToGlobal(QPointF(200, 200)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &wheel);
        QVERIFY(view->view_camera().distance < before_wheel.distance);

        const camera before_keys = view->view_camera();
        QTest::keyClick(view.get(), Qt::Key_Right);
        QCOMPARE(view->view_camera().yaw, before_keys.yaw - 15 * std::numbers::pi / 180);
        QTest::keyClick(view.get(), Qt::Key_Down);
        QCOMPARE(view->view_camera().pitch, before_keys.pitch - 10 * std::numbers::pi / 180);
        QTest::keyClick(view.get(), Qt::Key_O);
        QCOMPARE(view->view_camera().kind, projection_kind::orthographic);
    }

    void a_click_names_the_carton_and_outlines_its_block() {
        const auto view = shown_view();
        auto* tip = view->findChild<QLabel*>("carton_tip");
        QVERIFY(tip && !tip->isVisible());
        // The left side of 甲's second row, upper layer.
        QTest::mouseClick(view.get(), Qt::LeftButton, {}, point_of(*view, {0, 600, 450}));
        QVERIFY(view->picked());
        QCOMPARE(view->picked()->block, std::size_t{0});
        QVERIFY(tip->isVisible());
        QCOMPARE(tip->text(), QString("包装箱：甲\n"
                                      "尺寸：60 × 40 × 30 cm\n"
                                      "摆放：宽边沿集装箱长度方向，高度朝上\n"
                                      "装箱步骤：第 1 步\n"
                                      "位置：距里端 40 cm，距左侧 0 cm，距箱底 30 cm\n"
                                      "单箱毛重：12.5 千克"));
        // 乙 has no weight; standing on its end, 甲 says so.
        QTest::mouseClick(view.get(), Qt::LeftButton, {}, point_of(*view, {250, 1800, 750}));
        QCOMPARE(view->picked()->block, std::size_t{1});
        QVERIFY(view->tip_text().endsWith("单箱毛重：未给出"));
        QTest::mouseClick(view.get(), Qt::LeftButton, {}, point_of(*view, {2000, 450, 600}));
        QCOMPARE(view->picked()->block, std::size_t{2});
        QVERIFY(
            view->tip_text().contains("摆放：高边沿集装箱长度方向，长度朝上\n"
                                      "装箱步骤：第 3 步\n"
                                      "位置：距里端 30 cm，距左侧 180 cm，距箱底 0 cm"));
        QVERIFY(outline_pixels(view->grab().toImage()) > 0);
        // Off the load: nothing picked, no tip, no outline.
        QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(3, view_height / 2));
        QVERIFY(!view->picked());
        QVERIFY(!tip->isVisible());
        QVERIFY(view->tip_text().isEmpty());
        QCOMPARE(outline_pixels(view->grab().toImage()), 0);
    }

    void the_step_slider_and_keys_show_the_load_up_to_a_step() {
        const auto view = shown_view();
        auto* slider = view->findChild<QSlider*>("step_slider");
        auto* label = view->findChild<QLabel*>("step_label");
        QVERIFY(slider && label);
        QCOMPARE(label->text(), QString("全部3步"));
        QSignalSpy changed(view.get(), &solid_view::step_changed);
        slider->setValue(2);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(view->step(), std::optional(2));
        QCOMPARE(label->text(), QString("第2步 / 共3步"));
        view->grab();
        const solid_raster& r = view->raster();
        bool second_shows = false;
        for (int y = 0; y < r.height(); ++y) {
            for (int x = 0; x < r.width(); ++x) {
                const auto f = r.face_at(x, y);
                QVERIFY(!f || f->box < 2);
                second_shows = second_shows || (f && f->box == 1);
            }
        }
        QVERIFY(second_shows);
        QTest::keyClick(view.get(), Qt::Key_PageUp);
        QCOMPARE(view->step(), std::optional(1));
        QTest::keyClick(view.get(), Qt::Key_PageDown);
        QTest::keyClick(view.get(), Qt::Key_PageDown);
        QTest::keyClick(view.get(), Qt::Key_PageDown);
        QCOMPARE(view->step(), std::nullopt);
        QCOMPARE(label->text(), QString("全部3步"));
        QCOMPARE(changed.count(), 5);
        // The window's own step-through asks, and is not told back.
        view->set_step(1);
        QCOMPARE(slider->value(), 1);
        QCOMPARE(changed.count(), 5);
        view->set_step(9);
        QCOMPARE(view->step(), std::optional(3));
    }

    void the_cut_away_key_and_c_show_and_hide_the_near_walls() {
        const auto view = shown_view();
        auto* key = view->findChild<QToolButton*>("cut_away_key");
        QVERIFY(key && key->isChecked());
        QCOMPARE(key->text(), QString("剖视"));
        QVERIFY(view->cut_away());
        const QImage open = view->grab().toImage();
        QTest::mouseClick(key, Qt::LeftButton);
        QVERIFY(!view->cut_away());
        QVERIFY(view->grab().toImage() != open);
        QTest::keyClick(view.get(), Qt::Key_C);
        QVERIFY(view->cut_away());
        QVERIFY(key->isChecked());
    }

    void an_empty_scene_draws_the_background_alone() {
        solid_view view;
        view.resize(200, 150);
        QCOMPARE(view.grab().size(), QSize(200, 150));
        view.set_scene({});
        view.pick_at(QPoint(100, 75));
        QVERIFY(!view.picked());
        QCOMPARE(view.grab().size(), QSize(200, 150));
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::solid_view_test)
#include "solid_view_test.moc"
