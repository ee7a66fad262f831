#include "dialogs/kzhuangyun.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <variant>

#include "catalogue/messages.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/messages.h"
#include "ui/frame_box.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

using namespace dialog_parts;

kzhuangyun::kzhuangyun(prompts& prompts, std::int64_t plan_cartons, int payload_kg, QWidget* parent)
    : QDialog(parent), prompts_(prompts), plan_cartons_(plan_cartons) {
    build(payload_kg);
}

void kzhuangyun::build(int payload_kg) {
    set_up(*this, text::kzhuangyun_title, 315, 330);

    QWidget* order = add_frame(this, text::order_frame, {3, 3, 306, 120}, dark_blue);
    add_label(order, text::quantity_label, {14, 23});
    quantity_field = add_field(order, {98, 20, 120, 19});
    add_label(order, text::pieces, {224, 23}, blue);
    add_label(order, text::carton_weight_label, {14, 48});
    carton_weight_field = add_field(order, {98, 45, 120, 19});
    add_label(order, text::kilogram_unit, {224, 48}, blue);
    add_label(order, text::payload_label, {14, 73});
    payload_field = add_field(order, {98, 70, 120, 19});
    add_label(order, text::kilogram_unit, {224, 73}, blue);
    if (payload_kg > 0) payload_field->setText(QString::number(payload_kg));
    work_out_button = add_button(order, text::work_out_caption, {98, 94, 120, 22});
    // Enter works the order out from any field.
    work_out_button->setDefault(true);

    QWidget* result = add_frame(this, text::result_frame, {3, 127, 306, 160}, blue);
    result_text = add_label(result, "", {14, 20});
    result_text->setFixedWidth(280);
    result_text->setWordWrap(true);
    draw_last_button = add_button(result, text::draw_last_caption, {14, 124, 134, 24});
    draw_each_button = add_button(result, text::draw_each_caption, {158, 124, 134, 24});
    draw_last_button->setEnabled(false);
    draw_each_button->setEnabled(false);

    exit_button = add_button(this, text::wide_exit_caption, {66, 295, 183, 28});

    set_tab_order({quantity_field, carton_weight_field, payload_field, work_out_button,
                   draw_last_button, draw_each_button, exit_button});
    quantity_field->setFocus();

    connect(work_out_button, &QPushButton::clicked, this, &kzhuangyun::work_out);
    connect(draw_last_button, &QPushButton::clicked, this, [this] { draw(result_->last_cartons); });
    connect(draw_each_button, &QPushButton::clicked, this,
            [this] { draw(result_->per_container); });
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

void kzhuangyun::work_out() {
    const std::string texts[] = {quantity_field->text().trimmed().toStdString(),
                                 carton_weight_field->text().trimmed().toStdString(),
                                 payload_field->text().trimmed().toStdString()};
    auto outcome = plan_shipment({texts[0], texts[1], texts[2]}, plan_cartons_);
    if (const auto* refusal = std::get_if<shipment_refusal>(&outcome)) {
        // A result shown for other figures would mislead: it goes first.
        result_.reset();
        show_result();
        prompts_.message(qtext(refusal->message));
        QLineEdit* field = refusal->field == shipment_field::payload         ? payload_field
                           : refusal->field == shipment_field::carton_weight ? carton_weight_field
                                                                             : quantity_field;
        field->setFocus();
        field->selectAll();
        return;
    }
    result_ = std::get<shipment>(outcome);
    show_result();
}

void kzhuangyun::show_result() {
    QString lines;
    if (result_) {
        for (const std::string& line : shipment_lines(*result_)) {
            if (!lines.isEmpty()) lines += QLatin1Char('\n');
            lines += qtext(line);
        }
    }
    result_text->setText(lines);
    result_text->adjustSize();
    draw_last_button->setEnabled(result_.has_value());
    // Every container holds the plan's load unless the weight binds.
    draw_each_button->setEnabled(result_ && result_->limit == shipment_limit::weight);
}

void kzhuangyun::draw(std::int64_t cartons) {
    to_draw_ = cartons;
    accept();
}

}  // namespace varnel
