#pragma once

#include <QWidget>

#include <optional>

#include "dialogs/mixed_host.h"
#include "plan/mixed_plan_format.h"
#include "plan/packing_list.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;
class QTableWidget;

namespace varnel {

class packing_table;
class prompts;
class selection_list;

// The packing list window of a mixed load ("混装计算"): the list as a table,
// rows added empty, from the carton catalogue or from a file (.csv, .xlsx,
// .ods), saved as .csv; the main window's container with its payload; "计
// 算", which has the main window plan and show the list; and the result per
// container and type. It stays open beside the main window, and may be
// made larger than designed: the list and the results grow.
class khunzhuang : public QWidget {
    Q_OBJECT
public:
    khunzhuang(prompts& prompts, mixed_host& host, QWidget* parent = nullptr);
    ~khunzhuang() override;

    // Where the window was last (its place and size) is kept in `settings`
    // and taken from there now; none keeps nothing.
    void remember_place_in(QSettings* settings);

    // The main window's container and the catalogue's cartons, read afresh
    // when the window is shown; a payload the user typed stays while the
    // container does.
    void refresh();
    // The container alone: the main window's size fields changed.
    void refresh_container();
    // A plan the main window shows (computed here or opened from a file):
    // its list goes into the table, its containers into the result table.
    void show_plan(const mixed_plan_file& plan);
    // The main window shows no mixed plan any more.
    void clear_results();

    void compute();
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
    void show_results(const mixed_plan_file& plan);

    prompts& prompts_;
    mixed_host& host_;
    std::optional<chosen_container> container_;
    std::vector<offered_carton> offered_;
    QSettings* places_ = nullptr;
    int widened_ = 0;  // the names' columns' share of the extra width
};

}  // namespace varnel
