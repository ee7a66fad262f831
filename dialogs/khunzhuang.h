#pragma once

#include <QWidget>

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "dialogs/packing_table.h"
#include "engine/core/placement.h"
#include "engine/mixed/mixed_summary.h"
#include "plan/mixed_plan_format.h"
#include "plan/packing_list.h"
#include "plan/pallet_list.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;
class QDoubleSpinBox;
class QTableWidget;

namespace varnel {

class prompts;
class selection_list;

// The main window's container: its type's name when the size fields hold
// that type's size, and the size along x (width), y (length), z (up) in
// millimetres with the type's payload when the catalogue knows it.
struct chosen_container {
    std::string type_name;
    container_space container;
};

// The packing list window of a mixed load ("混装计算"): the list as a table,
// rows added empty, from the carton catalogue or from a file (.csv, .xlsx,
// .ods), saved as .csv; the main window's container with its payload; "计
// 算", which asks the main window to plan the order the window hands back;
// and the result per container and type. It stays open beside the main
// window, and may be made larger than designed: the list and the results
// grow. It knows nothing of the main window: it is told the catalogue's
// cartons, the container and the plan shown.
class khunzhuang : public QWidget {
    Q_OBJECT
public:
    explicit khunzhuang(prompts& prompts, QWidget* parent = nullptr);
    ~khunzhuang() override;

    // Where the window was last (its place and size) is kept in `settings`
    // and taken from there now; none keeps nothing.
    void remember_place_in(QSettings* settings);

    // The catalogue's cartons and the main window's container (or why its
    // size fields hold none); a payload the user typed stays while the
    // container does.
    void refresh(std::vector<offered_carton> offered,
                 const std::variant<chosen_container, QString>& container);
    // The catalogue's pallet types, which the 托盘 column offers and the
    // order is palletised on.
    void set_pallets(pallet_catalogue pallets);
    // The container alone: the main window's size fields changed.
    void refresh_container(const std::variant<chosen_container, QString>& container);
    // The order to plan: the container with the payload typed and the list
    // as the planner reads it; none once a refusal was shown (over this
    // window, the focus on what it refuses).
    std::optional<mixed_plan_file> order();
    // A plan the main window shows: its containers go into the result
    // table, read from its one summary, each with its centre of gravity and
    // balance where the weights are known; show_plan puts its list and its
    // weight rules into the window too (opened from a file).
    void show_results(const mixed_plan_file& plan, const mixed_summary& summary);
    void show_plan(const mixed_plan_file& plan, const mixed_summary& summary);
    // The main window shows no mixed plan any more.
    void clear_results();

    void import_list();
    void save_list();
    void add_from_catalogue();

    packing_table* list_table{};
    QPushButton *add_row_button{}, *remove_rows_button{}, *add_carton_button{};
    QPushButton *import_button{}, *save_list_button{}, *compute_button{}, *close_button{};
    selection_list* carton_choice{};
    QLabel* container_text{};
    QLineEdit* payload_field{};
    QTableWidget* result_table{};
    // The weight rules the order is planned by: heavy not on light, and the
    // band around the container's middle its centre of gravity keeps to
    // (whole per cents of its length and width); both bite only where the
    // list gives weights.
    QCheckBox *heavy_box{}, *balance_box{};
    QDoubleSpinBox* balance_field{};
    selection_list*
        pallet_rest_choice{};            // the cartons that fill no whole pallet: on one, or loose
    QCheckBox* pallets_stackable_box{};  // 托盘可堆码

signals:
    // "计　　算", Enter in the payload or Ctrl+Enter in the table.
    void compute_requested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    static constexpr const char* place_key = "packing_list_window/place";
    void build();
    void keep_place();
    // The table read as the planner reads a list, or none after the refusal
    // was shown with the focus on its cell.
    std::optional<packing_list> read_table();
    weight_rules weight_rules_chosen() const;
    void show_weight_rules(const weight_rules& rules);

    prompts& prompts_;
    std::optional<chosen_container> container_;
    std::vector<offered_carton> offered_;
    pallet_catalogue pallets_;
    QSettings* places_ = nullptr;
    int widened_ = 0;  // the names' columns' share of the extra width
};

}  // namespace varnel
