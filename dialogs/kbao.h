#pragma once

#include "dialogs/catalogue_dialog.h"
#include "dialogs/dialog_parts.h"

class QPushButton;

namespace varnel {

class catalogue_store;
class selection_list;

// Adds carton types, and picks any carton type to change or delete. Closes
// with accept() when the user asked to change the picked type:
// `edit_entry_name` then holds it and the caller opens kgengaibao.
class kbao : public catalogue_dialog {
    Q_OBJECT
public:
    kbao(catalogue_store& store, prompts& prompts, catalogue_host& host);

    void add();
    void clear_entry();
    void change();
    void remove();

    selection_list* cartons{};
    QPushButton* change_button{};
    QPushButton* delete_button{};

private:
    void build();
    bool fill_cartons();

    catalogue_store& store_;
};

}  // namespace varnel
