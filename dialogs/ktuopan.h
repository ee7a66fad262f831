#pragma once

#include "dialogs/catalogue_rows_dialog.h"

namespace varnel {

// Adds pallet types, and picks one to change or delete; the delivered
// types too, as every pallet type is the user's to change. Closes with
// accept() when the user asked to change the picked type: `edit_entry_name`
// then holds it and the caller opens kgenggaituopan.
class ktuopan : public catalogue_rows_dialog {
    Q_OBJECT
public:
    ktuopan(catalogue_store& store, prompts& prompts, catalogue_host& host);

    void add() override;

    selection_list* pallets{};

private:
    bool fill_rows() override;
    write_status delete_row(const QString& name) override;
};

}  // namespace varnel
