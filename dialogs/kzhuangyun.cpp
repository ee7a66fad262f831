#include "dialogs/kzhuangyun.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <variant>

#include "catalogue/messages.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/messages.h"
#include "engine/messages.h"
#include "ui/form.h"
#include "ui/palette.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

using namespace dialog_parts;

namespace {

using form::kind;
using palette::blue, palette::dark_blue;

// The table's order is the keyboard order.
// clang-format off
constexpr form::control controls[] = {
    {"order_frame", kind::frame, "", {3, 3, 306, 120}, text::order_frame, dark_blue},
    {"quantity_label", kind::label, "order_frame", {14, 23, 0, 0}, text::quantity_label},
    {"quantity_field", kind::field, "order_frame", {98, 20, 120, 19}},
    {"quantity_unit", kind::label, "order_frame", {224, 23, 0, 0}, text::pieces, blue},
    {"carton_weight_label", kind::label, "order_frame", {14, 48, 0, 0}, text::carton_weight_label},
    {"carton_weight_field", kind::field, "order_frame", {98, 45, 120, 19}},
    {"carton_weight_unit", kind::label, "order_frame", {224, 48, 0, 0}, text::kilograms, blue},
    {"payload_label", kind::label, "order_frame", {14, 73, 0, 0}, text::payload_label},
    {"payload_field", kind::field, "order_frame", {98, 70, 120, 19}},
    {"payload_unit", kind::label, "order_frame", {224, 73, 0, 0}, text::kilograms, blue},
    {"work_out_button", kind::button, "order_frame", {98, 94, 120, 22}, text::work_out_caption},
    {"result_frame", kind::frame, "", {3, 127, 306, 160}, text::result_frame, blue},
    {"result_text", kind::label, "result_frame", {14, 20, 0, 0}},
    {"draw_last_button", kind::button, "result_frame", {14, 124, 134, 24}, text::draw_last_caption},
    {"draw_each_button", kind::button, "result_frame", {158, 124, 134, 24}, text::draw_each_caption},
    {"exit_button", kind::button, "", {66, 295, 183, 28}, text::wide_exit_caption},
};
// clang-format on

}  // namespace

kzhuangyun::kzhuangyun(prompts& prompts, std::int64_t plan_cartons, int payload_kg,
                       const std::optional<shipment_entries>& typed, QWidget* parent)
    : QDialog(parent), prompts_(prompts), plan_cartons_(plan_cartons) {
    build(payload_kg, typed);
}

void kzhuangyun::build(int payload_kg, const std::optional<shipment_entries>& typed) {
    set_up(*this, text::kzhuangyun_title, 315, 330);
    form::build(*this, controls);
    quantity_field = form::part<QLineEdit>(*this, "quantity_field");
    carton_weight_field = form::part<QLineEdit>(*this, "carton_weight_field");
    payload_field = form::part<QLineEdit>(*this, "payload_field");
    work_out_button = form::part<QPushButton>(*this, "work_out_button");
    result_text = form::part<QLabel>(*this, "result_text");
    draw_last_button = form::part<QPushButton>(*this, "draw_last_button");
    draw_each_button = form::part<QPushButton>(*this, "draw_each_button");
    exit_button = form::part<QPushButton>(*this, "exit_button");

    if (typed) {
        quantity_field->setText(typed->quantity);
        carton_weight_field->setText(typed->carton_weight);
        payload_field->setText(typed->payload);
    } else if (payload_kg > 0) {
        payload_field->setText(QString::number(payload_kg));
    }
    // Enter works the order out from any field.
    work_out_button->setDefault(true);
    result_text->setFixedWidth(280);
    result_text->setWordWrap(true);
    draw_last_button->setEnabled(false);
    draw_each_button->setEnabled(false);
    quantity_field->setFocus();

    connect(work_out_button, &QPushButton::clicked, this, &kzhuangyun::work_out);
    connect(draw_last_button, &QPushButton::clicked, this, [this] { draw(true); });
    connect(draw_each_button, &QPushButton::clicked, this, [this] { draw(false); });
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

void kzhuangyun::work_out() {
    const std::string texts[] = {quantity_field->text().trimmed().toStdString(),
                                 carton_weight_field->text().trimmed().toStdString(),
                                 payload_field->text().trimmed().toStdString()};
    auto order = read_shipment_order({texts[0], texts[1], texts[2]});
    auto outcome =
        std::holds_alternative<shipment_order>(order)
            ? plan_shipment(std::get<shipment_order>(order), plan_cartons_)
            : std::variant<shipment, shipment_refusal>(std::get<shipment_refusal>(order));
    if (const auto* refusal = std::get_if<shipment_refusal>(&outcome)) {
        // A result shown for other figures would mislead: it goes first.
        result_.reset();
        order_.reset();
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
    order_ = std::get<shipment_order>(order);
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
    // Every container holds the plan's load unless the weight binds; a
    // single container is the last.
    draw_each_button->setEnabled(result_ && result_->limit == shipment_limit::weight &&
                                 result_->containers > 1);
}

void kzhuangyun::draw(bool last) {
    to_draw_ = container_to_draw{last ? result_->last_cartons : result_->per_container, last,
                                 result_->containers};
    accept();
}

shipment_entries kzhuangyun::entries() const {
    return {quantity_field->text(), carton_weight_field->text(), payload_field->text()};
}

}  // namespace varnel
