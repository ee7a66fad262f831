#pragma once

#include "dialogs/catalogue_dialog.h"
#include "dialogs/dialog_parts.h"

class QPushButton;

namespace varnel {

class catalogue_store;
class selection_list;

// Adds container types, and picks one of the user's own types to change or
// delete; built-in types are never listed. Closes with accept() when the
// user asked to change the picked type: `edit_entry_name` then holds it and
// the caller opens kgenggai.
class kaddji : public catalogue_dialog {
    Q_OBJECT
public:
    kaddji(catalogue_store& store, prompts& prompts, catalogue_host& host);

    void add();
    void change();
    void remove();

    selection_list* user_types{};
    QPushButton* change_button{};
    QPushButton* delete_button{};

private:
    void build();
    bool fill_user_types();
    bool refill_main_list(const char* failure);

    catalogue_store& store_;
};

}  // namespace varnel
