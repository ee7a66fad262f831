#include "dialogs/packing_table.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>
#include <functional>

#include "dialogs/messages.h"
#include "engine/numbers.h"
#include "plan/messages.h"
#include "ui/qtext.h"
#include "view/type_colours.h"

namespace varnel {

namespace {

constexpr int name_column = 0, quantity_column = 4, weight_column = 5, vertical_column = 6,
              stackable_column = 7, max_load_column = 8, max_layers_column = 9, pallet_column = 10,
              columns = 11;

// The columns typed into: the first six, and what a carton bears after the
// choice and the check box.
constexpr std::array<int, 8> typed_columns{0, 1, 2, 3, 4, 5, max_load_column, max_layers_column};

bool is_enter(const QKeyEvent& e) { return e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter; }

// A cell typed into ends with Enter as one that is not: the text is kept and
// the table moves on (Qt's own only closes the editor there).
class entry_delegate final : public QStyledItemDelegate {
public:
    explicit entry_delegate(packing_table& table) : QStyledItemDelegate(&table), table_(table) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress &&
            is_enter(*static_cast<QKeyEvent*>(event))) {
            const Qt::KeyboardModifiers modifiers = static_cast<QKeyEvent*>(event)->modifiers();
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            table_.enter_pressed(modifiers);
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    packing_table& table_;
};

QIcon swatch(std::size_t type) {
    const rgb c = type_colour(type);
    QPixmap p(12, 12);
    p.fill(QColor(c.red, c.green, c.blue));
    return QIcon(p);
}

}  // namespace

packing_table::packing_table(QWidget* parent) : QTableWidget(0, columns, parent) {
    QStringList headers;
    for (const char* h :
         {text::list_name_column, text::list_length_column, text::list_width_column,
          text::list_height_column, text::list_quantity_column, text::list_weight_column,
          text::list_vertical_column, text::list_stackable_column, text::list_max_load_column,
          text::list_max_layers_column, text::list_pallet_column}) {
        headers << qtext(h);
    }
    setHorizontalHeaderLabels(headers);
    horizontalHeaderItem(max_load_column)->setToolTip(qtext(text::list_max_load_tip));
    horizontalHeaderItem(max_layers_column)->setToolTip(qtext(text::list_max_layers_tip));
    const int widths[] = {150, 62, 62, 62, 66, 70, 104, 52, 70, 66, 90};
    for (int c = 0; c < columns; ++c) setColumnWidth(c, widths[c]);
    verticalHeader()->setDefaultSectionSize(22);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setItemDelegate(new entry_delegate(*this));
    connect(this, &QTableWidget::itemChanged, this, [this] { recolour(); });
}

void packing_table::enter_pressed(Qt::KeyboardModifiers modifiers) {
    if ((modifiers & Qt::ControlModifier) != 0) {
        emit compute_requested();
        return;
    }
    const int step = (modifiers & Qt::ShiftModifier) != 0 ? -1 : 1;
    const int row = std::clamp(currentRow() + step, 0, std::max(0, rowCount() - 1));
    if (rowCount() > 0) setCurrentCell(row, std::max(0, currentColumn()));
    setFocus();
}

void packing_table::keyPressEvent(QKeyEvent* event) {
    if (is_enter(*event) && state() != QAbstractItemView::EditingState) {
        enter_pressed(event->modifiers());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

// Tab on the last cell goes on into a new row.
QModelIndex packing_table::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveNext && currentRow() == rowCount() - 1 &&
        currentColumn() == columnCount() - 1) {
        return model()->index(add_empty_row(), 0);
    }
    return QTableWidget::moveCursor(action, modifiers);
}

int packing_table::add_empty_row() {
    const int row = rowCount();
    const QSignalBlocker quiet(this);
    insertRow(row);
    for (const int c : typed_columns) setItem(row, c, new QTableWidgetItem);
    auto* stackable = new QTableWidgetItem;
    stackable->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    stackable->setCheckState(Qt::Checked);
    setItem(row, stackable_column, stackable);
    auto* choice = new QComboBox;
    for (const named_stance& s : named_stances) choice->addItem(qtext(s.name), s.sides);
    setCellWidget(row, vertical_column, choice);
    auto* pallet = new QComboBox;
    pallet->addItem(QString());
    pallet->addItems(pallet_names_);
    setCellWidget(row, pallet_column, pallet);
    recolour();
    return row;
}

int packing_table::add_carton(const carton_type& carton, const std::string& pallet) {
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
    if (carton.max_load) {
        item(row, max_load_column)
            ->setText(qtext(format_number(static_cast<float>(*carton.max_load))));
    }
    if (carton.max_layers)
        item(row, max_layers_column)->setText(QString::number(*carton.max_layers));
    set_pallet(row, qtext(pallet));
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
    const unsigned mask = allowed.vertical_sides();
    int at = choice->findData(mask);
    if (at < 0) {
        choice->addItem(qtext(vertical_name(mask)), mask);
        at = choice->count() - 1;
    }
    choice->setCurrentIndex(at);
}

// A name the catalogue does not know (a list from elsewhere) is kept, to be
// refused where it stands when the list is planned.
void packing_table::set_pallet(int row, const QString& name) {
    QComboBox* choice = pallet_choice(row);
    int at = choice->findText(name);
    if (at < 0) {
        choice->addItem(name);
        at = choice->count() - 1;
    }
    choice->setCurrentIndex(at);
}

QComboBox* packing_table::pallet_choice(int row) const {
    return qobject_cast<QComboBox*>(cellWidget(row, pallet_column));
}

void packing_table::set_pallet_names(const QStringList& names) {
    pallet_names_ = names;
    for (int row = 0; row < rowCount(); ++row) {
        QComboBox* choice = pallet_choice(row);
        const QString chosen = choice->currentText();
        choice->clear();
        choice->addItem(QString());
        choice->addItems(names);
        set_pallet(row, chosen);
    }
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
    for (const int c : typed_columns) {
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
            for (const int c : typed_columns) {
                const QTableWidgetItem* cell = item(row, c);
                if (cell) r.cells[static_cast<std::size_t>(c)] = cell->text().toStdString();
            }
            r.cells[vertical_column] =
                vertical_letters(vertical_choice(row)->currentData().toUInt());
            r.cells[stackable_column] = item(row, stackable_column)->checkState() == Qt::Checked
                                            ? text::list_yes
                                            : text::list_no;
            r.cells[pallet_column] = pallet_choice(row)->currentText().toStdString();
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
