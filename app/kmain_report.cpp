// The loading instructions of the plan shown: exported as a PDF or a
// spreadsheet, printed, and the step bar that walks a long plan.
#include <QAction>
#include <QDate>
#include <QFileInfo>
#include <QPrinter>

#include <algorithm>

#include "app/kmain.h"
#include "app/messages.h"
#include "catalogue/catalogue_store.h"
#include "dialogs/file_save.h"
#include "engine/block_tables.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "output/messages.h"
#include "output/pfrom.h"
#include "plan/messages.h"
#include "plan/plan_file.h"
#include "report/messages.h"
#include "report/report_file.h"
#include "ui/prompts.h"
#include "ui/qtext.h"
#include "ui/selection_list.h"
#include "ui/step_bar.h"
#include "view/drawing_area.h"

namespace varnel {

// The catalogue's names of the container and the carton the tables hold,
// looked up now: the lists may have changed since the plan was made.
catalogue_names kmain::shown_names() const {
    const stack_record& whole = plan_.tables().stacks[0];
    catalogue_names names;
    if (const std::optional<container_type> container = plan_container(plan_.tables())) {
        names.container = container->name.toStdString();
        if (container->payload_kg() > 0) names.payload = container->payload_kg();
    }
    const auto listed = store_.find_carton(carton_list->currentText());
    if (listed.ok() && listed.value &&
        size_text_cm(listed.value->length) == size_text_cm(whole.box_length) &&
        size_text_cm(listed.value->width) == size_text_cm(whole.box_width) &&
        size_text_cm(listed.value->height) == size_text_cm(whole.box_height)) {
        names.carton = listed.value->name.toStdString();
    }
    return names;
}

void kmain::walk_plan(plan_walk move, int k) {
    const std::optional<block_list> parts = plan_.walked_parts();
    const load_model& tables = plan_.tables();
    if (!parts) {
        if (move == plan_walk::forward) steps_->step_view(tables.draw_stacks);
        if (move == plan_walk::back) steps_->step_back(tables.draw_stacks);
        if (move == plan_walk::jump) steps_->show_first(tables.draw_stacks, k);
    } else {
        const stack_record& whole = tables.stacks[0];
        const std::array<double, 3> carton{whole.box_length, whole.box_width, whole.box_height};
        const typed_load load{
            *parts, std::span(&carton, 1), {whole.space_x, whole.space_y, whole.space_z}};
        if (move == plan_walk::forward) steps_->step_view(load);
        if (move == plan_walk::back) steps_->step_back(load);
        if (move == plan_walk::jump) steps_->show_first(load, k);
    }
    update_report_commands();
}

loading_report kmain::shown_report() const {
    loading_report r = plan_.view(plan_.mixed() ? catalogue_names{} : shown_names()).report;
    r.plan_name = QFileInfo(plan_label()).fileName().toStdString();
    r.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    return r;
}

void kmain::export_report() {
    if (!plan_.reportable()) {
        prompts_.message(qtext(text::no_result));
        return;
    }
    const QString suggested = QFileInfo(plan_label()).completeBaseName() + QStringLiteral(".pdf");
    // A name without a suffix takes the chosen filter's; the kind written is
    // the suffix's.
    const QString path =
        name_to_save(prompts_.save_file_name(qtext(text::report_filter), suggested));
    if (path.isEmpty()) return;
    const QFileInfo target(path);
    if (target.exists() && !target.isDir() && !prompts_.question(qtext(text::overwrite_question))) {
        return;
    }
    const std::optional<QByteArray> bytes = report_file(shown_report(), path, paper_size::a4);
    if (!bytes ||
        save_file_atomically(
            path, std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())))) {
        prompts_.message(qtext(text::file_save_error));
    }
}

// The paper is the printer's, as the user chose it in the print dialog.
void kmain::print_report() {
    if (!plan_.reportable()) {
        prompts_.message(qtext(text::no_result));
        return;
    }
    QPrinter& printer = holder_->printer();
    const std::optional<int> chosen = prompts_.print_dialog(printer);
    if (!chosen) return;
    // As the window's print: each copy printed in full, the printer asked
    // for one, so a driver cannot multiply them again.
    const int copies = std::clamp(*chosen, 0, 32767);
    printer.setCopyCount(1);
    if (copies == 0) return;
    if (!paint_report(printer, shown_report(), copies)) {
        prompts_.message(qtext(text::print_failed));
    }
}

void kmain::build_step_bar() {
    step_bar_ = new step_bar(drawing);
    step_bar_->setObjectName(QStringLiteral("step_bar"));
    step_bar_->move(10, drawing_area::area_height - step_bar::bar_size.height() - 8);
    step_bar_->hide();
    connect(step_bar_, &step_bar::back, this, [this] {
        if (plan_.mixed()) {
            mixed_step_back();
            return;
        }
        walk_plan(plan_walk::back);
    });
    connect(step_bar_, &step_bar::forward, this, &kmain::step_view);
    connect(step_bar_, &step_bar::jump, this, [this](int k) {
        if (plan_.mixed()) {
            mixed_jump(k);
            return;
        }
        walk_plan(plan_walk::jump, k);
    });
}

void kmain::update_report_commands() {
    const bool planned = plan_.drawn();
    for (const char* name : {"kdaochu", "kbzhidao", "kdayinzhidao"}) {
        if (auto* item = findChild<QAction*>(qtext(name))) item->setEnabled(planned);
    }
    follow_in_solid_view();
    if (step_bar_ == nullptr) return;
    // The design's plans have at most seven stacks and keep its window as it
    // is; a longer plan gets the bar, so it is not twice as many presses.
    const mixed_shown* m = plan_.mixed();
    const std::optional<block_list> parts = plan_.walked_parts();
    const int n = m       ? static_cast<int>(m->order.size())
                  : parts ? static_cast<int>(parts->size())
                          : stack_count(plan_.tables().draw_stacks);
    step_bar_->setVisible(n > max_planned_stacks);
    // Before the first press the drawing shows the whole plan.
    const std::optional<step_shown> shown = m ? m->steps.shown() : steps_->shown();
    step_bar_->set_steps(n, shown ? shown->k : n);
}

}  // namespace varnel
