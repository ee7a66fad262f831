#include "dialogs/ktuopan.h"

#include <QLineEdit>
#include <QPushButton>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "ui/palette.h"
#include "ui/prompts.h"
#include "ui/selection_list.h"

namespace varnel {

using namespace dialog_parts;

namespace {

using form::kind;
using palette::blue, palette::dark_blue;

// clang-format off
constexpr form::control controls[] = {
    {"entry_frame", kind::frame, "", {3, 3, 306, 140}, text::ktuopan_add_frame, dark_blue},
    {"name_label", kind::label, "entry_frame", {14, 21, 0, 0}, text::pallet_name_label},
    {"name_field", kind::field, "entry_frame", {87, 20, 182, 18}},
    {"length_label", kind::label, "entry_frame", {14, 44, 0, 0}, text::length_label},
    {"length_field", kind::field, "entry_frame", {41, 41, 67, 18}},
    {"length_unit", kind::label, "entry_frame", {115, 44, 0, 0}, text::unit_label, blue},
    {"width_label", kind::label, "entry_frame", {14, 64, 0, 0}, text::width_label},
    {"width_field", kind::field, "entry_frame", {41, 61, 67, 18}},
    {"width_unit", kind::label, "entry_frame", {115, 64, 0, 0}, text::unit_label, blue},
    {"height_label", kind::label, "entry_frame", {14, 84, 0, 0}, text::height_label},
    {"height_field", kind::field, "entry_frame", {41, 81, 67, 18}},
    {"height_unit", kind::label, "entry_frame", {115, 84, 0, 0}, text::unit_label, blue},
    {"weight_label", kind::label, "entry_frame", {143, 44, 0, 0}, text::pallet_weight_label},
    {"weight_field", kind::field, "entry_frame", {206, 41, 56, 18}},
    {"weight_unit", kind::label, "entry_frame", {268, 44, 0, 0}, text::kilogram_label, blue},
    {"load_height_label", kind::label, "entry_frame", {143, 64, 0, 0}, text::pallet_load_height_label},
    {"load_height_field", kind::field, "entry_frame", {206, 61, 56, 18}},
    {"load_height_unit", kind::label, "entry_frame", {268, 64, 0, 0}, text::unit_label, blue},
    {"load_weight_label", kind::label, "entry_frame", {143, 84, 0, 0}, text::pallet_load_weight_label},
    {"load_weight_field", kind::field, "entry_frame", {206, 81, 56, 18}},
    {"load_weight_unit", kind::label, "entry_frame", {268, 84, 0, 0}, text::kilogram_label, blue},
    {"ok_button", kind::button, "entry_frame", {14, 108, 96, 23}, text::ok_caption},
    {"cancel_button", kind::button, "entry_frame", {138, 108, 95, 23}, text::cancel_caption},
    {"pick_frame", kind::frame, "", {4, 147, 306, 123}, text::ktuopan_pick_frame, blue},
    {"pick_prompt", kind::label, "pick_frame", {8, 18, 0, 0}, text::ktuopan_pick_prompt},
    {"pallets", kind::list, "pick_frame", {64, 48, 166, 20}},
    {"change_button", kind::button, "pick_frame", {35, 91, 105, 24}, text::kaddji_change_caption},
    {"delete_button", kind::button, "pick_frame", {156, 91, 105, 24}, text::kaddji_delete_caption},
    {"exit_button", kind::button, "", {59, 276, 183, 28}, text::wide_exit_caption},
};
// clang-format on

}  // namespace

ktuopan::ktuopan(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : catalogue_dialog(prompts, host), store_(store) {
    build();
    if (!fill_pallets()) say(text::program_error);
}

void ktuopan::build() {
    build_form(text::ktuopan_title, 315, 309, controls);
    pallets = form::part<selection_list>(*this, "pallets");
    change_button = form::part<QPushButton>(*this, "change_button");
    delete_button = form::part<QPushButton>(*this, "delete_button");

    connect(ok_button, &QPushButton::clicked, this, &ktuopan::add);
    connect(cancel_button, &QPushButton::clicked, this, [this] { fields.clear(); });
    connect(change_button, &QPushButton::clicked, this, &ktuopan::change);
    connect(delete_button, &QPushButton::clicked, this, &ktuopan::remove);
}

bool ktuopan::fill_pallets() {
    pallets->clear();
    const read_result<std::vector<pallet_type>> rows = store_.all_pallets();
    if (!rows.ok()) return false;
    for (const pallet_type& row : rows.value) pallets->addItem(row.name);
    pallets->setCurrentIndex(-1);
    return true;
}

void ktuopan::add() {
    const pallet_reading reading = fields.read_pallet();
    if (const auto* refusal = std::get_if<entry_refusal>(&reading)) {
        return refuse(prompts_, *refusal, fields);
    }
    const pallet_entry& typed = std::get<pallet_entry>(reading);
    const QString name = fields.name->text();
    // As for container types, only an exact spelling conflicts here.
    const read_result<bool> taken = store_.pallet_name_exists(name);
    if (!taken.ok()) return say(text::program_error);
    if (taken.value) {
        say(text::pallet_add_conflict);
        fields.name->setFocus();
        return;
    }
    const pallet_type pallet{name,         typed.length,      typed.width,      typed.height,
                             typed.weight, typed.load_height, typed.load_weight};
    if (store_.add_pallet(pallet).status != write_status::done) return say(text::program_error);
    say(text::pallet_added);
    if (!fill_pallets()) return say(text::program_error);
    fields.clear();
    fields.name->setFocus();
}

void ktuopan::change() {
    const QString name = pallets->currentText();
    if (name.isEmpty()) return say(text::choose_pallet_to_change);
    host_.edit_entry_name() = name;
    accept();
}

void ktuopan::remove() {
    const QString name = pallets->currentText();
    if (name.isEmpty()) return say(text::choose_pallet_to_delete);
    if (!prompts_.question(delete_question(name))) return;
    // A type that has gone meanwhile is as good as deleted.
    if (store_.delete_pallet(name).status == write_status::failed) {
        return say(text::container_delete_failed);
    }
    say(text::pallet_deleted);
    if (!fill_pallets()) say(text::container_delete_failed);
}

}  // namespace varnel
