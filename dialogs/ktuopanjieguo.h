#pragma once

#include <QDialog>
#include <QString>

#include "engine/single/pallet_load.h"

class QLabel;
class QPushButton;

namespace varnel {

// The plan of a pallet: its lines (cartons, layers, the pattern chosen, the
// bound with "已是最优方案" when proven, the loaded pallet's size and
// weight) and a layer seen from above, both layers where they alternate.
class ktuopanjieguo : public QDialog {
    Q_OBJECT
public:
    ktuopanjieguo(const pallet_plan& plan, const pallet_measures& pallet,
                  const QString& pallet_name, QWidget* parent = nullptr);

    // The whole loaded pallet in three dimensions (a widget of a higher
    // layer): the checkable "三维视图" beside the exit button shows it in
    // place of the layers' drawings, and shows them again.
    void add_solid_view(QWidget* view);
    void show_solid(bool on);

    QLabel* result_text{};
    // One drawing per layer pattern.
    std::vector<QWidget*> layer_drawings;
    QPushButton* exit_button{};
    QWidget* solid{};
    QPushButton* solid_button{};
};

}  // namespace varnel
