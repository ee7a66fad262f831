#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include "ui/qtext.h"

#include <initializer_list>

#include "catalogue/entry_input.h"

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace varnel {

class frame_box;
class prompts;
class selection_list;

// What the five catalogue dialogs share: their look, built control by
// control at fixed places, and the fields of an entry.
namespace dialog_parts {

inline const QColor black{0, 0, 0};
inline const QColor blue{0, 0, 255};
inline const QColor dark_blue{0, 0, 192};
inline const QColor red{255, 0, 0};
inline const QColor dark_red{192, 0, 0};
inline const QColor list_grey{224, 224, 224};

// Title, the dialogs' font and a client area of fixed size.
void set_up(QDialog& dialog, const char* title, int width, int height);

// A label at its place, as wide and high as its text needs.
QLabel* add_label(QWidget* parent, const char* caption, QPoint at, const QColor& colour = black);
QLineEdit* add_field(QWidget* parent, const QRect& geometry);
QPushButton* add_button(QWidget* parent, const char* caption, const QRect& geometry);
frame_box* add_frame(QWidget* parent, const char* caption, const QRect& geometry,
                     const QColor& caption_colour = black);
// A drop-down list the user can only choose from, light grey.
selection_list* add_list(QWidget* parent, const QRect& geometry);

// The keyboard order, first to last.
void set_tab_order(std::initializer_list<QWidget*> widgets);

// Where a size row's label, field and "cm" go.
struct size_row {
    QPoint label;
    QRect field;
    QPoint unit;
};

// The name field (absent when the dialog has none) and the three size fields.
struct entry_fields {
    QLineEdit* name = nullptr;
    QLineEdit* length = nullptr;
    QLineEdit* width = nullptr;
    QLineEdit* height = nullptr;

    // The length, width and height rows in that order, with "cm" in
    // `unit_colour`.
    void add_sizes(QWidget* parent, const size_row (&rows)[3], const QColor& unit_colour);
    QLineEdit* field(entry_field which) const;
    void clear() const;
    // The sizes in millimetres, shown in centimetres.
    void show_sizes(float length_mm, float width_mm, float height_mm) const;

    entry_reading read_container() const;
    entry_reading read_carton() const;
};

// Shows the refusal's message and puts the focus on its field.
void refuse(prompts& prompts, const entry_refusal& refusal, const entry_fields& fields);

// "确实要删除“<name>”吗？"
QString delete_question(const QString& name);

}  // namespace dialog_parts
}  // namespace varnel
