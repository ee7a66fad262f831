#include "dialogs/kbao.h"

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
using palette::red;

// clang-format off
constexpr form::control controls[] = {
    {"entry_frame", kind::frame, "", {5, 5, 234, 162}, text::kbao_add_frame},
    {"name_label", kind::label, "entry_frame", {12, 20, 0, 0}, text::kbao_name_label},
    {"name_field", kind::field, "entry_frame", {87, 15, 133, 21}},
    {"length_label", kind::label, "entry_frame", {16, 45, 0, 0}, text::length_label},
    {"length_field", kind::field, "entry_frame", {42, 42, 91, 18}},
    {"length_unit", kind::label, "entry_frame", {136, 45, 0, 0}, text::unit_label, red},
    {"width_label", kind::label, "entry_frame", {16, 71, 0, 0}, text::width_label},
    {"width_field", kind::field, "entry_frame", {42, 67, 91, 18}},
    {"width_unit", kind::label, "entry_frame", {136, 71, 0, 0}, text::unit_label, red},
    {"height_label", kind::label, "entry_frame", {16, 98, 0, 0}, text::height_label},
    {"height_field", kind::field, "entry_frame", {42, 95, 91, 18}},
    {"height_unit", kind::label, "entry_frame", {136, 96, 0, 0}, text::unit_label, red},
    {"ok_button", kind::button, "entry_frame", {28, 125, 76, 26}, text::ok_caption},
    {"cancel_button", kind::button, "entry_frame", {123, 125, 76, 26}, text::cancel_caption},
    {"pick_frame", kind::frame, "", {3, 174, 239, 93}, text::kbao_pick_frame},
    {"cartons", kind::list, "pick_frame", {35, 19, 170, 20}},
    {"change_button", kind::button, "pick_frame", {28, 53, 77, 27}, text::kbao_change_caption},
    {"delete_button", kind::button, "pick_frame", {121, 53, 77, 27}, text::kbao_delete_caption},
    {"exit_button", kind::button, "", {54, 274, 121, 26}, text::narrow_exit_caption},
};
// clang-format on

}  // namespace

kbao::kbao(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : catalogue_dialog(prompts, host), store_(store) {
    build();
    if (!fill_cartons()) say(text::carton_list_failed);
}

void kbao::build() {
    build_form(text::kbao_title, 247, 308, controls);
    cartons = form::part<selection_list>(*this, "cartons");
    change_button = form::part<QPushButton>(*this, "change_button");
    delete_button = form::part<QPushButton>(*this, "delete_button");

    connect(ok_button, &QPushButton::clicked, this, &kbao::add);
    connect(cancel_button, &QPushButton::clicked, this, &kbao::clear_entry);
    connect(change_button, &QPushButton::clicked, this, &kbao::change);
    connect(delete_button, &QPushButton::clicked, this, &kbao::remove);
}

bool kbao::fill_cartons() {
    cartons->clear();
    const read_result<std::vector<catalogue_carton>> rows = store_.all_cartons();
    if (!rows.ok()) return false;
    for (const catalogue_carton& row : rows.value) cartons->addItem(row.name);
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
    const read_result<std::optional<catalogue_carton>> found = store_.find_carton(name);
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
