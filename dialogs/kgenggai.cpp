#include "dialogs/kgenggai.h"

#include <QLineEdit>
#include <QPushButton>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "dialogs/catalogue_host.h"
#include "ui/palette.h"
#include "ui/prompts.h"

namespace varnel {

using namespace dialog_parts;

namespace {

using form::kind;
using palette::blue, palette::red;

// clang-format off
constexpr form::control controls[] = {
    {"prompt", kind::label, "", {19, 9, 0, 0}, text::kgenggai_prompt, blue},
    {"name_label", kind::label, "", {15, 30, 0, 0}, text::container_name_label},
    {"name_field", kind::field, "", {92, 27, 124, 19}},
    {"length_label", kind::label, "", {14, 55, 0, 0}, text::length_label},
    {"length_field", kind::field, "", {43, 51, 90, 19}},
    {"length_unit", kind::label, "", {136, 54, 0, 0}, text::unit_label, red},
    {"width_label", kind::label, "", {14, 77, 0, 0}, text::width_label},
    {"width_field", kind::field, "", {43, 74, 90, 19}},
    {"width_unit", kind::label, "", {136, 76, 0, 0}, text::unit_label, red},
    {"height_label", kind::label, "", {14, 99, 0, 0}, text::height_label},
    {"height_field", kind::field, "", {43, 96, 90, 19}},
    {"height_unit", kind::label, "", {136, 98, 0, 0}, text::unit_label, red},
    {"ok_button", kind::button, "", {22, 127, 98, 24}, text::kgenggai_ok_caption},
    {"cancel_button", kind::button, "", {130, 127, 98, 24}, text::cancel_caption},
    {"exit_button", kind::button, "", {36, 162, 176, 24}, text::kgenggai_exit_caption},
};
// clang-format on

}  // namespace

kgenggai::kgenggai(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : entry_change_dialog(store, prompts, host) {
    build_and_fill(text::kgenggai_title, 259, 197, controls);
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
    const auto find = [this](const QString& n) { return store_.find_container(n); };
    if (!rename_allowed(name, find, text::container_rename_conflict)) return;
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
