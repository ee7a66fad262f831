#pragma once

#include "dialogs/catalogue_dialog.h"
#include "dialogs/dialog_parts.h"

class QPushButton;

namespace varnel {

class catalogue_store;

// Changes the name and size of the carton type named by `edit_entry_name`,
// and the main window's carton fields when its list shows that type.
class kgengaibao : public catalogue_dialog {
    Q_OBJECT
public:
    kgengaibao(catalogue_store& store, prompts& prompts, catalogue_host& host);

    // The fields from the catalogue, throwing away what was typed.
    void fill();
    void change();

private:
    void build();

    catalogue_store& store_;
};

}  // namespace varnel
