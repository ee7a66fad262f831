#include "dialogs/kaddji.h"

#include <QLineEdit>
#include <QPushButton>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "dialogs/catalogue_host.h"
#include "ui/palette.h"
#include "ui/prompts.h"
#include "ui/selection_list.h"

namespace varnel {

using namespace dialog_parts;

namespace {

using form::kind;
using palette::blue, palette::dark_blue, palette::dark_red;

// clang-format off
constexpr form::control controls[] = {
    {"entry_frame", kind::frame, "", {3, 3, 306, 140}, text::kaddji_add_frame, dark_blue},
    {"name_label", kind::label, "entry_frame", {14, 21, 0, 0}, text::container_name_label},
    {"name_field", kind::field, "entry_frame", {87, 20, 182, 18}},
    {"length_label", kind::label, "entry_frame", {14, 44, 0, 0}, text::length_label},
    {"length_field", kind::field, "entry_frame", {41, 41, 67, 18}},
    {"length_unit", kind::label, "entry_frame", {115, 44, 0, 0}, text::unit_label, blue},
    {"width_label", kind::label, "entry_frame", {14, 64, 0, 0}, text::width_label},
    {"width_field", kind::field, "entry_frame", {41, 61, 67, 18}},
    {"width_unit", kind::label, "entry_frame", {115, 61, 0, 0}, text::unit_label, blue},
    {"height_label", kind::label, "entry_frame", {14, 84, 0, 0}, text::height_label},
    {"height_field", kind::field, "entry_frame", {42, 81, 67, 18}},
    {"height_unit", kind::label, "entry_frame", {115, 84, 0, 0}, text::unit_label, blue},
    {"ok_button", kind::button, "entry_frame", {14, 108, 96, 23}, text::ok_caption},
    {"cancel_button", kind::button, "entry_frame", {138, 108, 95, 23}, text::cancel_caption},
    {"pick_frame", kind::frame, "", {4, 147, 306, 123}, text::kaddji_pick_frame, blue},
    {"pick_prompt", kind::label, "pick_frame", {8, 18, 0, 0}, text::kaddji_pick_prompt},
    {"note", kind::label, "pick_frame", {14, 34, 0, 0}, text::kaddji_note, dark_red},
    {"user_types", kind::list, "pick_frame", {64, 58, 166, 20}},
    {"change_button", kind::button, "pick_frame", {35, 91, 105, 24}, text::kaddji_change_caption},
    {"delete_button", kind::button, "pick_frame", {156, 91, 105, 24}, text::kaddji_delete_caption},
    {"exit_button", kind::button, "", {59, 276, 183, 28}, text::wide_exit_caption},
};
// clang-format on

}  // namespace

kaddji::kaddji(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : catalogue_rows_dialog(store, prompts, host,
                            {text::choose_container_to_change, text::choose_container_to_delete,
                             text::container_deleted}) {
    user_types = build_rows(text::kaddji_title, 315, 309, controls, "user_types");
}

bool kaddji::fill_rows() { return show_rows(store_.user_containers()); }

write_status kaddji::delete_row(const QString& name) {
    return store_.delete_container(name).status;
}

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
    add_row(
        store_.container_name_exists(name), text::container_add_conflict,
        [&] { return store_.add_container(name, size.length, size.width, size.height).status; },
        text::container_added);
}

}  // namespace varnel
