#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

#include <span>

#include "ui/qtext.h"

namespace varnel::form {

// What a control of a fixed form is.
enum class kind {
    frame,      // frame_box: a captioned frame the controls after it may stand in
    label,      // QLabel
    link,       // link_label
    picture,    // QLabel without text, for a pixmap
    field,      // QLineEdit
    read_only,  // QLineEdit the user cannot type into, light grey
    button,     // QPushButton
    check_box,  // QCheckBox
    list,       // selection_list, light grey
    custom,     // made by the form's own maker (a widget of a higher layer)
};

// One control of a form at its fixed place: a row of the form's table.
struct control {
    const char* name;  // its object name: tests and code find it by this
    kind type;
    const char* frame;  // the object name of what it stands in; "" the form itself
    QRect place;        // relative to its frame; a label of empty size fits its text
    const char* caption = "";
    QColor colour{};      // of its text or caption; none: the form's
    int font_pixels = 0;  // 0: the form's font
    bool bold = false;
    const char* caption_end = "";  // appended to the caption (an address after its label)
};

using custom_maker = QWidget* (*)(const control& row, QWidget* parent);

// Makes the rows' controls on `form` in table order, so the table is also
// the default keyboard order. Controls are parented to the frame named in
// their row, which must come earlier in the table.
void build(QWidget& form, std::span<const control> rows, custom_maker make_custom = nullptr);

// A control the table made, by its object name.
template <class T>
T* part(const QWidget& form, const char* name) {
    return form.findChild<T*>(qtext(name));
}

}  // namespace varnel::form
