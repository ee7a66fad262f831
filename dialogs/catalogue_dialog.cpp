#include "dialogs/catalogue_dialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace varnel {

void catalogue_dialog::build_form(const char* title, int width, int height,
                                  std::span<const form::control> controls) {
    dialog_parts::set_up(*this, title, width, height);
    form::build(*this, controls);
    fields = dialog_parts::entry_fields::of(*this);
    ok_button = form::part<QPushButton>(*this, "ok_button");
    cancel_button = form::part<QPushButton>(*this, "cancel_button");
    exit_button = form::part<QPushButton>(*this, "exit_button");
    (fields.name ? fields.name : fields.length)->setFocus();
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

void entry_change_dialog::build_and_fill(const char* title, int width, int height,
                                         std::span<const form::control> controls) {
    build_form(title, width, height, controls);
    connect(ok_button, &QPushButton::clicked, this, &entry_change_dialog::change);
    connect(cancel_button, &QPushButton::clicked, this, &entry_change_dialog::fill);
    fill();
}

}  // namespace varnel
