#pragma once

#include <QDialog>
#include <QLineEdit>

#include <span>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
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

// Changes the catalogue type named by `edit_entry_name`: OK writes what was
// typed, Cancel brings back what the catalogue holds.
class entry_change_dialog : public catalogue_dialog {
public:
    // The fields from the catalogue, throwing away what was typed.
    virtual void fill() = 0;
    virtual void change() = 0;

protected:
    entry_change_dialog(catalogue_store& store, prompts& prompts, catalogue_host& host)
        : catalogue_dialog(prompts, host), store_(store) {}

    // The form with OK and Cancel connected, then the fields filled: called
    // from the constructor of the dialog whose fill() it is.
    void build_and_fill(const char* title, int width, int height,
                        std::span<const form::control> controls);

    // False when the entry may not take `name`: the lookup `find` failed, or
    // another type has the name (`conflict` said). The lookup ignores letter
    // case, so renaming "abc" to "ABC" finds the type itself and is refused.
    template <class Find>
    bool rename_allowed(const QString& name, Find find, const char* conflict) {
        if (name == host_.edit_entry_name()) return true;
        const auto found = find(name);
        if (!found.ok()) {
            say(text::container_change_failed);
            return false;
        }
        if (found.value) {
            say(conflict);
            fields.name->setFocus();
            return false;
        }
        return true;
    }

    catalogue_store& store_;
};

}  // namespace varnel
