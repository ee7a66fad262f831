#include "dialogs/kinputji.h"

#include <QLineEdit>
#include <QPushButton>

#include "catalogue/messages.h"
#include "dialogs/catalogue_host.h"
#include "engine/numbers.h"
#include "ui/frame_box.h"
#include "ui/prompts.h"

namespace varnel {

using namespace dialog_parts;

namespace {

using form::kind;

// clang-format off
constexpr form::control controls[] = {
    {"frame", kind::frame, "", {4, 1, 295, 140}},
    {"length_label", kind::label, "frame", {11, 16, 0, 0}, text::length_label},
    {"length_field", kind::field, "frame", {37, 13, 65, 19}},
    {"length_unit", kind::label, "frame", {108, 16, 0, 0}, text::unit_label},
    {"width_label", kind::label, "frame", {11, 35, 0, 0}, text::width_label},
    {"width_field", kind::field, "frame", {37, 32, 65, 19}},
    {"width_unit", kind::label, "frame", {108, 35, 0, 0}, text::unit_label},
    {"height_label", kind::label, "frame", {11, 53, 0, 0}, text::height_label},
    {"height_field", kind::field, "frame", {37, 50, 65, 19}},
    {"height_unit", kind::label, "frame", {108, 53, 0, 0}, text::unit_label},
    {"ok_button", kind::button, "frame", {15, 78, 100, 23}, text::kinputji_ok_caption},
    {"cancel_button", kind::button, "frame", {15, 108, 100, 23}, text::kinputji_cancel_caption},
    {"exit_button", kind::button, "", {70, 148, 153, 27}, text::wide_exit_caption},
};
// clang-format on

}  // namespace

kinputji::kinputji(prompts& prompts, catalogue_host& host) : catalogue_dialog(prompts, host) {
    build();
}

void kinputji::build() {
    build_form(text::kinputji_title, 312, 183, controls);
    connect(ok_button, &QPushButton::clicked, this, &kinputji::set_size);
    connect(cancel_button, &QPushButton::clicked, this, &kinputji::clear_sizes);
}

void kinputji::set_size() {
    const entry_reading reading = fields.read_plan_container();
    if (const auto* refusal = std::get_if<entry_refusal>(&reading)) {
        return refuse(prompts_, *refusal, fields);
    }
    // Through millimetres and back, so the fields show what a stored size
    // of the same text would show.
    const entry_sizes& size = std::get<entry_sizes>(reading);
    host_.set_manual_container_size(qtext(size_text_cm(size.length)),
                                    qtext(size_text_cm(size.width)),
                                    qtext(size_text_cm(size.height)));
    prompts_.message(qtext(text::manual_size_accepted));
    accept();
}

void kinputji::clear_sizes() {
    fields.clear();
    fields.length->setFocus();
}

}  // namespace varnel
