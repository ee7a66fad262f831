#pragma once

#include <functional>
#include <vector>

#include "catalogue/catalogue_store.h"
#include "dialogs/catalogue_dialog.h"
#include "ui/selection_list.h"

class QPushButton;

namespace varnel {

// Adds catalogue types from the entry fields, and picks one from a list to
// change or delete. Closes with accept() when the user asked to change the
// picked type: `edit_entry_name` then holds it.
class catalogue_rows_dialog : public catalogue_dialog {
public:
    virtual void add() = 0;
    void change();
    void remove();

    QPushButton* change_button{};
    QPushButton* delete_button{};

protected:
    // What the dialog says about its kind of type.
    struct row_texts {
        const char* choose_to_change;
        const char* choose_to_delete;
        const char* deleted;
    };

    catalogue_rows_dialog(catalogue_store& store, prompts& prompts, catalogue_host& host,
                          row_texts texts)
        : catalogue_dialog(prompts, host), store_(store), texts_(texts) {}

    // The form with its buttons connected, then the list `list_name` filled:
    // called from the constructor of the dialog whose fill_rows() it is.
    selection_list* build_rows(const char* title, int width, int height,
                               std::span<const form::control> controls, const char* list_name);

    // The list from the catalogue; false when it could not be read.
    virtual bool fill_rows() = 0;
    virtual write_status delete_row(const QString& name) = 0;
    // What else shows the types after a change; false when the action ends
    // here (the failure is reported as `failure`, or the dialog is gone).
    virtual bool refill_main_list(const char* /*failure*/) { return true; }

    template <class Row>
    bool show_rows(const read_result<std::vector<Row>>& rows) {
        rows_->clear();
        if (!rows.ok()) return false;
        for (const Row& row : rows.value) rows_->addItem(row.name);
        rows_->setCurrentIndex(-1);
        return true;
    }

    // The rest of an add once the entry is valid: a `taken` name is refused
    // with `conflict`, else `write` adds the type and `added` is said.
    void add_row(const read_result<bool>& taken, const char* conflict,
                 const std::function<write_status()>& write, const char* added);

    catalogue_store& store_;

private:
    selection_list* rows_{};
    row_texts texts_;
};

}  // namespace varnel
