// A mixed load in the main window: the packing list window plans it, the
// window shows one container at a time in its types' colours, steps through
// its blocks, and saves and opens it as a mixed plan file.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <limits>

#include "app/kmain.h"
#include "app/messages.h"
#include "catalogue/catalogue_store.h"
#include "catalogue/pallet_measures.h"
#include "dialogs/file_save.h"
#include "dialogs/khunzhuang.h"
#include "dialogs/messages.h"
#include "engine/core/container.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/summary.h"
#include "plan/messages.h"
#include "plan/plan_file.h"
#include "ui/prompts.h"
#include "ui/qtext.h"
#include "ui/selection_list.h"
#include "ui/work_off_thread.h"
#include "view/drawing_area.h"
#include "view/mixed_drawing.h"
#include "view/projection.h"
#include "view/step_view.h"
#include "view/type_colours.h"

namespace varnel {

namespace {

// Where a window of `size` opens beside `main`: right of it, or left when
// the screen has no room there, and over its right part when neither has.
QPoint beside(const QWidget& main, QSize size) {
    const QRect frame = main.frameGeometry();
    const QScreen* screen = main.screen();
    const QRect room = screen ? screen->availableGeometry() : frame.adjusted(0, 0, size.width(), 0);
    int x = frame.right() + 1;
    if (x + size.width() > room.right() + 1) x = frame.left() - size.width();
    if (x < room.left()) x = std::max(room.left(), room.right() + 1 - size.width());
    const int y = std::clamp(frame.top(), room.top(),
                             std::max(room.top(), room.bottom() + 1 - size.height()));
    return {x, y};
}

}  // namespace

void kmain::mixed_load() {
    if (hunzhuang_ == nullptr) {
        hunzhuang_ = new khunzhuang(prompts_, this);
        hunzhuang_->setObjectName(QStringLiteral("khunzhuang"));
        connect(hunzhuang_, &khunzhuang::compute_requested, this, &kmain::plan_packing_list);
        // The first time beside the main window, not over it; then where the
        // user last left it.
        hunzhuang_->move(beside(*this, hunzhuang_->frameGeometry().size()));
        hunzhuang_->remember_place_in(places_);
        // The main window's file keys (Ctrl+S, Ctrl+O...) work there too.
        for (const command_row& row : command_table()) {
            if (row.shortcut.empty()) continue;
            if (auto* item = findChild<QAction*>(qtext(row.menu_item))) hunzhuang_->addAction(item);
        }
        // An opened plan's list is there to change and plan again.
        if (const mixed_shown* m = plan_.mixed()) hunzhuang_->show_plan(m->file, m->summary);
    }
    refresh_packing_list();
    hunzhuang_->show();
    hunzhuang_->raise();
    hunzhuang_->activateWindow();
}

// The catalogue's cartons and the container as they are now.
void kmain::refresh_packing_list() {
    hunzhuang_->refresh(offered_cartons(), container_choice());
    hunzhuang_->set_pallets(pallets_by_name(store_.all_pallets().value));
}

// The packing list window's order, planned and shown there too; everything
// asked meanwhile stands over that window.
void kmain::plan_packing_list() {
    const prompts::asked_from here(prompts_, hunzhuang_);
    refresh_packing_list();
    std::optional<mixed_plan_file> order = hunzhuang_->order();
    if (!order || !plan_and_show(std::move(*order))) return;
    const mixed_shown& m = *plan_.mixed();
    hunzhuang_->show_results(m.file, m.summary);
}

std::vector<offered_carton> kmain::offered_cartons() {
    std::vector<offered_carton> offered;
    for (const catalogue_carton& c : store_.all_cartons().value) {
        offered.push_back({c.name, {c.length, c.width, c.height}});
    }
    return offered;
}

// The size fields as "开始计算" reads them; the type's name and payload when
// the fields hold the chosen type's size.
std::variant<chosen_container, QString> kmain::container_choice() {
    std::array<float, 3> lwh{};  // length, width, height
    const QLineEdit* fields[3] = {container_length, container_width, container_height};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::optional<float> mm = read_size_cm(fields[k]->text().toStdString());
        if (!mm || !(*mm > 0.0f)) return qtext(text::mixed_container_wrong);
        lwh[k] = *mm;
    }
    chosen_container c;
    c.container.size = container_axes(lwh);
    if (const std::optional<container_type> type = chosen_type(lwh[0], lwh[1], lwh[2])) {
        c.type_name = type->name.toStdString();
        if (type->payload_kg() > 0) c.container.payload = type->payload_kg();
    }
    return c;
}

// As "优化计算": off the interface thread, and a cancel leaves the window's
// plan as it was. False when nothing was shown.
bool kmain::plan_and_show(mixed_plan_file order) {
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    search_cancel_ = cancel;
    mixed_request request{.container = order.container.size,
                          .payload = order.container.payload,
                          .cartons = order.cartons,
                          .max_containers = std::nullopt,
                          .weights = order.weights,
                          .parameters = {},
                          .cancel = cancel.get()};
    std::optional<mixed_plan> plan = work_off_thread(
        prompts_, {qtext(text::mixed_planning), qtext(text::cancel)}, mixed_planner_.progress_delay,
        *cancel, [plan = mixed_planner_.plan, request, cancel] { return plan(request); });
    if (!plan || plan->stop == stop_reason::cancelled) return false;
    if (plan->containers.empty()) {
        prompts_.message(qtext(text::nothing_loaded));
        return false;
    }
    const bool cut_short = plan->cut_short;
    const bool left = std::any_of(plan->unloaded.begin(), plan->unloaded.end(),
                                  [](std::int64_t n) { return n > 0; });
    order.plan = std::move(*plan);
    show_mixed(std::move(order));
    if (cut_short) prompts_.message(qtext(left ? text::mixed_cut_short : text::search_cut_short));
    return true;
}

void kmain::show_mixed(mixed_plan_file file, std::optional<QString> path) {
    steps_->reset();
    const bool was_mixed = plan_.mixed() != nullptr;
    plan_.show_mixed(std::move(file), std::move(path));
    if (was_mixed) mixed_gone();
    enable_shipment();
    // One carton size is no part of this plan: fields left from another plan
    // would be printed beside it.
    carton_length->clear();
    carton_width->clear();
    carton_height->clear();
    carton_list->setCurrentIndex(-1);
    show_title();
    show_container(0);
}

// One run of identical containers at a time: the keys step from run to run.
void kmain::show_container(std::size_t k) {
    if (!plan_.show_container(k)) return;
    const mixed_shown& m = *plan_.mixed();
    const std::size_t n = m.file.plan.containers.size();
    drawing->clear_drawing();
    draw_typed_blocks(*drawing, m.drawn(), m.order);
    draw_typed_outline(*drawing);
    const container_summary& s = m.figures();
    const summary_texts texts = mixed_summary_texts(s.utilisation, s.cartons, s.types);
    set_result_text(utilisation_text, qtext(texts.utilisation));
    set_result_text(arrangement_text, qtext(texts.arrangement));
    set_result_text(stack_text, {});
    // Its number among every container, repeats counted.
    const std::int64_t all = m.summary.container_count;
    const std::int64_t first = m.first_number();
    set_third_line(all > 1 ? qtext(containers_text(first, m.load().repeat, all)) : QString());

    // The types this container holds, each in the colour it has in every
    // container and in print.
    std::vector<drawing_area::type_entry> legend;
    for (std::size_t t = 0; t < m.file.cartons.size(); ++t) {
        if (s.per_type[t].cartons > 0)
            legend.push_back({qtext(m.file.cartons[t].name), type_colour(t)});
    }
    drawing->set_type_legend(std::move(legend));
    previous_container_button->setVisible(n > 1);
    next_container_button->setVisible(n > 1);
    previous_container_button->setEnabled(k > 0);
    next_container_button->setEnabled(k + 1 < n);
    {
        const QSignalBlocker quiet(container_number_box);
        const auto most = static_cast<std::int64_t>(std::numeric_limits<int>::max());
        container_number_box->setRange(1, static_cast<int>(std::min(all, most)));
        container_number_box->setSuffix(QStringLiteral("/") + QString::number(all));
        container_number_box->setValue(static_cast<int>(std::min(first, most)));
    }
    container_number_box->setVisible(all > 1);
    update_report_commands();
}

void kmain::show_mixed_step(std::optional<step_shown> shown) {
    if (shown) set_stack_text(step_text(*shown));
    update_report_commands();
}

void kmain::mixed_step_back() {
    mixed_shown& m = *plan_.mixed();
    show_mixed_step(m.steps.back(*drawing, m.drawn(), m.order));
}

void kmain::mixed_jump(int k) {
    mixed_shown& m = *plan_.mixed();
    show_mixed_step(m.steps.first(*drawing, m.drawn(), m.order, k));
}

void kmain::mixed_gone() {
    drawing->set_type_legend({});
    previous_container_button->hide();
    next_container_button->hide();
    container_number_box->hide();
    if (hunzhuang_) hunzhuang_->clear_results();
    show_title();
}

// Saved under a name of its own kind: a plan file's name (.qrn) would hand
// the next Open a file it reads as no plan of one size.
void kmain::save_mixed_plan() {
    const QString path = name_to_save(
        prompts_.save_file_name(qtext(text::mixed_plan_filter), plan_label()), u".qrn");
    if (!save_after_asking(prompts_, path, write_mixed_plan(plan_.mixed()->file))) return;
    plan_.saved_as(path);
    show_title();
}

bool kmain::open_mixed_plan(const QString& path, const file_contents& file) {
    const mixed_read_result read = read_mixed_plan(file.bytes);
    if (read.status == mixed_read_status::not_mixed_plan) return false;
    // Refused whole: the plan shown stays.
    if (file.status == file_contents::state::cut_short) {
        prompts_.message(qtext(text::file_read_error));
        return true;
    }
    if (read.status != mixed_read_status::ok) {
        prompts_.message(qtext(mixed_read_message(read)));
        return true;
    }
    if (!reset_plan()) return true;
    const std::array<double, 3> size = container_sides(read.plan->container.size);
    set_manual_container_size(qtext(size_text_cm(static_cast<float>(size[0]))),
                              qtext(size_text_cm(static_cast<float>(size[1]))),
                              qtext(size_text_cm(static_cast<float>(size[2]))));
    show_mixed(*read.plan, path);
    if (hunzhuang_) {
        const mixed_shown& m = *plan_.mixed();
        hunzhuang_->show_plan(m.file, m.summary);
        refresh_packing_list();
    }
    return true;
}

}  // namespace varnel
