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

kinputji::kinputji(prompts& prompts, catalogue_host& host) : catalogue_dialog(prompts, host) {
    build();
}

void kinputji::build() {
    set_up(*this, text::kinputji_title, 312, 183);

    QWidget* frame = add_frame(this, "", {4, 1, 295, 140});
    fields.add_sizes(frame,
                     {{{11, 16}, {37, 13, 65, 19}, {108, 16}},
                      {{11, 35}, {37, 32, 65, 19}, {108, 35}},
                      {{11, 53}, {37, 50, 65, 19}, {108, 53}}},
                     black);
    ok_button = add_button(frame, text::kinputji_ok_caption, {15, 78, 100, 23});
    cancel_button = add_button(frame, text::kinputji_cancel_caption, {15, 108, 100, 23});
    exit_button = add_button(this, text::wide_exit_caption, {70, 148, 153, 27});

    set_tab_order(
        {fields.length, fields.width, fields.height, ok_button, cancel_button, exit_button});
    fields.length->setFocus();

    connect(ok_button, &QPushButton::clicked, this, &kinputji::set_size);
    connect(cancel_button, &QPushButton::clicked, this, &kinputji::clear_sizes);
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

void kinputji::set_size() {
    const entry_reading reading = fields.read_container();
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
