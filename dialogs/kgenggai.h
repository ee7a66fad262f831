#pragma once

#include "dialogs/catalogue_dialog.h"

namespace varnel {

// Changes the name and size of the user's container type named by
// `edit_entry_name`; after a change `edit_entry_name` holds the new name.
class kgenggai : public entry_change_dialog {
    Q_OBJECT
public:
    kgenggai(catalogue_store& store, prompts& prompts, catalogue_host& host);

    void fill() override;
    void change() override;
};

}  // namespace varnel
