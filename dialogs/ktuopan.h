#pragma once

#include "dialogs/catalogue_dialog.h"
#include "dialogs/dialog_parts.h"

class QPushButton;

namespace varnel {

class catalogue_store;
class selection_list;

// Adds pallet types, and picks one to change or delete; the delivered
// types too, as every pallet type is the user's to change. Closes with
// accept() when the user asked to change the picked type: `edit_entry_name`
// then holds it and the caller opens kgenggaituopan.
class ktuopan : public catalogue_dialog {
    Q_OBJECT
public:
    ktuopan(catalogue_store& store, prompts& prompts, catalogue_host& host);

    void add();
    void change();
    void remove();

    selection_list* pallets{};
    QPushButton* change_button{};
    QPushButton* delete_button{};

private:
    void build();
    bool fill_pallets();

    catalogue_store& store_;
};

}  // namespace varnel
