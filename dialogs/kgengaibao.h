#pragma once

#include "dialogs/catalogue_dialog.h"

namespace varnel {

// Changes the name and size of the carton type named by `edit_entry_name`,
// and the main window's carton fields when its list shows that type.
class kgengaibao : public entry_change_dialog {
    Q_OBJECT
public:
    kgengaibao(catalogue_store& store, prompts& prompts, catalogue_host& host);

    void fill() override;
    void change() override;
};

}  // namespace varnel
