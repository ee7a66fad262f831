#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <vector>

#include "view/canvas.h"
#include "view/pixel_canvas.h"
#include "view/type_legend.h"

namespace varnel {

// The main window's drawing area: 515 × 383 pixels at 15 drawing units a
// pixel. Its background picture is the empty container's outline; what the
// view draws since the last clear is kept as pixels and painted over it, so
// covering and uncovering the window loses nothing. The axis legend sits in
// the lower right corner over the drawing, and the main window may put its
// result texts on top as child labels.
class drawing_area : public QWidget, public canvas {
    Q_OBJECT

public:
    static constexpr int area_width = 515;
    static constexpr int area_height = 383;
    // The legend's place inside the area, in pixels.
    static constexpr QRect legend_rect{389, 276, 105, 89};
    // A mixed load's types stand above the keys under its container.
    static constexpr int type_legend_bottom = 348;

    explicit drawing_area(QWidget* parent = nullptr);

    void draw_line(float x1, float y1, float x2, float y2, rgb colour) override;
    void clear_drawing() override;

    // A load of several carton types names each type's colour in the corner
    // instead of the faces; an empty list brings the faces' legend back.
    using type_entry = legend_entry;
    void set_type_legend(std::vector<type_entry> types);

    // What the area shows under the legend and the texts, pixel for pixel.
    const pixel_canvas& pixels() const { return pixels_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void changed();

    pixel_canvas pixels_;
    QImage legend_;
    std::vector<type_entry> types_;
    bool update_pending_ = false;
};

}  // namespace varnel
