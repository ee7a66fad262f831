// The solid view in the main window: "三维视图" lays it over the drawing area
// in place of the wire frame, and takes it away again. It shows the plan the
// window shows, and the two step together: the draw button, the step bar and
// a jump move the solid view's step, and its slider and keys move the
// window's walk.
#include <QAction>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <numeric>

#include "app/kmain.h"
#include "engine/load_model.h"
#include "ui/qtext.h"
#include "view/drawing_area.h"
#include "view/solid_view.h"
#include "view/step_view.h"

namespace varnel {

namespace {

// Over the solid view the container keys stand at its top right, clear of
// its view keys at the top left and its slider along the bottom.
constexpr int keys_top = 6;

}  // namespace

void kmain::switch_solid_view() { show_solid_view(!(solid_ && solid_->isVisible())); }

void kmain::show_solid_view(bool on) {
    if (!solid_) {
        if (!on) return;
        solid_ = new solid_view(drawing);
        solid_->setObjectName(QStringLiteral("solid"));
        solid_->setGeometry(drawing->rect());
        solid_->hide();
        connect(solid_, &solid_view::step_changed, this, &kmain::solid_step_chosen);
    }
    for (const char* name : {"ksanwei", "kbsanwei"}) {
        if (auto* item = findChild<QAction*>(qtext(name))) {
            item->setCheckable(true);
            item->setChecked(on);
        }
    }
    QWidget* const keys[] = {previous_container_button, container_number_box,
                             next_container_button};
    // Where the layout put each key, kept for the way back.
    const char* const home = "wire_frame_place";
    if (!on) {
        solid_->hide();
        for (QWidget* key : keys) {
            if (key->property(home).isValid()) key->move(key->property(home).toPoint());
        }
        return;
    }
    solid_->show();
    solid_->raise();
    follow_in_solid_view();
    const int width = std::accumulate(std::begin(keys), std::end(keys), 0,
                                      [](int w, QWidget* key) { return w + key->width() + 2; });
    int x = drawing->width() - width - 4;
    for (QWidget* key : keys) {
        if (!key->property(home).isValid()) key->setProperty(home, key->pos());
        key->move(x, keys_top);
        key->raise();
        x += key->width() + 2;
    }
    solid_->setFocus();
}

solid_scene kmain::shown_scene() const {
    const load_model& tables = plan_.tables();
    if (!plan_.drawn()) {
        solid_scene empty;
        empty.container = {tables.container_width, tables.container_length,
                           tables.container_height};
        return empty;
    }
    const plan_state::view_of view = plan_.view(shown_names());
    // The window steps through a mixed container's loading steps, through a
    // plan of one size's walked steps, or through the standard calculation
    // by its stacks, the tables' order.
    if (const mixed_shown* mixed = plan_.mixed()) return scene_of(view.report, false, mixed->parts);
    if (std::optional<block_list> parts = plan_.walked_parts()) {
        return scene_of(view.report, true, std::move(*parts));
    }
    return scene_of(view.report, true, view.report.loads.at(view.load).blocks);
}

void kmain::follow_in_solid_view() {
    if (!solid_ || !solid_->isVisible() || solid_stepping_) return;
    solid_scene scene = shown_scene();
    if (!(scene == solid_->scene())) solid_->set_scene(std::move(scene));
    const mixed_shown* mixed = plan_.mixed();
    const std::optional<step_shown> shown = mixed ? mixed->steps.shown() : steps_->shown();
    solid_->set_step(shown ? std::optional(shown->k) : std::nullopt);
}

void kmain::solid_step_chosen(std::optional<int> step) {
    solid_stepping_ = true;
    // The whole load is the walk's first n steps together.
    const int k = step.value_or(static_cast<int>(solid_->scene().blocks.size()));
    if (plan_.mixed()) {
        mixed_jump(k);
    } else {
        walk_plan(plan_walk::jump, k);
    }
    solid_stepping_ = false;
}

}  // namespace varnel
