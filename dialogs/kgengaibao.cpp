#include "dialogs/kgengaibao.h"

#include <QLineEdit>
#include <QPushButton>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "dialogs/catalogue_host.h"
#include "engine/numbers.h"
#include "ui/frame_box.h"
#include "ui/prompts.h"

namespace varnel {

using namespace dialog_parts;

kgengaibao::kgengaibao(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : catalogue_dialog(prompts, host), store_(store) {
    build();
    fill();
}

void kgengaibao::build() {
    set_up(*this, text::kgengaibao_title, 297, 213);

    QWidget* frame = add_frame(this, text::kgengaibao_frame, {8, 11, 280, 159});
    add_label(frame, text::kgengaibao_name_label, {13, 24});
    fields.name = add_field(frame, {108, 19, 151, 22});
    fields.add_sizes(frame,
                     {{{27, 48}, {55, 46, 64, 20}, {125, 50}},
                      {{27, 73}, {55, 71, 64, 18}, {125, 74}},
                      {{27, 96}, {55, 95, 64, 18}, {125, 98}}},
                     red);
    ok_button = add_button(frame, text::ok_caption, {36, 123, 87, 24});
    cancel_button = add_button(frame, text::cancel_caption, {147, 123, 87, 24});
    exit_button = add_button(this, text::narrow_exit_caption, {65, 179, 151, 25});

    set_tab_order({fields.name, fields.length, fields.width, fields.height, ok_button,
                   cancel_button, exit_button});
    fields.name->setFocus();

    connect(ok_button, &QPushButton::clicked, this, &kgengaibao::change);
    connect(cancel_button, &QPushButton::clicked, this, &kgengaibao::fill);
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

void kgengaibao::fill() {
    const read_result<std::optional<carton_type>> found =
        store_.find_carton(host_.edit_entry_name());
    if (!found.ok() || !found.value) return say(text::program_error);
    fields.name->setText(found.value->name);
    fields.show_sizes(found.value->length, found.value->width, found.value->height);
}

void kgengaibao::change() {
    const entry_reading reading = fields.read_carton();
    if (const auto* refusal = std::get_if<entry_refusal>(&reading)) {
        return refuse(prompts_, *refusal, fields);
    }
    const entry_sizes& size = std::get<entry_sizes>(reading);
    const QString name = fields.name->text();
    const QString& entry = host_.edit_entry_name();

    if (name != entry) {
        const read_result<std::optional<carton_type>> found = store_.find_carton(name);
        if (!found.ok()) return say(text::carton_change_failed);
        if (found.value) return say(text::carton_rename_conflict);
    }
    // Name and sizes in one write: the type changes completely or not at all.
    if (store_.change_carton(entry, name, size.length, size.width, size.height).status !=
        write_status::done) {
        return say(text::carton_change_failed);
    }
    if (host_.carton_list_text() == entry) {
        host_.set_carton_size(qtext(size_text_cm(size.length)), qtext(size_text_cm(size.width)),
                              qtext(size_text_cm(size.height)));
    }
    // The change is written; a main list that cannot show it is reported.
    say(host_.load_bao() == catalogue_host::refill::done ? text::carton_changed
                                                         : text::carton_change_failed);
    accept();
}

}  // namespace varnel
