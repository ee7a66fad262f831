// "三维视图" in the main window: it lays the solid view over the wire frame and
// takes it away, shows every plan the window shows, and steps with the
// window's walk both ways.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include <chrono>
#include <set>

#include "app/kmain.h"
#include "dialogs/khunzhuang.h"
#include "tests/app/window_fixture.h"
#include "tests/support/shelf_planner.h"
#include "ui/look.h"
#include "view/solid_view.h"

using namespace varnel;
using namespace varnel::test_support;

namespace {

enum class plan_kind { standard, optimised, mixed_first, mixed_second };

// The window showing a plan of that kind: the worked example, calculated or
// optimised, or the list of three types planned by shelves of twelve, its
// first or second container.
void show_plan(window_fixture& f, plan_kind kind) {
    kmain& w = f.w();
    type_worked_example(w);
    switch (kind) {
        case plan_kind::standard: parts(w).start_button->click(); return;
        case plan_kind::optimised: part<QAction>(w, "kyouhua")->trigger(); return;
        case plan_kind::mixed_first:
        case plan_kind::mixed_second: break;
    }
    w.set_mixed_planner(
        {[](const mixed_request& r) { return shelf_plan(r, 12); }, std::chrono::seconds(60)});
    part<QAction>(w, "khunzhuang")->trigger();
    khunzhuang& list = *w.packing_list_window();
    f.prompts.file_names.push_back(QStringLiteral(VARNEL_LISTS_DIR "/list.xlsx"));
    list.import_button->click();
    list.compute_button->click();
    list.hide();
    if (kind == plan_kind::mixed_second) part<QPushButton>(w, "next_container_button")->click();
}

solid_view* solid(const kmain& w) { return w.findChild<solid_view*>(QStringLiteral("solid")); }

// The model of what the view shows, rebuilt from its scene and step.
solid_model shown_model(const solid_view& v) {
    const std::size_t steps =
        static_cast<std::size_t>(v.step().value_or(static_cast<int>(v.scene().blocks.size())));
    return build_model(v.scene(), {steps, v.step().has_value(), {}});
}

// The block the raster shows at a point of the container, if any.
std::optional<std::size_t> block_at(const solid_view& v, vec3 at) {
    const std::optional<screen_point> s =
        projector(v.view_camera(), v.raster().width(), v.raster().height()).to_screen(at);
    if (!s) return std::nullopt;
    const int x = static_cast<int>(s->x), y = static_cast<int>(s->y);
    if (x < 0 || y < 0 || x >= v.raster().width() || y >= v.raster().height()) return std::nullopt;
    const std::optional<solid_face> f = v.raster().face_at(x, y);
    if (!f) return std::nullopt;
    return shown_model(v).boxes[f->box].block;
}

void render(solid_view& v) {
    v.repaint();
    QCoreApplication::processEvents();
}

// The blocks any pixel shows.
std::set<std::size_t> blocks_shown(solid_view& v) {
    render(v);
    const solid_model m = shown_model(v);
    std::set<std::size_t> shown;
    for (int y = 0; y < v.raster().height(); ++y) {
        for (int x = 0; x < v.raster().width(); ++x) {
            if (const auto f = v.raster().face_at(x, y)) shown.insert(m.boxes[f->box].block);
        }
    }
    return shown;
}

}  // namespace

Q_DECLARE_METATYPE(plan_kind)
Q_DECLARE_METATYPE(fixed_view)

class solid_window_test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { apply_look(*qApp); }

    // The key and the menu item switch the same view; the wire frame under
    // it is untouched, and comes back as it was.
    void the_key_and_the_menu_switch_views() {
        window_fixture f;
        kmain& w = f.w();
        show_plan(f, plan_kind::standard);
        const pixel_canvas wire = parts(w).drawing->pixels();
        QVERIFY(!solid(w));
        part<QAction>(w, "kbsanwei")->trigger();
        QVERIFY(solid(w) && solid(w)->isVisible());
        QCOMPARE(solid(w)->geometry(), parts(w).drawing->rect());
        QVERIFY(part<QAction>(w, "ksanwei")->isChecked());
        QVERIFY(part<QAction>(w, "kbsanwei")->isChecked());
        QCOMPARE(part<QAction>(w, "ksanwei")->text(), q("三维视图(&D)"));
        QCOMPARE(part<QAction>(w, "kbsanwei")->toolTip(), q("三维视图"));
        part<QAction>(w, "ksanwei")->trigger();
        QVERIFY(!solid(w)->isVisible());
        QVERIFY(!part<QAction>(w, "kbsanwei")->isChecked());
        QVERIFY(same_pixels(parts(w).drawing->pixels(), wire));
    }

    // From each fixed view, the face of the load farthest towards the eye
    // shows its block in that block's colour; every kind of plan the window
    // shows is the solid view's.
    void every_plan_from_every_fixed_view_data() {
        QTest::addColumn<plan_kind>("kind");
        QTest::addColumn<fixed_view>("view");
        QTest::addColumn<std::size_t>("blocks");
        const struct {
            const char* name;
            plan_kind kind;
            std::size_t blocks;
        } plans[] = {{"standard", plan_kind::standard, 5},
                     {"optimised", plan_kind::optimised, 0},
                     {"mixed, first container", plan_kind::mixed_first, 12},
                     {"mixed, second container", plan_kind::mixed_second, 12}};
        const struct {
            const char* name;
            fixed_view view;
        } views[] = {{"door", fixed_view::door_end},
                     {"top", fixed_view::top},
                     {"side", fixed_view::side},
                     {"three-quarter", fixed_view::three_quarter}};
        for (const auto& p : plans) {
            for (const auto& v : views) {
                QTest::addRow("%s, %s", p.name, v.name) << p.kind << v.view << p.blocks;
            }
        }
    }

    void every_plan_from_every_fixed_view() {
        QFETCH(plan_kind, kind);
        QFETCH(fixed_view, view);
        QFETCH(std::size_t, blocks);
        window_fixture f;
        kmain& w = f.w();
        show_plan(f, kind);
        part<QAction>(w, "kbsanwei")->trigger();
        solid_view& v = *solid(w);
        const solid_scene& s = v.scene();
        if (blocks != 0) QCOMPARE(s.blocks.size(), blocks);
        QVERIFY(!s.blocks.empty());
        QCOMPARE(s.face_colours, kind == plan_kind::standard || kind == plan_kind::optimised);
        v.look(view);
        render(v);
        // The block reaching farthest towards the eye, and the middle of its
        // face there: nothing lies beyond that plane to hide it.
        const auto extent = [&](const carton_block& b) {
            const std::array<double, 3> e = carton_extents(s, b);
            return std::array<vec3, 2>{
                vec3{b.x, b.y, b.z},
                vec3{b.x + b.count_x * e[0], b.y + b.count_y * e[1], b.z + b.count_z * e[2]}};
        };
        std::size_t best = 0;
        double reach = 0;
        for (std::size_t i = 0; i < s.blocks.size(); ++i) {
            const auto [lo, hi] = extent(s.blocks[i]);
            const double r = view == fixed_view::door_end ? hi.y
                             : view == fixed_view::side   ? -lo.x
                                                          : hi.z;
            if (i == 0 || r > reach) {
                best = i;
                reach = r;
            }
        }
        const auto [lo, hi] = extent(s.blocks[best]);
        vec3 at = 0.5 * (lo + hi);
        if (view == fixed_view::door_end) at.y = hi.y;
        if (view == fixed_view::side) at.x = lo.x;
        if (view == fixed_view::top || view == fixed_view::three_quarter) at.z = hi.z;
        QCOMPARE(block_at(v, at), std::optional(best));
        if (!s.face_colours) {
            // A type's colour, lightened and lit, keeps its hue.
            const std::optional<screen_point> p =
                projector(v.view_camera(), v.raster().width(), v.raster().height()).to_screen(at);
            const rgb shown = v.raster().pixel(static_cast<int>(p->x), static_cast<int>(p->y));
            const rgb type = s.types[s.blocks[best].type].colour;
            const double hue = QColor(shown.red, shown.green, shown.blue).hsvHueF();
            const double d = std::fabs(hue - QColor(type.red, type.green, type.blue).hsvHueF());
            QVERIFY2(std::min(d, 1 - d) < 0.03, qPrintable(QString::number(d)));
        }
    }

    // The draw button, the step bar and the solid view's own keys move one
    // walk: what one shows the other shows, later blocks hidden.
    void the_walk_steps_both_views_data() {
        QTest::addColumn<plan_kind>("kind");
        QTest::addColumn<int>("n");
        QTest::newRow("standard, by stacks") << plan_kind::standard << 5;
        QTest::newRow("mixed, in loading order") << plan_kind::mixed_first << 12;
    }

    void the_walk_steps_both_views() {
        QFETCH(plan_kind, kind);
        QFETCH(int, n);
        window_fixture f;
        kmain& w = f.w();
        show_plan(f, kind);
        part<QAction>(w, "kbsanwei")->trigger();
        solid_view& v = *solid(w);
        QCOMPARE(v.step(), std::nullopt);
        QCOMPARE(v.scene().blocks.size(), static_cast<std::size_t>(n));
        parts(w).draw_button->click();
        parts(w).draw_button->click();
        QCOMPARE(v.step(), std::optional(2));
        QCOMPARE(parts(w).stack_text->text(), q("显示第2堆包装箱"));
        QCOMPARE(blocks_shown(v), (std::set<std::size_t>{0, 1}));
        // The solid view's step back: the window's walk shows the first one.
        QTest::keyClick(&v, Qt::Key_PageUp);
        QCOMPARE(v.step(), std::optional(1));
        QCOMPARE(parts(w).stack_text->text(), q("显示前1堆包装箱"));
        QCOMPARE(blocks_shown(v), (std::set<std::size_t>{0}));
        // Its slider jumps, and the draw button goes on from there.
        v.findChild<QSlider*>(QStringLiteral("step_slider"))->setValue(n - 1);
        QCOMPARE(parts(w).stack_text->text(), q("显示前%1堆包装箱").arg(n - 1));
        QVERIFY(!blocks_shown(v).contains(static_cast<std::size_t>(n - 1)));
        parts(w).draw_button->click();
        QCOMPARE(v.step(), std::optional(n));
        QVERIFY(blocks_shown(v).contains(static_cast<std::size_t>(n - 1)));
        // The whole load there is the walk's last view here.
        QTest::keyClick(&v, Qt::Key_End);
        QCOMPARE(v.step(), std::nullopt);
        QCOMPARE(parts(w).stack_text->text(), q("显示前%1堆包装箱").arg(n));
        if (kind != plan_kind::mixed_first) return;
        // Another container: its own blocks, the whole load.
        part<QPushButton>(w, "next_container_button")->click();
        QCOMPARE(v.step(), std::nullopt);
        QCOMPARE(v.scene().blocks.size(), std::size_t{12});
        // Back in the wire frame, the walk is where the solid view left it.
        QTest::keyClick(&v, Qt::Key_PageUp);
        part<QAction>(w, "kbsanwei")->trigger();
        QCOMPARE(parts(w).stack_text->text(), q("显示前12堆包装箱"));
    }
};

QTEST_MAIN(solid_window_test)
#include "solid_window_test.moc"
