#pragma once

#include <QPainter>
#include <QTransform>

#include <optional>

#include "view/canvas.h"

namespace varnel {

// The load view's canvas on a QPainter: each line stays a line, so a
// picture on a PDF page or a printer is as sharp as the device allows.
// `placement` maps drawing units to the painter's coordinates. The pen's
// width, and an ink that replaces the view's own colours, are the picture's
// to choose.
class painter_canvas final : public canvas {
public:
    painter_canvas(QPainter& painter, const QTransform& placement)
        : painter_(painter), placement_(placement) {}

    void draw_line(float x1, float y1, float x2, float y2, rgb colour) override;
    // A page is never drawn over: there is nothing to clear.
    void clear_drawing() override {}

    void set_width(double width) { width_ = width; }
    void set_ink(std::optional<QColor> ink) { ink_ = ink; }

private:
    QPainter& painter_;
    QTransform placement_;
    double width_ = 0.5;
    std::optional<QColor> ink_;
};

}  // namespace varnel
