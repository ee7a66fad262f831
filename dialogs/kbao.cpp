#include "dialogs/kbao.h"

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/catalogue_host.h"
#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "ui/frame_box.h"
#include "ui/prompts.h"
#include "ui/selection_list.h"

namespace varnel {

using namespace dialog_parts;

kbao::kbao(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : catalogue_dialog(prompts, host), store_(store) {
    build();
    if (!fill_cartons()) say(text::carton_list_failed);
}

void kbao::build() {
    set_up(*this, text::kbao_title, 247, 308);

    QWidget* entry_frame = add_frame(this, text::kbao_add_frame, {5, 5, 234, 162});
    add_label(entry_frame, text::kbao_name_label, {12, 20});
    fields.name = add_field(entry_frame, {87, 15, 133, 21});
    fields.add_sizes(entry_frame,
                     {{{16, 45}, {42, 42, 91, 18}, {136, 45}},
                      {{16, 71}, {42, 67, 91, 18}, {136, 71}},
                      {{16, 98}, {42, 95, 91, 18}, {136, 96}}},
                     red);
    ok_button = add_button(entry_frame, text::ok_caption, {28, 125, 76, 26});
    cancel_button = add_button(entry_frame, text::cancel_caption, {123, 125, 76, 26});

    QWidget* pick_frame = add_frame(this, text::kbao_pick_frame, {3, 174, 239, 93});
    cartons = add_list(pick_frame, {35, 19, 170, 20});
    change_button = add_button(pick_frame, text::kbao_change_caption, {28, 53, 77, 27});
    delete_button = add_button(pick_frame, text::kbao_delete_caption, {121, 53, 77, 27});

    exit_button = add_button(this, text::narrow_exit_caption, {54, 274, 121, 26});

    set_tab_order({fields.name, fields.length, fields.width, fields.height, ok_button,
                   cancel_button, cartons, change_button, delete_button, exit_button});
    fields.name->setFocus();

    connect(ok_button, &QPushButton::clicked, this, &kbao::add);
    connect(cancel_button, &QPushButton::clicked, this, &kbao::clear_entry);
    connect(change_button, &QPushButton::clicked, this, &kbao::change);
    connect(delete_button, &QPushButton::clicked, this, &kbao::remove);
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

bool kbao::fill_cartons() {
    cartons->clear();
    const read_result<std::vector<carton_type>> rows = store_.all_cartons();
    if (!rows.ok()) return false;
    for (const carton_type& row : rows.value) cartons->addItem(row.name);
    cartons->setCurrentIndex(-1);
    return true;
}

void kbao::add() {
    const entry_reading reading = fields.read_carton();
    if (const auto* refusal = std::get_if<entry_refusal>(&reading)) {
        return refuse(prompts_, *refusal, fields);
    }
    const entry_sizes& size = std::get<entry_sizes>(reading);
    const QString name = fields.name->text();

    // Cartons differing only in letter case or trailing blanks would be one
    // entry to every lookup: refused.
    const read_result<std::optional<carton_type>> found = store_.find_carton(name);
    if (!found.ok()) return say(text::carton_list_failed);
    if (found.value) {
        say(text::carton_add_conflict);
        fields.name->setFocus();
        return;
    }
    if (store_.add_carton(name, size.length, size.width, size.height).status !=
        write_status::done) {
        return say(text::carton_list_failed);
    }
    say(text::carton_done);
    clear_entry();
    if (!fill_cartons() || host_.load_bao() == catalogue_host::refill::failed) {
        say(text::carton_list_failed);
    }
}

void kbao::clear_entry() {
    fields.clear();
    fields.name->setFocus();
}

void kbao::change() {
    const QString name = cartons->currentText();
    if (name.isEmpty()) return say(text::choose_carton);
    host_.edit_entry_name() = name;
    accept();
}

void kbao::remove() {
    const QString name = cartons->currentText();
    if (name.isEmpty()) return say(text::choose_carton);
    if (!prompts_.question(delete_question(name))) return;
    // A type that has gone meanwhile is as good as deleted.
    if (store_.delete_carton(name).status == write_status::failed) {
        return say(text::carton_list_failed);
    }
    if (!fill_cartons() || host_.load_bao() == catalogue_host::refill::failed) {
        return say(text::carton_list_failed);
    }
    say(text::carton_done);
}

}  // namespace varnel
