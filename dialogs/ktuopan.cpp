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
    : catalogue_rows_dialog(
          store, prompts, host,
          {text::choose_pallet_to_change, text::choose_pallet_to_delete, text::pallet_deleted}) {
    pallets = build_rows(text::ktuopan_title, 315, 309, controls, "pallets");
}

bool ktuopan::fill_rows() { return show_rows(store_.all_pallets()); }

write_status ktuopan::delete_row(const QString& name) { return store_.delete_pallet(name).status; }

void ktuopan::add() {
    const pallet_reading reading = fields.read_pallet();
    if (const auto* refusal = std::get_if<entry_refusal>(&reading)) {
        return refuse(prompts_, *refusal, fields);
    }
    const pallet_entry& typed = std::get<pallet_entry>(reading);
    const QString name = fields.name->text();
    const pallet_type pallet{name,         typed.length,      typed.width,      typed.height,
                             typed.weight, typed.load_height, typed.load_weight};
    // As for container types, only an exact spelling conflicts here.
    add_row(
        store_.pallet_name_exists(name), text::pallet_add_conflict,
        [&] { return store_.add_pallet(pallet).status; }, text::pallet_added);
}

}  // namespace varnel
