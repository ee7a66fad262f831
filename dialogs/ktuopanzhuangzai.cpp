#include "dialogs/ktuopanzhuangzai.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <variant>

#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/messages.h"
#include "engine/shipment.h"
#include "ui/form.h"
#include "ui/palette.h"
#include "ui/prompts.h"
#include "ui/qtext.h"
#include "ui/selection_list.h"

namespace varnel {

namespace {

using form::kind;
using palette::blue, palette::dark_blue;

// The table's order is the keyboard order.
// clang-format off
constexpr form::control controls[] = {
    {"entry_frame", kind::frame, "", {3, 3, 306, 150}, text::pallet_carton_frame, dark_blue},
    {"pallet_label", kind::label, "entry_frame", {14, 23, 0, 0}, text::pallet_label},
    {"pallets", kind::list, "entry_frame", {98, 20, 166, 20}},
    {"length_label", kind::label, "entry_frame", {14, 52, 0, 0}, text::length_label},
    {"length_field", kind::field, "entry_frame", {41, 49, 67, 18}},
    {"length_unit", kind::label, "entry_frame", {115, 52, 0, 0}, text::unit_label, blue},
    {"width_label", kind::label, "entry_frame", {14, 72, 0, 0}, text::width_label},
    {"width_field", kind::field, "entry_frame", {41, 69, 67, 18}},
    {"width_unit", kind::label, "entry_frame", {115, 72, 0, 0}, text::unit_label, blue},
    {"height_label", kind::label, "entry_frame", {14, 92, 0, 0}, text::height_label},
    {"height_field", kind::field, "entry_frame", {41, 89, 67, 18}},
    {"height_unit", kind::label, "entry_frame", {115, 92, 0, 0}, text::unit_label, blue},
    {"weight_label", kind::label, "entry_frame", {143, 52, 0, 0}, text::carton_weight_label},
    {"weight_field", kind::field, "entry_frame", {143, 69, 100, 18}},
    {"weight_unit", kind::label, "entry_frame", {250, 72, 0, 0}, text::kilogram_label, blue},
    {"upright_box", kind::check_box, "entry_frame", {143, 92, 120, 18}, text::pallet_upright_caption},
    {"work_out_button", kind::button, "entry_frame", {98, 118, 120, 24}, text::work_out_caption},
    {"exit_button", kind::button, "", {66, 160, 183, 28}, text::wide_exit_caption},
};
// clang-format on

}  // namespace

ktuopanzhuangzai::ktuopanzhuangzai(catalogue_store& store, prompts& prompts, const QString& length,
                                   const QString& width, const QString& height, QWidget* parent)
    : QDialog(parent), store_(store), prompts_(prompts) {
    build(length, width, height);
}

void ktuopanzhuangzai::build(const QString& length, const QString& width, const QString& height) {
    dialog_parts::set_up(*this, text::ktuopanzhuangzai_title, 315, 195);
    form::build(*this, controls);
    pallets = form::part<selection_list>(*this, "pallets");
    length_field = form::part<QLineEdit>(*this, "length_field");
    width_field = form::part<QLineEdit>(*this, "width_field");
    height_field = form::part<QLineEdit>(*this, "height_field");
    weight_field = form::part<QLineEdit>(*this, "weight_field");
    upright_box = form::part<QCheckBox>(*this, "upright_box");
    work_out_button = form::part<QPushButton>(*this, "work_out_button");
    exit_button = form::part<QPushButton>(*this, "exit_button");

    const read_result<std::vector<pallet_type>> rows = store_.all_pallets();
    if (rows.ok()) {
        for (const pallet_type& row : rows.value) pallets->addItem(row.name);
    }
    length_field->setText(length);
    width_field->setText(width);
    height_field->setText(height);
    // Cartons on pallets keep their top face up unless the user allows it.
    upright_box->setChecked(true);
    work_out_button->setDefault(true);

    connect(work_out_button, &QPushButton::clicked, this, &ktuopanzhuangzai::work_out);
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

void ktuopanzhuangzai::refuse(const char* message, QLineEdit* field) {
    prompts_.message(qtext(message));
    if (field == nullptr) return;
    field->setFocus();
    field->selectAll();
}

void ktuopanzhuangzai::work_out() {
    plan_.reset();
    const QString name = pallets->currentText();
    const auto found = store_.find_pallet(name);
    if (name.isEmpty() || !found.ok() || !found.value) return refuse(text::choose_pallet, nullptr);
    const auto typed = [](const QLineEdit* f) { return f->text().toStdString(); };
    // A carton type's sizes with their refusals; the name is not asked for.
    const entry_reading carton =
        read_carton_entry("-", typed(length_field), typed(width_field), typed(height_field));
    if (const auto* refusal = std::get_if<entry_refusal>(&carton)) {
        return dialog_parts::refuse(
            prompts_, *refusal,
            {.length = length_field, .width = width_field, .height = height_field});
    }
    const entry_sizes& c = std::get<entry_sizes>(carton);
    std::optional<double> weight;
    if (const std::string kg = weight_field->text().trimmed().toStdString(); !kg.empty()) {
        // Read as the shipment reads a carton weight, with its refusals.
        const auto order = read_shipment_order({"1", kg, ""});
        if (const auto* refusal = std::get_if<shipment_refusal>(&order))
            return refuse(refusal->message, weight_field);
        weight = std::get<shipment_order>(order).carton_weight;
    }
    const pallet_type& p = *found.value;
    const pallet_measures measures{p.length, p.width,       p.height,
                                   p.weight, p.load_height, p.load_weight};
    const auto result = plan_pallet({.pallet = measures,
                                     .carton = {c.length, c.width, c.height},
                                     .carton_weight = weight,
                                     .any_side = !upright_box->isChecked()});
    if (const auto* refusal = std::get_if<pallet_refusal>(&result))
        return refuse(refusal->message, length_field);
    plan_ = std::get<pallet_plan>(result);
    pallet_ = measures;
    pallet_name_ = p.name;
    accept();
}

}  // namespace varnel
