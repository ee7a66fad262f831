// Renders the help page's pictures from the program's own windows and view
// code, offscreen: make-help-pictures FOLDER CATALOGUE_FOLDER (the main window
// starts on the catalogue found in CATALOGUE_FOLDER).
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFutureWatcher>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "app/kmain.h"
#include "app/startup.h"
#include "dialogs/khunzhuang.h"
#include "dialogs/kzhuangyun.h"
#include "dialogs/packing_table.h"
#include "engine/calculation.h"
#include "help/about_picture.h"
#include "help/about_window.h"
#include "help/explanation_window.h"
#include "output/capture.h"
#include "ui/look.h"
#include "ui/prompts.h"
#include "ui/qt_prompts.h"
#include "view/drawing_area.h"
#include "view/projection.h"
#include "view/stack_drawing.h"
#include "view/step_view.h"

namespace varnel {
namespace {

// The worked example: a 590 × 235 × 239 cm container, 60 × 85 × 40 cm cartons.
load_model worked_example(bool single, bool side_allowed) {
    load_model model;
    run_calculation(model, calculation_input{600, 850, 400, 2350, 5900, 2390}, single,
                    side_allowed);
    return model;
}

// The drawing area as a calculation leaves it: the stacks, and the outline
// over them unless single placement is ticked.
QImage drawing(bool single, bool side_allowed) {
    const load_model model = worked_example(single, side_allowed);
    drawing_area area;
    draw_first_stacks(area, model.draw_stacks, stack_count(model.draw_stacks));
    if (!single) draw_standard_outline(area);
    return area.grab().toImage();
}

QImage legend() { return drawing(false, true).copy(drawing_area::legend_rect); }

class ignored_text final : public stack_text_target {
    void set_stack_text(const std::string&) override {}
};

// Press `presses` of the draw button after a calculation.
QImage step(int presses) {
    const load_model model = worked_example(false, true);
    drawing_area area;
    ignored_text text;
    step_through steps(area, text);
    for (int i = 0; i < presses; ++i) steps.step_view(model.draw_stacks);
    return area.grab().toImage();
}

// The pictures show windows nobody answers: an exchange means the build's
// catalogue or window went wrong, so it is written to the build log and gets
// the cautious answer.
class unattended_prompts final : public prompts {
public:
    void message(const QString& text) override { report(text); }
    bool question(const QString& text) override {
        report(text);
        return false;
    }
    QString open_file_name(const QString&, const QString&) override { return {}; }
    save_choice save_file_name(const QString&, const QString&) override { return {}; }
    std::optional<int> print_dialog(QPrinter&) override { return std::nullopt; }
    bool progress(const QString&, const QString&, QFutureWatcherBase& work) override {
        work.waitForFinished();
        return false;
    }
    bool open_url(const QUrl&) override { return false; }

private:
    static void report(const QString& text) {
        std::fprintf(stderr, "make-help-pictures: %s\n", qPrintable(text));
    }
};

template <class Window>
QImage whole_window(Window& window) {
    return CaptureWindow(&window, false, 0, 0, window.width(), window.height() + title_strip_height)
        .bitmap;
}

QImage explanation_window() {
    kjisuanshouming window;
    return whole_window(window);
}

QImage about_window() {
    qt_prompts never_asked;
    aboutus window(never_asked);
    return whole_window(window);
}

// The main window as a user sees it after `act`, on a scratch copy of the
// delivered catalogue; or the packing list window `act` opened.
QImage main_window(const QString& catalogue_folder, const std::function<void(kmain&)>& act,
                   bool packing_list = false) {
    QTemporaryDir scratch;
    QFile::copy(QDir(catalogue_folder).filePath(QString::fromUtf8(catalogue_file_name)),
                scratch.filePath(QString::fromUtf8(catalogue_file_name)));
    unattended_prompts never_asked;
    started_program program = start_program(scratch.path(), never_asked, [](int) {});
    if (!program.window) return {};
    kmain& w = *program.window;
    w.show();
    act(w);
    QApplication::processEvents();
    if (packing_list && w.packing_list_window()) return whole_window(*w.packing_list_window());
    return whole_window(w);
}

// The help page's mixed order: television sets, upright refrigerators that
// carry nothing, and microwave ovens, planned into 40尺柜; the second of the
// containers it takes is shown.
void plan_mixed_order(kmain& w) {
    if (QAction* item = w.findChild<QAction*>(QStringLiteral("khunzhuang"))) item->trigger();
    khunzhuang* list = w.packing_list_window();
    if (!list) return;
    const char* rows[][6] = {{"电视机", "120", "80", "30", "300", "25"},
                             {"冰箱", "70", "60", "180", "40", "60"},
                             {"微波炉", "50", "40", "35", "400", "12.5"}};
    for (int r = 0; r < 3; ++r) {
        if (r > 0) list->add_row_button->click();
        for (int c = 0; c < 6; ++c)
            list->list_table->item(r, c)->setText(QString::fromUtf8(rows[r][c]));
    }
    list->list_table->vertical_choice(1)->setCurrentIndex(1);
    list->list_table->item(1, 7)->setCheckState(Qt::Unchecked);
    list->compute_button->click();
    if (auto* next = w.findChild<QPushButton*>(QStringLiteral("next_container_button"))) {
        if (next->isEnabled()) next->click();
    }
}

void worked_example_sizes(kmain& w) {
    w.set_manual_container_size(QStringLiteral("590"), QStringLiteral("235"),
                                QStringLiteral("239"));
    w.set_carton_size(QStringLiteral("60"), QStringLiteral("85"), QStringLiteral("40"));
}

// The shipment of the help page: 5000 cartons of 60 × 40 × 30 cm, 18 kg
// each, in 40尺柜 (which start-up chooses), worked out.
void type_order(kzhuangyun& dialog) {
    dialog.quantity_field->setText(QStringLiteral("5000"));
    dialog.carton_weight_field->setText(QStringLiteral("18"));
    dialog.work_out();
}

QImage shipment_dialog() {
    unattended_prompts never_asked;
    kzhuangyun dialog(never_asked, 700, 26730);
    type_order(dialog);
    return whole_window(dialog);
}

// The window after the shipment dialog drew the order's last container.
void draw_last_container(kmain& w) {
    w.set_carton_size(QStringLiteral("60"), QStringLiteral("40"), QStringLiteral("30"));
    w.start_calculation();
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<kzhuangyun*>(QApplication::activeModalWidget())) {
            type_order(*dialog);
            dialog->draw_last_button->click();
        }
    });
    if (QAction* item = w.findChild<QAction*>(QStringLiteral("kzhuangyun"))) item->trigger();
}

struct picture_maker {
    QString file;
    std::function<QImage()> make;
};

std::vector<picture_maker> pictures(const QString& catalogue_folder) {
    std::vector<picture_maker> all{
        {QStringLiteral("about.png"), [] { return about_picture(); }},
        {QStringLiteral("drawing.png"), [] { return drawing(false, true); }},
        {QStringLiteral("single.png"), [] { return drawing(true, true); }},
        {QStringLiteral("upright.png"), [] { return drawing(false, false); }},
        {QStringLiteral("legend.png"), legend},
        {QStringLiteral("explanation-window.png"), explanation_window},
        {QStringLiteral("about-window.png"), about_window},
        {QStringLiteral("main-window.png"),
         [catalogue_folder] {
             return main_window(catalogue_folder, [](kmain& w) {
                 worked_example_sizes(w);
                 w.start_calculation();
             });
         }},
        {QStringLiteral("optimised-window.png"),
         [catalogue_folder] {
             return main_window(catalogue_folder, [](kmain& w) {
                 worked_example_sizes(w);
                 w.optimise_calculation();
             });
         }},
        {QStringLiteral("shipment-dialog.png"), shipment_dialog},
        {QStringLiteral("mixed-list.png"),
         [catalogue_folder] { return main_window(catalogue_folder, plan_mixed_order, true); }},
        {QStringLiteral("mixed-window.png"),
         [catalogue_folder] { return main_window(catalogue_folder, plan_mixed_order); }},
        {QStringLiteral("last-container.png"),
         [catalogue_folder] { return main_window(catalogue_folder, draw_last_container); }},
    };
    // The draw button's ten presses for the worked example's five stacks.
    for (int press = 1; press <= 10; ++press) {
        all.push_back({QStringLiteral("step-%1.png").arg(press, 2, 10, QLatin1Char('0')),
                       [press] { return step(press); }});
    }
    return all;
}

}  // namespace
}  // namespace varnel

int main(int argc, char** argv) {
    // A build step: never needs a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: make-help-pictures FOLDER CATALOGUE_FOLDER\n", stderr);
        return 2;
    }
    varnel::apply_look(app);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) return 1;
    const QString catalogue_folder = QString::fromLocal8Bit(argv[2]);
    for (const auto& picture : varnel::pictures(catalogue_folder)) {
        if (!picture.make().save(folder.filePath(picture.file))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder.filePath(picture.file)));
            return 1;
        }
    }
    return 0;
}
