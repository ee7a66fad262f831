#include "dialogs/kgenggai.h"

#include <QLineEdit>
#include <QPushButton>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "dialogs/catalogue_host.h"
#include "ui/prompts.h"

namespace varnel {

using namespace dialog_parts;

kgenggai::kgenggai(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : catalogue_dialog(prompts, host), store_(store) {
    build();
    fill();
}

void kgenggai::build() {
    set_up(*this, text::kgenggai_title, 259, 197);

    add_label(this, text::kgenggai_prompt, {19, 9}, blue);
    add_label(this, text::container_name_label, {15, 30});
    fields.name = add_field(this, {92, 27, 124, 19});
    fields.add_sizes(this,
                     {{{14, 55}, {43, 51, 90, 19}, {136, 54}},
                      {{14, 77}, {43, 74, 90, 19}, {136, 76}},
                      {{14, 99}, {43, 96, 90, 19}, {136, 98}}},
                     red);
    ok_button = add_button(this, text::kgenggai_ok_caption, {22, 127, 98, 24});
    cancel_button = add_button(this, text::cancel_caption, {130, 127, 98, 24});
    exit_button = add_button(this, text::kgenggai_exit_caption, {36, 162, 176, 24});

    set_tab_order({fields.name, fields.length, fields.width, fields.height, ok_button,
                   cancel_button, exit_button});
    fields.name->setFocus();

    connect(ok_button, &QPushButton::clicked, this, &kgenggai::change);
    connect(cancel_button, &QPushButton::clicked, this, &kgenggai::fill);
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

void kgenggai::fill() {
    const read_result<std::optional<container_type>> found =
        store_.find_container(host_.edit_entry_name());
    if (!found.ok()) return say(text::program_error);
    // An entry that has gone leaves the fields alone; OK then says so.
    if (!found.value) return;
    fields.name->setText(found.value->name);
    fields.show_sizes(found.value->length, found.value->width, found.value->height);
}

void kgenggai::change() {
    const entry_reading reading = fields.read_container();
    if (const auto* refusal = std::get_if<entry_refusal>(&reading)) {
        return refuse(prompts_, *refusal, fields);
    }
    const entry_sizes& size = std::get<entry_sizes>(reading);
    const QString name = fields.name->text();
    QString& entry = host_.edit_entry_name();

    // The store's lookup ignores letter case, so renaming "abc" to "ABC"
    // finds the type itself and is refused.
    if (name != entry) {
        const read_result<std::optional<container_type>> found = store_.find_container(name);
        if (!found.ok()) return say(text::container_change_failed);
        if (found.value) {
            say(text::container_rename_conflict);
            fields.name->setFocus();
            return;
        }
    }
    // Name and sizes in one write: the type changes completely or not at all.
    if (store_.change_container(entry, name, size.length, size.width, size.height).status !=
        write_status::done) {
        return say(text::container_change_failed);
    }
    entry = name;
    switch (host_.load_jizhuangxiang()) {
        case catalogue_host::refill::done: say(text::container_changed); break;
        // The change is written; only the main list could not show it.
        case catalogue_host::refill::failed: say(text::container_change_failed); break;
        case catalogue_host::refill::program_ended: return reject();
    }
    accept();
}

}  // namespace varnel
