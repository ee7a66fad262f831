#pragma once

#include "dialogs/catalogue_dialog.h"
#include "dialogs/dialog_parts.h"

namespace varnel {

class catalogue_store;

// Changes the pallet type named by `edit_entry_name`; after a change
// `edit_entry_name` holds the new name.
class kgenggaituopan : public catalogue_dialog {
    Q_OBJECT
public:
    kgenggaituopan(catalogue_store& store, prompts& prompts, catalogue_host& host);

    // The fields from the catalogue, throwing away what was typed.
    void fill();
    void change();

private:
    void build();

    catalogue_store& store_;
};

}  // namespace varnel
