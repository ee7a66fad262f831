// Shipping an order: the shipment dialog over the current plan, and the part
// load of one container drawn in the plan's place.
#include <QAction>
#include <QLabel>

#include "app/kmain.h"
#include "app/messages.h"
#include "catalogue/catalogue_store.h"
#include "dialogs/kzhuangyun.h"
#include "engine/block_tables.h"
#include "engine/calculation.h"
#include "engine/numbers.h"
#include "engine/summary.h"
#include "ui/qtext.h"
#include "ui/selection_list.h"
#include "view/drawing_area.h"
#include "view/projection.h"
#include "view/stack_drawing.h"

namespace varnel {

namespace {

// The plan's sizes as its tables carry them: an opened plan file sets no
// other, and record 0's space is the whole container.
load_model sized_from_tables(const load_model& plan) {
    load_model m = plan;
    const stack_record& whole = plan.stacks[0];
    set_sizes(m, {.carton_length = whole.box_length,
                  .carton_width = whole.box_width,
                  .carton_height = whole.box_height,
                  .container_width = whole.space_x,
                  .container_length = whole.space_y,
                  .container_height = whole.space_z});
    return m;
}

}  // namespace

void kmain::enable_shipment() {
    if (auto* item = findChild<QAction*>(QStringLiteral("kzhuangyun"))) {
        item->setEnabled(plan_.tables().draw_stacks[0].in_use != 0);
    }
    update_report_commands();
}

// The payload of the chosen container type, when its sizes are the plan's
// container's: a plan of a typed or opened container has no known payload.
std::optional<container_type> kmain::plan_container(const load_model& plan) const {
    const stack_record& whole = plan.stacks[0];
    return chosen_type(whole.space_y, whole.space_x, whole.space_z);
}

std::optional<container_type> kmain::chosen_type(float length, float width, float height) const {
    const auto row = store_.find_container(container_list->currentText());
    if (!row.ok() || !row.value) return std::nullopt;
    const auto same = [](float a, float b) { return size_text_cm(a) == size_text_cm(b); };
    const bool same_size = same(row.value->length, length) && same(row.value->width, width) &&
                           same(row.value->height, height);
    return same_size ? row.value : std::nullopt;
}

int kmain::plan_payload(const load_model& plan) const {
    const std::optional<container_type> type = plan_container(plan);
    return type ? type->payload_kg() : 0;
}

void kmain::shipment_plan() {
    // After a part load is drawn, the order still ships by the whole plan.
    const load_model plan = sized_from_tables(plan_.whole());
    kzhuangyun dialog(prompts_, count_plan(plan.stacks).cartons, plan_payload(plan),
                      plan_.shipment_typed(), this);
    dialog.exec();
    plan_.keep_shipment_typed(dialog.entries());
    const auto shown = dialog.to_draw();
    if (!shown) return;
    if (!plan_.ship(plan, shown->cartons, dialog.order(), dialog.worked_out())) return;
    steps_->reset();
    set_result_text(stack_text, {});
    drawing->clear_drawing();
    const stack_table& part = plan_.tables().draw_stacks;
    draw_first_stacks(*drawing, part, stack_count(part));
    // The outline shows how much of the container stays clear.
    draw_standard_outline(*drawing);
    write_summary();
    show_container_line(*shown);
}

// The summary above it is this container's; the whole plan's bound would
// speak of a container this one is not.
void kmain::show_container_line(const container_to_draw& shown) {
    const QString n = QString::number(shown.containers);
    QString line;
    if (shown.last) {
        line = qtext(text::shown_last_container).arg(n);
    } else if (shown.containers == 2) {
        line = qtext(text::shown_first_container).arg(n);
    } else {
        line =
            qtext(text::shown_containers_before_last).arg(QString::number(shown.containers - 1), n);
    }
    set_third_line(line);
}

}  // namespace varnel
