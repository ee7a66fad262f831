#include "dialogs/packing_table.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPixmap>

#include <algorithm>
#include <functional>

#include "dialogs/messages.h"
#include "engine/numbers.h"
#include "plan/messages.h"
#include "ui/qtext.h"
#include "view/type_colours.h"

namespace varnel {

namespace {

constexpr int name_column = 0, quantity_column = 4, weight_column = 5, vertical_column = 6,
              stackable_column = 7, text_columns = 6;

// Sides as the reader's mask: bit 0 length, bit 1 width, bit 2 height.
unsigned mask_of(orientation_set allowed) {
    unsigned mask = 0;
    for (std::size_t side = 0; side < 3; ++side) {
        if (allowed.allows_vertical(side)) mask |= 1u << side;
    }
    return mask;
}

// The reader's letters for a mask; all three sides are written as blank.
std::string letters_of(unsigned mask) {
    if (mask == 0b111u) return {};
    static const char* const sides[3] = {"长", "宽", "高"};
    std::string s;
    for (std::size_t side = 0; side < 3; ++side) {
        if (((mask >> side) & 1u) != 0) s += sides[side];
    }
    return s;
}

// The choices a loader knows; a list may bring another, named by its sides.
struct vertical_choice_row {
    unsigned mask;
    const char* caption;
};
constexpr vertical_choice_row known_choices[] = {
    {0b111u, text::vertical_any},
    {0b100u, text::vertical_this_side_up},
    {0b110u, text::vertical_length_flat},
};

QIcon swatch(std::size_t type) {
    const rgb c = type_colour(type);
    QPixmap p(12, 12);
    p.fill(QColor(c.red, c.green, c.blue));
    return QIcon(p);
}

}  // namespace

packing_table::packing_table(QWidget* parent) : QTableWidget(0, 8, parent) {
    QStringList headers;
    for (const char* h :
         {text::list_name_column, text::list_length_column, text::list_width_column,
          text::list_height_column, text::list_quantity_column, text::list_weight_column,
          text::list_vertical_column, text::list_stackable_column}) {
        headers << qtext(h);
    }
    setHorizontalHeaderLabels(headers);
    const int widths[] = {150, 62, 62, 62, 66, 70, 104, 52};
    for (int c = 0; c < 8; ++c) setColumnWidth(c, widths[c]);
    verticalHeader()->setDefaultSectionSize(22);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    connect(this, &QTableWidget::itemChanged, this, [this] { recolour(); });
}

int packing_table::add_empty_row() {
    const int row = rowCount();
    const QSignalBlocker quiet(this);
    insertRow(row);
    for (int c = 0; c < text_columns; ++c) setItem(row, c, new QTableWidgetItem);
    auto* stackable = new QTableWidgetItem;
    stackable->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    stackable->setCheckState(Qt::Checked);
    setItem(row, stackable_column, stackable);
    auto* choice = new QComboBox;
    for (const vertical_choice_row& k : known_choices) choice->addItem(qtext(k.caption), k.mask);
    setCellWidget(row, vertical_column, choice);
    recolour();
    return row;
}

int packing_table::add_carton(const carton_type& carton) {
    const int row = add_empty_row();
    const QSignalBlocker quiet(this);
    item(row, name_column)->setText(qtext(carton.name));
    for (std::size_t k = 0; k < 3; ++k) {
        item(row, 1 + static_cast<int>(k))
            ->setText(qtext(size_text_cm(static_cast<float>(carton.size[k]))));
    }
    item(row, quantity_column)->setText(QString::number(carton.quantity));
    if (carton.weight) {
        item(row, weight_column)->setText(qtext(format_number(static_cast<float>(*carton.weight))));
    }
    set_vertical(row, carton.allowed);
    item(row, stackable_column)->setCheckState(carton.stackable ? Qt::Checked : Qt::Unchecked);
    recolour();
    return row;
}

int packing_table::add_offered(const offered_carton& carton) {
    const int row = add_empty_row();
    const QSignalBlocker quiet(this);
    item(row, name_column)->setText(carton.name);
    for (std::size_t k = 0; k < 3; ++k) {
        item(row, 1 + static_cast<int>(k))->setText(qtext(size_text_cm(carton.size[k])));
    }
    recolour();
    return row;
}

void packing_table::set_vertical(int row, orientation_set allowed) {
    QComboBox* choice = vertical_choice(row);
    const unsigned mask = mask_of(allowed);
    int at = choice->findData(mask);
    if (at < 0) {
        choice->addItem(qtext(text::vertical_only_prefix) + qtext(letters_of(mask)) +
                            qtext(text::vertical_only_suffix),
                        mask);
        at = choice->count() - 1;
    }
    choice->setCurrentIndex(at);
}

QComboBox* packing_table::vertical_choice(int row) const {
    return qobject_cast<QComboBox*>(cellWidget(row, vertical_column));
}

void packing_table::remove_selected_rows() {
    QList<int> rows;
    for (const QTableWidgetSelectionRange& r : selectedRanges()) {
        for (int row = r.topRow(); row <= r.bottomRow(); ++row) {
            if (!rows.contains(row)) rows << row;
        }
    }
    if (rows.isEmpty() && currentRow() >= 0) rows << currentRow();
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int row : rows) removeRow(row);
    recolour();
}

void packing_table::remove_blank_rows() {
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (blank(row)) removeRow(row);
    }
    recolour();
}

void packing_table::clear_rows() {
    setRowCount(0);
    recolour();
}

bool packing_table::blank(int row) const {
    for (int c = 0; c < text_columns; ++c) {
        const QTableWidgetItem* cell = item(row, c);
        if (cell && !cell->text().trimmed().isEmpty()) return false;
    }
    return true;
}

text_table packing_table::cells() const {
    text_table table;
    text_row header{0, {}};
    for (std::size_t f = 0; f < list_field_count; ++f) {
        header.cells.emplace_back(field_header(static_cast<list_field>(f)));
    }
    table.push_back(std::move(header));
    for (int row = 0; row < rowCount(); ++row) {
        text_row r{static_cast<std::size_t>(row) + 1, std::vector<std::string>(list_field_count)};
        if (!blank(row)) {
            for (int c = 0; c < text_columns; ++c) {
                const QTableWidgetItem* cell = item(row, c);
                if (cell) r.cells[static_cast<std::size_t>(c)] = cell->text().toStdString();
            }
            r.cells[vertical_column] = letters_of(vertical_choice(row)->currentData().toUInt());
            r.cells[stackable_column] = item(row, stackable_column)->checkState() == Qt::Checked
                                            ? text::list_yes
                                            : text::list_no;
        }
        table.push_back(std::move(r));
    }
    return table;
}

void packing_table::point_at(const list_refusal& refusal) {
    if (refusal.line < 1 || refusal.line > static_cast<std::size_t>(rowCount())) {
        setFocus();
        return;
    }
    const int row = static_cast<int>(refusal.line) - 1;
    const int column = refusal.column ? static_cast<int>(*refusal.column) : name_column;
    setCurrentCell(row, std::min(column, columnCount() - 1));
    setFocus();
}

// A type's colour is its place among the rows that are not blank, as the
// reader numbers the types.
void packing_table::recolour() {
    std::size_t type = 0;
    for (int row = 0; row < rowCount(); ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        if (!blank(row)) number->setIcon(swatch(type++));
        setVerticalHeaderItem(row, number);
    }
}

}  // namespace varnel
