#pragma once

#include <QString>

#include "catalogue/entry_input.h"

class QDialog;
class QLineEdit;
class QWidget;

namespace varnel {

class prompts;
struct pallet_type;

// What the five catalogue dialogs share: their look and the fields of an
// entry.
namespace dialog_parts {

// Title, the dialogs' font and a client area of fixed size.
void set_up(QDialog& dialog, const char* title, int width, int height);

// The name field (absent when the dialog has none), the three size fields
// and a pallet type's three more.
struct entry_fields {
    QLineEdit* name = nullptr;
    QLineEdit* length = nullptr;
    QLineEdit* width = nullptr;
    QLineEdit* height = nullptr;
    QLineEdit* weight = nullptr;
    QLineEdit* load_height = nullptr;
    QLineEdit* load_weight = nullptr;

    // The fields a form's table made, by their names "name_field",
    // "length_field", "width_field", "height_field", "weight_field",
    // "load_height_field" and "load_weight_field".
    static entry_fields of(const QWidget& form);
    QLineEdit* field(entry_field which) const;
    void clear() const;
    // The sizes in millimetres, shown in centimetres.
    void show_sizes(float length_mm, float width_mm, float height_mm) const;

    entry_reading read_container() const;
    // The container of the plan at hand, typed in 手动输入.
    entry_reading read_plan_container() const;
    entry_reading read_carton() const;

    // A pallet type: sizes in centimetres, weights in kilograms.
    void show_pallet(const pallet_type& pallet) const;
    pallet_reading read_pallet() const;
};

// Shows the refusal's message and puts the focus on its field.
void refuse(prompts& prompts, const entry_refusal& refusal, const entry_fields& fields);

// "确实要删除“<name>”吗？"
QString delete_question(const QString& name);

}  // namespace dialog_parts
}  // namespace varnel
