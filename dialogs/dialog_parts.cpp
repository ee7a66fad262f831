#include "dialogs/dialog_parts.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

#include "catalogue/messages.h"
#include "engine/numbers.h"
#include "ui/frame_box.h"
#include "ui/prompts.h"
#include "ui/selection_list.h"

namespace varnel::dialog_parts {

namespace {

std::string utf8(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

void set_up(QDialog& dialog, const char* title, int width, int height) {
    dialog.setWindowTitle(qtext(title));
    // 9 points at 96 dots per inch; pixels keep the controls' places exact.
    QFont font(QStringLiteral("SimSun"));
    font.setPixelSize(12);
    dialog.setFont(font);
    dialog.setFixedSize(width, height);
}

QLabel* add_label(QWidget* parent, const char* caption, QPoint at, const QColor& colour) {
    auto* label = new QLabel(qtext(caption), parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
}

QLineEdit* add_field(QWidget* parent, const QRect& geometry) {
    auto* field = new QLineEdit(parent);
    field->setGeometry(geometry);
    return field;
}

QPushButton* add_button(QWidget* parent, const char* caption, const QRect& geometry) {
    auto* button = new QPushButton(qtext(caption), parent);
    button->setGeometry(geometry);
    return button;
}

frame_box* add_frame(QWidget* parent, const char* caption, const QRect& geometry,
                     const QColor& caption_colour) {
    auto* frame = new frame_box(qtext(caption), caption_colour, parent);
    frame->setGeometry(geometry);
    return frame;
}

selection_list* add_list(QWidget* parent, const QRect& geometry) {
    auto* list = new selection_list(parent);
    list->setGeometry(geometry);
    list->set_background(list_grey);
    return list;
}

void set_tab_order(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void entry_fields::add_sizes(QWidget* parent, const size_row (&rows)[3],
                             const QColor& unit_colour) {
    const char* captions[] = {text::length_label, text::width_label, text::height_label};
    QLineEdit** fields[] = {&length, &width, &height};
    for (int i = 0; i < 3; ++i) {
        add_label(parent, captions[i], rows[i].label);
        *fields[i] = add_field(parent, rows[i].field);
        add_label(parent, text::unit_label, rows[i].unit, unit_colour);
    }
}

QLineEdit* entry_fields::field(entry_field which) const {
    switch (which) {
        case entry_field::name: return name;
        case entry_field::length: return length;
        case entry_field::width: return width;
        case entry_field::height: return height;
    }
    return nullptr;
}

void entry_fields::clear() const {
    for (QLineEdit* f : {name, length, width, height}) {
        if (f) f->clear();
    }
}

void entry_fields::show_sizes(float length_mm, float width_mm, float height_mm) const {
    length->setText(qtext(size_text_cm(length_mm)));
    width->setText(qtext(size_text_cm(width_mm)));
    height->setText(qtext(size_text_cm(height_mm)));
}

entry_reading entry_fields::read_container() const {
    if (!name) return read_container_sizes(utf8(length), utf8(width), utf8(height));
    return read_container_entry(utf8(name), utf8(length), utf8(width), utf8(height));
}

entry_reading entry_fields::read_carton() const {
    return read_carton_entry(utf8(name), utf8(length), utf8(width), utf8(height));
}

void refuse(prompts& prompts, const entry_refusal& refusal, const entry_fields& fields) {
    prompts.message(qtext(refusal.message));
    if (QLineEdit* field = fields.field(refusal.field)) field->setFocus();
}

QString delete_question(const QString& name) {
    return qtext(text::delete_question_start) + name + qtext(text::delete_question_end);
}

}  // namespace varnel::dialog_parts
