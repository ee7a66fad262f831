#include "dialogs/kaddji.h"

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

kaddji::kaddji(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : catalogue_dialog(prompts, host), store_(store) {
    build();
    if (!fill_user_types()) say(text::program_error);
}

void kaddji::build() {
    set_up(*this, text::kaddji_title, 315, 309);

    QWidget* entry_frame = add_frame(this, text::kaddji_add_frame, {3, 3, 306, 140}, dark_blue);
    add_label(entry_frame, text::container_name_label, {14, 21});
    fields.name = add_field(entry_frame, {87, 20, 182, 18});
    fields.add_sizes(entry_frame,
                     {{{14, 44}, {41, 41, 67, 18}, {115, 44}},
                      {{14, 64}, {41, 61, 67, 18}, {115, 61}},
                      {{14, 84}, {42, 81, 67, 18}, {115, 84}}},
                     blue);
    ok_button = add_button(entry_frame, text::ok_caption, {14, 108, 96, 23});
    cancel_button = add_button(entry_frame, text::cancel_caption, {138, 108, 95, 23});

    QWidget* pick_frame = add_frame(this, text::kaddji_pick_frame, {4, 147, 306, 123}, blue);
    add_label(pick_frame, text::kaddji_pick_prompt, {8, 18});
    add_label(pick_frame, text::kaddji_note, {14, 34}, dark_red);
    user_types = add_list(pick_frame, {64, 58, 166, 20});
    change_button = add_button(pick_frame, text::kaddji_change_caption, {35, 91, 105, 24});
    delete_button = add_button(pick_frame, text::kaddji_delete_caption, {156, 91, 105, 24});

    exit_button = add_button(this, text::wide_exit_caption, {59, 276, 183, 28});

    set_tab_order({fields.name, fields.length, fields.width, fields.height, ok_button,
                   cancel_button, user_types, change_button, delete_button, exit_button});
    fields.name->setFocus();

    connect(ok_button, &QPushButton::clicked, this, &kaddji::add);
    connect(cancel_button, &QPushButton::clicked, this, [this] { fields.clear(); });
    connect(change_button, &QPushButton::clicked, this, &kaddji::change);
    connect(delete_button, &QPushButton::clicked, this, &kaddji::remove);
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

bool kaddji::fill_user_types() {
    user_types->clear();
    const read_result<std::vector<container_type>> rows = store_.user_containers();
    if (!rows.ok()) return false;
    for (const container_type& row : rows.value) user_types->addItem(row.name);
    user_types->setCurrentIndex(-1);
    return true;
}

// False when the action ends here: the refill failed (reported as
// `failure`), or the program is ending and this dialog goes too.
bool kaddji::refill_main_list(const char* failure) {
    switch (host_.load_jizhuangxiang()) {
        case catalogue_host::refill::done: return true;
        case catalogue_host::refill::failed: say(failure); return false;
        case catalogue_host::refill::program_ended: reject(); return false;
    }
    return false;
}

void kaddji::add() {
    const entry_reading reading = fields.read_container();
    if (const auto* refusal = std::get_if<entry_refusal>(&reading)) {
        return refuse(prompts_, *refusal, fields);
    }
    const entry_sizes& size = std::get<entry_sizes>(reading);
    const QString name = fields.name->text();

    // Here alone a name is compared character for character, so "ABC" may
    // join "abc".
    const read_result<bool> taken = store_.container_name_exists(name);
    if (!taken.ok()) return say(text::program_error);
    if (taken.value) {
        say(text::container_add_conflict);
        fields.name->setFocus();
        return;
    }
    if (store_.add_container(name, size.length, size.width, size.height).status !=
        write_status::done) {
        return say(text::program_error);
    }
    say(text::container_added);
    if (!fill_user_types()) return say(text::program_error);
    if (!refill_main_list(text::program_error)) return;
    fields.clear();
    fields.name->setFocus();
}

void kaddji::change() {
    const QString name = user_types->currentText();
    if (name.isEmpty()) return say(text::choose_container_to_change);
    host_.edit_entry_name() = name;
    accept();
}

void kaddji::remove() {
    const QString name = user_types->currentText();
    if (name.isEmpty()) return say(text::choose_container_to_delete);
    if (!prompts_.question(delete_question(name))) return;
    // A type that has gone meanwhile is as good as deleted.
    if (store_.delete_container(name).status == write_status::failed) {
        return say(text::container_delete_failed);
    }
    say(text::container_deleted);
    if (!fill_user_types()) return say(text::container_delete_failed);
    refill_main_list(text::container_delete_failed);
}

}  // namespace varnel
