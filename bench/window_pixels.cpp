// The main window as start-up leaves it, and in the states its tool bar,
// menus and result texts take later, rendered to PNG files, so a change to
// start-up can be checked to leave every pixel as it was:
//   window_pixels CATALOGUE_FOLDER OUT_FOLDER [REFERENCE_FOLDER]
// With a reference folder each picture is compared with the one of the same
// name there; the exit status is 1 when any pixel differs.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

#include "app/kmain.h"
#include "app/pictures.h"
#include "app/startup.h"
#include "dialogs/khunzhuang.h"
#include "dialogs/packing_table.h"
#include "output/capture.h"
#include "tests/support/shelf_planner.h"
#include "ui/look.h"
#include "ui/qt_prompts.h"
#include "ui/translation.h"

namespace {

// How many pixels differ; a different size counts every pixel.
qsizetype differing_pixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return qsizetype{a.width()} * a.height() + 1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    qsizetype differ = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            if (x.pixel(col, row) != y.pixel(col, row)) ++differ;
        }
    }
    return differ;
}

template <class T>
T* part(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("the main window has no %s", name);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) return 2;
    varnel::apply_look(app);
    varnel::install_qt_chinese(app);
    app.setWindowIcon(varnel::application_icon());
    varnel::qt_prompts prompts;
    varnel::started_program program =
        varnel::start_program(QString::fromLocal8Bit(argv[1]), prompts, [](int) {});
    if (!program.window) return program.status;
    varnel::kmain& window = *program.window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 3;

    std::vector<std::pair<QString, QImage>> pictures;
    auto take = [&](const char* name, QWidget& widget) {
        QApplication::processEvents();
        pictures.emplace_back(QString::fromLatin1(name), widget.grab().toImage());
    };
    take("window", window);

    // Every menu as it drops down.
    for (QAction* menu_action : window.menuBar()->actions()) {
        QMenu* menu = menu_action->menu();
        if (!menu) continue;
        menu->popup(window.mapToGlobal(QPoint(0, 0)));
        QApplication::processEvents();
        pictures.emplace_back(QStringLiteral("menu_") + menu->objectName(), menu->grab().toImage());
        menu->hide();
    }

    // A tool-bar key held down, and one under the mouse.
    auto* toolbar = part<QToolBar>(window, "toolbar");
    auto* key = qobject_cast<QToolButton*>(toolbar->widgetForAction(toolbar->actions().value(1)));
    if (key) {
        key->setDown(true);
        take("toolbar_key_down", *toolbar);
        key->setDown(false);
        // The mouse over a key raises it.
        key->setAttribute(Qt::WA_UnderMouse, true);
        take("toolbar_key_hovered", *toolbar);
        key->setAttribute(Qt::WA_UnderMouse, false);
    }

    // A plan shown: the result texts, the stack text among them.
    part<QLineEdit>(window, "carton_length")->setText(QStringLiteral("60"));
    part<QLineEdit>(window, "carton_width")->setText(QStringLiteral("85"));
    part<QLineEdit>(window, "carton_height")->setText(QStringLiteral("40"));
    part<QPushButton>(window, "start_button")->click();
    take("window_plan", window);
    // The window as printed: under a title strip with the program's icon.
    pictures.emplace_back(QStringLiteral("printed_window"),
                          varnel::CaptureActiveWindow(&window).bitmap);
    part<QPushButton>(window, "draw_button")->click();
    take("window_first_stack", window);

    // A mixed load: the packing list window, a container in its types'
    // colours with the legend and the container keys, and a step of it.
    window.set_mixed_planner(
        {[](const varnel::mixed_request& r) { return varnel::test_support::shelf_plan(r, 40); },
         std::chrono::seconds(60)});
    part<QAction>(window, "khunzhuang")->trigger();
    varnel::khunzhuang& list = *window.packing_list_window();
    const char* rows[][6] = {{"电视机", "120", "80", "30", "30", "25"},
                             {"冰箱", "70", "60", "180", "8", "60"},
                             {"微波炉", "50", "40", "35", "20", "12.5"}};
    for (int r = 0; r < 3; ++r) {
        if (r > 0) list.add_row_button->click();
        for (int c = 0; c < 6; ++c) {
            list.list_table->item(r, c)->setText(QString::fromUtf8(rows[r][c]));
        }
    }
    list.list_table->vertical_choice(1)->setCurrentIndex(1);
    list.compute_button->click();
    take("mixed_list", list);
    take("window_mixed", window);
    part<QPushButton>(window, "next_container_button")->click();
    take("window_mixed_second", window);
    part<QPushButton>(window, "draw_button")->click();
    part<QPushButton>(window, "draw_button")->click();
    take("window_mixed_step", window);
    // A weight left blank: the results say what is known of the cargo.
    list.list_table->item(1, 5)->setText(QString());
    list.compute_button->click();
    take("mixed_list_unweighed", list);
    take("window_mixed_unweighed", window);

    const QDir out(QString::fromLocal8Bit(argv[2]));
    int status = 0;
    for (const auto& [name, image] : pictures) {
        const QString file = name + QStringLiteral(".png");
        if (!image.save(out.filePath(file))) return 4;
        if (argc == 4) {
            const QImage reference(QDir(QString::fromLocal8Bit(argv[3])).filePath(file));
            const qsizetype differ = differing_pixels(image, reference);
            std::printf("%-28s %lld differing pixels\n", qPrintable(file),
                        static_cast<long long>(differ));
            if (differ != 0) status = 1;
        }
    }
    return status;
}
