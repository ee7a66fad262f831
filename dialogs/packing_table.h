#pragma once

#include <QTableWidget>

class QComboBox;

#include <array>

#include "engine/mixed/request.h"
#include "plan/packing_list.h"

namespace varnel {

// A carton type of the catalogue, as the packing list window offers it.
struct offered_carton {
    QString name;
    std::array<float, 3> size{};  // length, width, height in millimetres
};

// The packing list as the user edits it: one carton type a row, the columns
// in the order the program writes them (名称, 长, 宽, 高, 数量, 毛重, 可竖放,
// 可堆码, 承重, 最多层数, 托盘), sizes in cm. 可竖放 is a choice of the ways a loader knows, 可堆码
// a check box, 托盘 a choice of the catalogue's pallet types (blank: loose), and each row's number
// is marked with its type's colour. Keys work as in a spreadsheet: Enter goes down a row
// (Shift+Enter up), Tab on the last cell adds a row; Ctrl+Enter asks to compute.
class packing_table : public QTableWidget {
    Q_OBJECT
public:
    explicit packing_table(QWidget* parent = nullptr);

    // A row at the end: empty, one read from a list, or a catalogue carton
    // (its quantity left for the user). Returns the row.
    int add_empty_row();
    int add_carton(const carton_type& carton, const std::string& pallet = {});
    int add_offered(const offered_carton& carton);
    void remove_selected_rows();
    void remove_blank_rows();
    void clear_rows();

    // The rows as the packing list reader reads a file: a header row, then
    // each row with its number as its line; a row whose typed cells are
    // blank is blank.
    text_table cells() const;
    // Puts the focus on the cell a refusal names (its line is the row).
    void point_at(const list_refusal& refusal);

    // The 可竖放 choice of a row, as the reader's letters (empty: any).
    QComboBox* vertical_choice(int row) const;
    // The 托盘 choice of a row: blank, or a pallet type's name.
    QComboBox* pallet_choice(int row) const;
    // The pallet types every row offers; a row keeps its own choice.
    void set_pallet_names(const QStringList& names);

    // Enter (or Shift+Enter, Ctrl+Enter) pressed on a cell, typed into or not.
    void enter_pressed(Qt::KeyboardModifiers modifiers);

signals:
    void compute_requested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void set_vertical(int row, orientation_set allowed);
    void set_pallet(int row, const QString& name);
    QStringList pallet_names_;
    void recolour();
    bool blank(int row) const;
};

}  // namespace varnel
