#include "dialogs/kgenggaituopan.h"

#include <QLineEdit>
#include <QPushButton>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
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
    {"name_label", kind::label, "", {15, 30, 0, 0}, text::pallet_name_label},
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
    {"weight_label", kind::label, "", {165, 55, 0, 0}, text::pallet_weight_label},
    {"weight_field", kind::field, "", {228, 51, 60, 19}},
    {"weight_unit", kind::label, "", {293, 54, 0, 0}, text::kilogram_label, red},
    {"load_height_label", kind::label, "", {165, 77, 0, 0}, text::pallet_load_height_label},
    {"load_height_field", kind::field, "", {228, 74, 60, 19}},
    {"load_height_unit", kind::label, "", {293, 76, 0, 0}, text::unit_label, red},
    {"load_weight_label", kind::label, "", {165, 99, 0, 0}, text::pallet_load_weight_label},
    {"load_weight_field", kind::field, "", {228, 96, 60, 19}},
    {"load_weight_unit", kind::label, "", {293, 98, 0, 0}, text::kilogram_label, red},
    {"ok_button", kind::button, "", {55, 127, 98, 24}, text::kgenggai_ok_caption},
    {"cancel_button", kind::button, "", {177, 127, 98, 24}, text::cancel_caption},
    {"exit_button", kind::button, "", {77, 162, 176, 24}, text::kgenggai_exit_caption},
};
// clang-format on

}  // namespace

kgenggaituopan::kgenggaituopan(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : entry_change_dialog(store, prompts, host) {
    build_and_fill(text::kgenggaituopan_title, 330, 197, controls);
}

void kgenggaituopan::fill() {
    const read_result<std::optional<pallet_type>> found =
        store_.find_pallet(host_.edit_entry_name());
    if (!found.ok()) return say(text::program_error);
    // An entry that has gone leaves the fields alone; OK then says so.
    if (found.value) fields.show_pallet(*found.value);
}

void kgenggaituopan::change() {
    const pallet_reading reading = fields.read_pallet();
    if (const auto* refusal = std::get_if<entry_refusal>(&reading)) {
        return refuse(prompts_, *refusal, fields);
    }
    const pallet_entry& typed = std::get<pallet_entry>(reading);
    const QString name = fields.name->text();
    QString& entry = host_.edit_entry_name();
    const auto find = [this](const QString& n) { return store_.find_pallet(n); };
    if (!rename_allowed(name, find, text::pallet_rename_conflict)) return;
    const pallet_type pallet{name,         typed.length,      typed.width,      typed.height,
                             typed.weight, typed.load_height, typed.load_weight};
    if (store_.change_pallet(entry, pallet).status != write_status::done) {
        return say(text::container_change_failed);
    }
    entry = name;
    say(text::container_changed);
    accept();
}

}  // namespace varnel
