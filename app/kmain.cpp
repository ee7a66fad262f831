#include "app/kmain.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolBar>

#include <variant>

#include "app/messages.h"
#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "dialogs/catalogue_dialogs.h"
#include "dialogs/khunzhuang.h"
#include "engine/calculation.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/single/bound_text.h"
#include "engine/summary.h"
#include "help/help_commands.h"
#include "help/messages.h"
#include "output/pfrom.h"
#include "output/print.h"
#include "ui/link_label.h"
#include "ui/messages.h"
#include "ui/palette.h"
#include "ui/prompts.h"
#include "ui/qtext.h"
#include "ui/selection_list.h"
#include "ui/window_title.h"
#include "ui/work_off_thread.h"
#include "view/drawing_area.h"
#include "view/projection.h"
#include "view/stack_drawing.h"

namespace varnel {

kmain::kmain(catalogue_store& store, prompts& prompts, program_end end_program, QWidget* parent)
    : QMainWindow(parent), store_(store), prompts_(prompts), end_program_(std::move(end_program)) {
    // A minimise button, no maximise button, a fixed size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    build_controls();
    build_menus();
    build_toolbar();
    set_tab_order();
    connect_buttons();
    connect_commands();
    holder_ = new pfrom(this);
    steps_ = std::make_unique<step_through>(*drawing, static_cast<stack_text_target&>(*this));
    build_step_bar();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// A search still running (the program ended under its progress dialog) is
// told to stop; it holds nothing of the window, so the window need not wait.
kmain::~kmain() {
    if (search_cancel_) search_cancel_->store(true);
}

void kmain::connect_commands() {
    connect(container_list, &selection_list::dropped_down, this,
            [this] { container_list->set_background(palette::light_grey); });
    connect(container_list, &selection_list::focused, this, &kmain::container_list_used);
    connect(container_list, &selection_list::clicked, this, &kmain::container_list_used);
    connect(carton_list, &selection_list::focused, this, &kmain::lookup_carton);
    connect(carton_list, &selection_list::clicked, this, &kmain::lookup_carton);

    // The packing list window names the container it will plan into.
    for (QLineEdit* field : {container_length, container_width, container_height}) {
        connect(field, &QLineEdit::textChanged, this, [this] {
            if (hunzhuang_ && hunzhuang_->isVisible())
                hunzhuang_->refresh_container(container_choice());
        });
    }
    connect(previous_container_button, &QPushButton::clicked, this, [this] {
        const mixed_shown* m = plan_.mixed();
        if (m && m->container > 0) show_container(m->container - 1);
    });
    connect(next_container_button, &QPushButton::clicked, this, [this] {
        if (const mixed_shown* m = plan_.mixed()) show_container(m->container + 1);
    });
    // The box counts every container; a number within a run of identical
    // containers shows that run.
    connect(container_number_box, &QSpinBox::valueChanged, this, [this](int k) {
        if (const std::optional<std::size_t> run = plan_.run_of(k)) show_container(*run);
    });

    connect(web_label, &link_label::clicked, this, [this] {
        open_or_explain(prompts_, maker_web_url(), text::web_page_unopened,
                        qtext(maker::web_address));
    });
}

// --- commands that are more than one public call -------------------------------

void kmain::print_plan() { print_window(*holder_, prompts_, this); }
void kmain::exit_program() { end_program_(0); }
void kmain::container_types() { run_container_types(store_, prompts_, *this); }
void kmain::carton_types() { run_carton_types(store_, prompts_, *this); }
void kmain::manual_container_input() { run_manual_container_input(prompts_, *this); }
void kmain::calculation_explanation() { show_explanation(this); }
void kmain::help() { open_help(prompts_); }
void kmain::feedback() { send_feedback(prompts_); }
void kmain::about() { show_about(prompts_, this); }

// --- start-up and the title ------------------------------------------------

QString kmain::title_prefix() { return qtext(text::title_prefix); }

QString kmain::plan_label() const { return shown_title(*this).mid(title_prefix().size()); }

// The label is the user's own text (a plan name, a file path): shown as typed.
void kmain::show_title() {
    const mixed_shown* m = plan_.mixed();
    const QString label = m ? m->path.value_or(named_as_) : opened_.value_or(named_as_);
    set_literal_title(*this, title_prefix() + label);
}

bool kmain::start() {
    plan_number_ = 1;
    plan_name_ = qtext(text::default_plan_name);
    named_as_ = plan_name_ + QString::number(plan_number_);
    opened_.reset();
    show_title();
    if (!reset_plan()) return false;
    carton_length->setFocus();
    return true;
}

// --- the plan ----------------------------------------------------------------

void kmain::set_result_text(QLabel* label, const QString& text) {
    label->setText(text);
    // An empty text shows nothing: measuring it would only load its font
    // (a size and weight of its own) before anything is drawn in it.
    if (text.isEmpty()) {
        label->resize(0, 0);
    } else {
        label->adjustSize();
    }
}

void kmain::set_stack_text(const std::string& text) { set_result_text(stack_text, qtext(text)); }

bool kmain::reset_plan() {
    set_result_text(stack_text, {});
    const refill containers = load_jizhuangxiang();
    if (containers == refill::program_ended) return false;
    const refill cartons = load_bao();
    if (containers == refill::failed || cartons == refill::failed) {
        prompts_.message(qtext(text::program_error));
    }
    plan_reset();
    steps_->reset();
    edit_entry_name_.clear();
    clear_result_texts();
    carton_length->clear();
    carton_width->clear();
    carton_height->clear();
    drawing->clear_drawing();
    return true;
}

void kmain::write_summary() {
    const summary_texts texts = varnel::write_summary(plan_.tables().stacks);
    set_result_text(utilisation_text, qtext(texts.utilisation));
    set_result_text(arrangement_text, qtext(texts.arrangement));
    enable_shipment();
}

// Only the room above the container's far top edge is free whatever the plan
// draws; a line too long for it breaks after its comma, and its second part
// is short enough to end before the edge's corner.
void kmain::set_third_line(QString line) {
    const int room = drawing_area::area_width - bound_line->x() - 4;
    if (bound_line->fontMetrics().horizontalAdvance(line) > room) {
        const qsizetype comma = line.indexOf(QChar(u'，'));
        if (comma >= 0) line.insert(comma + 1, QLatin1Char('\n'));
    }
    set_result_text(bound_line, line);
}

void kmain::plan_replaced(std::optional<block_list> searched) {
    const bool was_mixed = plan_.mixed() != nullptr;
    plan_.replaced(std::move(searched));
    if (was_mixed) mixed_gone();
    enable_shipment();
}

void kmain::plan_reset() {
    const bool was_mixed = plan_.mixed() != nullptr;
    plan_.reset();
    if (was_mixed) mixed_gone();
    enable_shipment();
}

void kmain::clear_result_texts() {
    set_result_text(utilisation_text, {});
    set_result_text(arrangement_text, {});
    set_result_text(stack_text, {});
    set_result_text(bound_line, {});
}

std::variant<kmain::run_request, input_refusal> kmain::read_run_request() const {
    const std::string l = carton_length->text().toStdString(),
                      w = carton_width->text().toStdString(),
                      h = carton_height->text().toStdString(),
                      cl = container_length->text().toStdString(),
                      cw = container_width->text().toStdString(),
                      ch = container_height->text().toStdString();
    auto input = read_calculation_input({.carton_length = l,
                                         .carton_width = w,
                                         .carton_height = h,
                                         .container_length = cl,
                                         .container_width = cw,
                                         .container_height = ch});
    if (const auto* refusal = std::get_if<input_refusal>(&input)) return *refusal;
    return run_request{std::get<calculation_input>(input), single_placement->isChecked(),
                       !no_side_placement->isChecked()};
}

void kmain::refuse(const input_refusal& refusal) {
    prompts_.message(qtext(refusal.message));
    switch (refusal.field) {
        case input_field::carton_length: carton_length->setFocus(); break;
        case input_field::carton_width: carton_width->setFocus(); break;
        case input_field::carton_height: carton_height->setFocus(); break;
        case input_field::container: break;  // the focus stays where it was
    }
}

void kmain::show_plan(std::int16_t stacks, bool single) {
    draw_first_stacks(*drawing, plan_.tables().draw_stacks, stacks);
    if (!single) draw_standard_outline(*drawing);
    write_summary();
}

void kmain::start_calculation() {
    steps_->reset();
    clear_result_texts();
    const auto read = read_run_request();
    if (const auto* refusal = std::get_if<input_refusal>(&read)) {
        refuse(*refusal);
        return;
    }
    const run_request& r = std::get<run_request>(read);

    drawing->clear_drawing();
    const plan_outcome plan = run_calculation(plan_.tables(), r.input, r.single, r.side_allowed);
    plan_replaced();
    if (plan.status == search_status::bad_carton_size) {
        prompts_.message(qtext(text::carton_size_wrong));
        carton_length->setFocus();
        return;
    }
    if (plan.stack_count == 0) return;
    show_plan(plan.stack_count, r.single);
}

// Reads and refuses as the standard calculation does; the plan it finds
// replaces the last one only once the search has finished, so a cancelled
// search leaves plan, texts and drawing as they were.
void kmain::optimise_calculation() {
    const auto read = read_run_request();
    if (const auto* refusal = std::get_if<input_refusal>(&read)) {
        steps_->reset();
        clear_result_texts();
        refuse(*refusal);
        return;
    }
    const run_request& r = std::get<run_request>(read);
    const std::optional<optimised_plan> plan =
        search_off_thread({r.input, r.single, orientations_of(r.side_allowed)});
    if (!plan) return;

    steps_->reset();
    clear_result_texts();
    drawing->clear_drawing();
    const std::int16_t stacks =
        load_optimised_plan(plan_.tables(), r.input, orientations_of(r.side_allowed), *plan);
    // A shipment loads this plan's own blocks, which the tables cannot give back.
    plan_replaced(stacks == 0 ? std::nullopt : std::optional(plan->blocks));
    if (stacks == 0) return;
    show_plan(stacks, r.single);
    set_third_line(qtext(bound_text(plan->cartons, plan->upper_bound)));
    // Only the clock's safety net makes a plan depend on the machine and its
    // load; the user must know this one is not what the search would find.
    if (plan->cut_short()) prompts_.message(qtext(text::search_cut_short));
}

std::optional<optimised_plan> kmain::search_off_thread(optimise_request request) {
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    request.cancel = cancel.get();
    search_cancel_ = cancel;
    // The worker holds its own copies and the flag, nothing of the window.
    std::optional<optimised_plan> plan = work_off_thread(
        prompts_, {qtext(text::optimising), qtext(text::cancel)}, optimiser_.progress_delay,
        *cancel, [search = optimiser_.search, request, cancel] { return search(request); });
    if (!plan || plan->cancelled()) return std::nullopt;
    return plan;
}

void kmain::step_view() {
    if (mixed_shown* m = plan_.mixed()) {
        show_mixed_step(m->steps.forward(*drawing, m->drawn(), m->order));
        return;
    }
    steps_->step_view(plan_.tables().draw_stacks);
    update_report_commands();
}

// --- the container and carton lists -----------------------------------------

catalogue_host::refill kmain::load_jizhuangxiang() {
    container_list->clear();
    const auto rows = store_.all_containers();
    if (!rows.ok()) return refill::failed;
    if (rows.value.empty()) {
        prompts_.message(qtext(text::empty_catalogue));
        end_program_(1);
        return refill::program_ended;
    }
    for (const container_type& row : rows.value) container_list->addItem(row.name);
    // The delivered catalogue always holds the default; should a hand-made
    // one lack it, the first type keeps the size fields filled.
    const QString preferred = qtext(text::default_container);
    container_list->choose(container_list->findText(preferred) >= 0 ? preferred
                                                                    : container_list->itemText(0));
    return refill::done;
}

void kmain::container_list_used() {
    container_list->set_background(palette::light_grey);
    lookup_container();
}

void kmain::lookup_container() {
    const QString name = container_list->currentText();
    if (name.isEmpty()) return;
    container_length->clear();
    container_width->clear();
    container_height->clear();
    const auto row = store_.find_container(name);
    if (!row.ok()) {
        prompts_.message(qtext(text::program_error));
        return;
    }
    if (!row.value) return;
    container_length->setText(qtext(size_text_cm(row.value->length)));
    container_width->setText(qtext(size_text_cm(row.value->width)));
    container_height->setText(qtext(size_text_cm(row.value->height)));
}

catalogue_host::refill kmain::load_bao() {
    carton_list->clear();
    const auto rows = store_.all_cartons();
    for (const catalogue_carton& row : rows.value) carton_list->addItem(row.name);
    carton_list->setCurrentIndex(-1);
    return rows.ok() ? refill::done : refill::failed;
}

void kmain::lookup_carton() {
    const QString name = carton_list->currentText();
    if (name.isEmpty()) return;
    const auto row = store_.find_carton(name);
    if (!row.ok() || !row.value) return;  // the fields keep what they hold
    set_carton_size(qtext(size_text_cm(row.value->length)), qtext(size_text_cm(row.value->width)),
                    qtext(size_text_cm(row.value->height)));
}

void kmain::set_manual_container_size(const QString& length, const QString& width,
                                      const QString& height) {
    container_length->setText(length);
    container_width->setText(width);
    container_height->setText(height);
    container_list->set_background(palette::dark_grey);
}

QString kmain::carton_list_text() const { return carton_list->currentText(); }

void kmain::set_carton_size(const QString& length, const QString& width, const QString& height) {
    carton_length->setText(length);
    carton_width->setText(width);
    carton_height->setText(height);
}

}  // namespace varnel
