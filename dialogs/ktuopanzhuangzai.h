#pragma once

#include <QDialog>
#include <QString>

#include <optional>

#include "engine/single/pallet_load.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace varnel {

class catalogue_store;
class prompts;
class selection_list;

// "托盘装载": a pallet type of the catalogue and a carton (its sizes, and
// its gross weight when known); the button plans the most cartons on the
// pallet and closes the dialog, leaving the plan for the result dialog.
class ktuopanzhuangzai : public QDialog {
    Q_OBJECT
public:
    // The carton fields start from the main window's (centimetres as typed).
    ktuopanzhuangzai(catalogue_store& store, prompts& prompts, const QString& length,
                     const QString& width, const QString& height, QWidget* parent = nullptr);

    // Reads the fields and plans; refuses with a message instead.
    void work_out();

    // The plan once worked out, and the pallet type it is for.
    const std::optional<pallet_plan>& plan() const { return plan_; }
    const pallet_measures& pallet() const { return pallet_; }
    QString pallet_name() const { return pallet_name_; }

    selection_list* pallets{};
    QLineEdit* length_field{};
    QLineEdit* width_field{};
    QLineEdit* height_field{};
    QLineEdit* weight_field{};
    QCheckBox* upright_box{};
    QPushButton* work_out_button{};
    QPushButton* exit_button{};

private:
    void build(const QString& length, const QString& width, const QString& height);
    void refuse(const char* message, QLineEdit* field);

    catalogue_store& store_;
    prompts& prompts_;
    std::optional<pallet_plan> plan_;
    pallet_measures pallet_;
    QString pallet_name_;
};

}  // namespace varnel
