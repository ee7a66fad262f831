#include "dialogs/dialog_parts.h"

#include <QDialog>
#include <QLineEdit>

#include <string>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "engine/numbers.h"
#include "ui/form.h"
#include "ui/look.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel::dialog_parts {

namespace {

std::string utf8(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

void set_up(QDialog& dialog, const char* title, int width, int height) {
    dialog.setWindowTitle(qtext(title));
    // 9 points at 96 dots per inch; pixels keep the controls' places exact.
    dialog.setFont(simsun(12));
    dialog.setFixedSize(width, height);
}

entry_fields entry_fields::of(const QWidget& form) {
    return {form::part<QLineEdit>(form, "name_field"),
            form::part<QLineEdit>(form, "length_field"),
            form::part<QLineEdit>(form, "width_field"),
            form::part<QLineEdit>(form, "height_field"),
            form::part<QLineEdit>(form, "weight_field"),
            form::part<QLineEdit>(form, "load_height_field"),
            form::part<QLineEdit>(form, "load_weight_field")};
}

QLineEdit* entry_fields::field(entry_field which) const {
    switch (which) {
        case entry_field::name: return name;
        case entry_field::length: return length;
        case entry_field::width: return width;
        case entry_field::height: return height;
        case entry_field::weight: return weight;
        case entry_field::load_height: return load_height;
        case entry_field::load_weight: return load_weight;
    }
    return nullptr;
}

void entry_fields::clear() const {
    for (QLineEdit* f : {name, length, width, height, weight, load_height, load_weight}) {
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

entry_reading entry_fields::read_plan_container() const {
    return read_plan_container_sizes(utf8(length), utf8(width), utf8(height));
}

entry_reading entry_fields::read_carton() const {
    return read_carton_entry(utf8(name), utf8(length), utf8(width), utf8(height));
}

void entry_fields::show_pallet(const pallet_type& pallet) const {
    name->setText(pallet.name);
    show_sizes(pallet.length, pallet.width, pallet.height);
    weight->setText(qtext(format_number(pallet.weight)));
    load_height->setText(qtext(size_text_cm(pallet.load_height)));
    load_weight->setText(qtext(format_number(pallet.load_weight)));
}

pallet_reading entry_fields::read_pallet() const {
    const std::string texts[] = {utf8(name),   utf8(length),      utf8(width),      utf8(height),
                                 utf8(weight), utf8(load_height), utf8(load_weight)};
    return read_pallet_entry(
        {texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]});
}

void refuse(prompts& prompts, const entry_refusal& refusal, const entry_fields& fields) {
    prompts.message(qtext(refusal.message));
    if (QLineEdit* field = fields.field(refusal.field)) field->setFocus();
}

QString delete_question(const QString& name) {
    return qtext(text::delete_question_start) + name + qtext(text::delete_question_end);
}

}  // namespace varnel::dialog_parts
