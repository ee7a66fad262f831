#include "dialogs/catalogue_rows_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "catalogue/messages.h"
#include "ui/prompts.h"

namespace varnel {

using namespace dialog_parts;

selection_list* catalogue_rows_dialog::build_rows(const char* title, int width, int height,
                                                  std::span<const form::control> controls,
                                                  const char* list_name) {
    build_form(title, width, height, controls);
    rows_ = form::part<selection_list>(*this, list_name);
    change_button = form::part<QPushButton>(*this, "change_button");
    delete_button = form::part<QPushButton>(*this, "delete_button");

    connect(ok_button, &QPushButton::clicked, this, &catalogue_rows_dialog::add);
    connect(cancel_button, &QPushButton::clicked, this, [this] { fields.clear(); });
    connect(change_button, &QPushButton::clicked, this, &catalogue_rows_dialog::change);
    connect(delete_button, &QPushButton::clicked, this, &catalogue_rows_dialog::remove);
    if (!fill_rows()) say(text::program_error);
    return rows_;
}

void catalogue_rows_dialog::add_row(const read_result<bool>& taken, const char* conflict,
                                    const std::function<write_status()>& write, const char* added) {
    if (!taken.ok()) return say(text::program_error);
    if (taken.value) {
        say(conflict);
        fields.name->setFocus();
        return;
    }
    if (write() != write_status::done) return say(text::program_error);
    say(added);
    if (!fill_rows()) return say(text::program_error);
    if (!refill_main_list(text::program_error)) return;
    fields.clear();
    fields.name->setFocus();
}

void catalogue_rows_dialog::change() {
    const QString name = rows_->currentText();
    if (name.isEmpty()) return say(texts_.choose_to_change);
    host_.edit_entry_name() = name;
    accept();
}

void catalogue_rows_dialog::remove() {
    const QString name = rows_->currentText();
    if (name.isEmpty()) return say(texts_.choose_to_delete);
    if (!prompts_.question(delete_question(name))) return;
    // A type that has gone meanwhile is as good as deleted.
    if (delete_row(name) == write_status::failed) return say(text::container_delete_failed);
    say(texts_.deleted);
    if (!fill_rows()) return say(text::container_delete_failed);
    refill_main_list(text::container_delete_failed);
}

}  // namespace varnel
