#include "dialogs/kgengaibao.h"

#include <QLineEdit>
#include <QPushButton>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "dialogs/catalogue_host.h"
#include "engine/numbers.h"
#include "ui/frame_box.h"
#include "ui/palette.h"
#include "ui/prompts.h"

namespace varnel {

using namespace dialog_parts;

namespace {

using form::kind;
using palette::red;

// clang-format off
constexpr form::control controls[] = {
    {"frame", kind::frame, "", {8, 11, 280, 159}, text::kgengaibao_frame},
    {"name_label", kind::label, "frame", {13, 24, 0, 0}, text::kgengaibao_name_label},
    {"name_field", kind::field, "frame", {108, 19, 151, 22}},
    {"length_label", kind::label, "frame", {27, 48, 0, 0}, text::length_label},
    {"length_field", kind::field, "frame", {55, 46, 64, 20}},
    {"length_unit", kind::label, "frame", {125, 50, 0, 0}, text::unit_label, red},
    {"width_label", kind::label, "frame", {27, 73, 0, 0}, text::width_label},
    {"width_field", kind::field, "frame", {55, 71, 64, 18}},
    {"width_unit", kind::label, "frame", {125, 74, 0, 0}, text::unit_label, red},
    {"height_label", kind::label, "frame", {27, 96, 0, 0}, text::height_label},
    {"height_field", kind::field, "frame", {55, 95, 64, 18}},
    {"height_unit", kind::label, "frame", {125, 98, 0, 0}, text::unit_label, red},
    {"ok_button", kind::button, "frame", {36, 123, 87, 24}, text::ok_caption},
    {"cancel_button", kind::button, "frame", {147, 123, 87, 24}, text::cancel_caption},
    {"exit_button", kind::button, "", {65, 179, 151, 25}, text::narrow_exit_caption},
};
// clang-format on

}  // namespace

kgengaibao::kgengaibao(catalogue_store& store, prompts& prompts, catalogue_host& host)
    : entry_change_dialog(store, prompts, host) {
    build_and_fill(text::kgengaibao_title, 297, 213, controls);
}

void kgengaibao::fill() {
    const read_result<std::optional<catalogue_carton>> found =
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
        const read_result<std::optional<catalogue_carton>> found = store_.find_carton(name);
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
