#pragma once

#include "dialogs/catalogue_rows_dialog.h"

namespace varnel {

// Adds container types, and picks one of the user's own types to change or
// delete; built-in types are never listed. Closes with accept() when the
// user asked to change the picked type: `edit_entry_name` then holds it and
// the caller opens kgenggai.
class kaddji : public catalogue_rows_dialog {
    Q_OBJECT
public:
    kaddji(catalogue_store& store, prompts& prompts, catalogue_host& host);

    void add() override;

    selection_list* user_types{};

private:
    bool fill_rows() override;
    write_status delete_row(const QString& name) override;
    bool refill_main_list(const char* failure) override;
};

}  // namespace varnel
