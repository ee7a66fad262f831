#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <optional>

#include "engine/shipment.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace varnel {

class prompts;

// The order as typed into the dialog, kept by the caller so that the next
// dialog over the same plan starts from it.
struct shipment_entries {
    QString quantity;
    QString carton_weight;
    QString payload;
};

// A container the user asked to see drawn: its cartons, and which it is.
struct container_to_draw {
    std::int64_t cartons = 0;
    bool last = true;             // the last container; else every one before it
    std::int64_t containers = 0;  // the order's containers
};

// How an order ships in containers loaded as the current plan loads one: the
// order quantity, the carton's gross weight and the container's payload go
// in, the containers and the last container's load come out. A draw button
// closes the dialog and leaves the container to draw for the caller.
class kzhuangyun : public QDialog {
    Q_OBJECT
public:
    // `plan_cartons`: the cartons one container takes by volume;
    // `payload_kg`: the chosen type's payload, 0 when not known (left
    // blank); `typed`: what was typed last time over this plan, which the
    // fields show instead, the payload too.
    kzhuangyun(prompts& prompts, std::int64_t plan_cartons, int payload_kg,
               const std::optional<shipment_entries>& typed = {}, QWidget* parent = nullptr);

    // The container the user asked to see drawn, if any.
    std::optional<container_to_draw> to_draw() const { return to_draw_; }
    // The three fields as they are now.
    shipment_entries entries() const;
    // How the order ships, once worked out.
    const std::optional<shipment>& worked_out() const { return result_; }
    // The order it was worked out for: the carton's weight and the payload
    // as typed.
    const std::optional<shipment_order>& order() const { return order_; }

    void work_out();

    QLineEdit* quantity_field{};
    QLineEdit* carton_weight_field{};
    QLineEdit* payload_field{};
    QPushButton* work_out_button{};
    QLabel* result_text{};
    QPushButton* draw_last_button{};
    QPushButton* draw_each_button{};
    QPushButton* exit_button{};

private:
    void build(int payload_kg, const std::optional<shipment_entries>& typed);
    void show_result();
    void draw(bool last);

    prompts& prompts_;
    std::int64_t plan_cartons_;
    std::optional<shipment> result_;
    std::optional<shipment_order> order_;
    std::optional<container_to_draw> to_draw_;
};

}  // namespace varnel
