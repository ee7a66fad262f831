#pragma once

#include <QDialog>

#include <span>

#include "dialogs/catalogue_host.h"
#include "dialogs/dialog_parts.h"
#include "ui/form.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

class QPushButton;

namespace varnel {

// What every catalogue dialog has: a modal dialog over the main window, the
// prompts it speaks through and the main window behind catalogue_host, the
// fields of an entry, and OK, Cancel and exit buttons.
class catalogue_dialog : public QDialog {
public:
    catalogue_dialog(prompts& prompts, catalogue_host& host)
        : QDialog(host.dialog_parent()), prompts_(prompts), host_(host) {}

    dialog_parts::entry_fields fields;  // in kinputji without a name field
    QPushButton* ok_button{};
    QPushButton* cancel_button{};
    QPushButton* exit_button{};

protected:
    // Title, size and the controls of the table, whose order is the keyboard
    // order; the focus in the first field, the exit button closing.
    void build_form(const char* title, int width, int height,
                    std::span<const form::control> controls);

    void say(const char* message) { prompts_.message(qtext(message)); }

    prompts& prompts_;
    catalogue_host& host_;
};

}  // namespace varnel
