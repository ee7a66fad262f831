#include "ui/form.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/frame_box.h"
#include "ui/link_label.h"
#include "ui/look.h"
#include "ui/palette.h"
#include "ui/selection_list.h"

namespace varnel::form {

namespace {

QWidget* make(const control& row, QWidget* parent, custom_maker make_custom) {
    const QString caption = qtext(row.caption) + qtext(row.caption_end);
    switch (row.type) {
        case kind::frame:
            return new frame_box(caption, row.colour.isValid() ? row.colour : palette::black,
                                 parent);
        case kind::label: return new QLabel(caption, parent);
        case kind::link: return new link_label(caption, parent);
        case kind::picture: return new QLabel(parent);
        case kind::field: return new QLineEdit(parent);
        case kind::read_only: {
            auto* field = new QLineEdit(parent);
            field->setReadOnly(true);
            set_base_colour(field, palette::light_grey);
            return field;
        }
        case kind::button: return new QPushButton(caption, parent);
        case kind::check_box: return new QCheckBox(caption, parent);
        case kind::list: {
            auto* list = new selection_list(parent);
            list->set_background(palette::light_grey);
            return list;
        }
        case kind::custom: return make_custom(row, parent);
    }
    return nullptr;
}

}  // namespace

void build(QWidget& form, std::span<const control> rows, custom_maker make_custom) {
    for (const control& row : rows) {
        QWidget* parent = *row.frame ? part<QWidget>(form, row.frame) : &form;
        QWidget* widget = make(row, parent, make_custom);
        widget->setObjectName(qtext(row.name));
        if (row.font_pixels > 0) widget->setFont(simsun(row.font_pixels, row.bold));
        if (row.colour.isValid() && row.type != kind::frame) set_text_colour(widget, row.colour);
        if (row.place.isEmpty()) {
            widget->move(row.place.topLeft());
            widget->adjustSize();
        } else {
            widget->setGeometry(row.place);
        }
    }
}

}  // namespace varnel::form
