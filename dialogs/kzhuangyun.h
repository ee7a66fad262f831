#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>

#include "engine/shipment.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace varnel {

class prompts;

// How an order ships in containers loaded as the current plan loads one: the
// order quantity, the carton's gross weight and the container's payload go
// in, the containers and the last container's load come out. A draw button
// closes the dialog and leaves the count of cartons to draw for the caller.
class kzhuangyun : public QDialog {
    Q_OBJECT
public:
    // `plan_cartons`: the cartons one container takes by volume;
    // `payload_kg`: the chosen type's payload, 0 when not known (left blank).
    kzhuangyun(prompts& prompts, std::int64_t plan_cartons, int payload_kg,
               QWidget* parent = nullptr);

    // The cartons of the container the user asked to see drawn, if any.
    std::optional<std::int64_t> cartons_to_draw() const { return to_draw_; }
    // How the order ships, once worked out.
    const std::optional<shipment>& result() const { return result_; }

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
    void build(int payload_kg);
    void show_result();
    void draw(std::int64_t cartons);

    prompts& prompts_;
    std::int64_t plan_cartons_;
    std::optional<shipment> result_;
    std::optional<std::int64_t> to_draw_;
};

}  // namespace varnel
