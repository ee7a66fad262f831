#pragma once

#include <QDialog>

#include "dialogs/dialog_parts.h"

class QPushButton;

namespace varnel {

class catalogue_host;
class catalogue_store;
class prompts;

// Changes the name and size of the user's container type named by
// `edit_entry_name`; after a change `edit_entry_name` holds the new name.
class kgenggai : public QDialog {
    Q_OBJECT
public:
    kgenggai(catalogue_store& store, prompts& prompts, catalogue_host& host);

    // The fields from the catalogue, throwing away what was typed.
    void fill();
    void change();

    dialog_parts::entry_fields fields;
    QPushButton* ok_button{};
    QPushButton* cancel_button{};
    QPushButton* exit_button{};

private:
    void build();
    void say(const char* message);

    catalogue_store& store_;
    prompts& prompts_;
    catalogue_host& host_;
};

}  // namespace varnel
