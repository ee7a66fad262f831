#pragma once

#include <QPalette>
#include <QWidget>

#include <memory>

#include "engine/calculation.h"
#include "tests/support/worked_example.h"
#include "view/drawing_area.h"
#include "view/stack_drawing.h"

namespace varnel {

// A window standing in for the main one: a title, a background colour that no
// page is printed in, and the drawing area showing the worked example at a
// known place.
struct test_window {
    static constexpr QPoint area_position{12, 30};
    static constexpr QSize size{540, 420};

    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    drawing_area* area = new drawing_area(window.get());

    explicit test_window(const QString& title) {
        window->setWindowTitle(title);
        window->setFixedSize(size);
        window->setAutoFillBackground(true);
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, QColor(200, 220, 240));
        window->setPalette(palette);
        area->move(area_position);
        load_model model;
        const plan_outcome plan =
            run_calculation(model, test_support::worked_example_mm, false, true);
        draw_first_stacks(*area, model.draw_stacks, plan.stack_count);
    }
};

}  // namespace varnel
