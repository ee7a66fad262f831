#include "help/about_picture.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

#include "engine/calculation.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/palette.h"
#include "ui/qtext.h"
#include "view/pixel_canvas.h"
#include "view/projection.h"
#include "view/stack_drawing.h"

namespace varnel {

namespace {

constexpr rgb white{255, 255, 255};
constexpr int title_height = 24;
constexpr int inset = 4;

// Passes the view's lines on at a smaller scale and another place, so the
// view's own routines draw the small picture.
class shrinking_canvas final : public canvas {
public:
    shrinking_canvas(canvas& target, double scale, double dx, double dy)
        : target_(target), scale_(scale), dx_(dx), dy_(dy) {}

    void draw_line(float x1, float y1, float x2, float y2, rgb colour) override {
        target_.draw_line(map(x1, dx_), map(y1, dy_), map(x2, dx_), map(y2, dy_), colour);
    }
    void clear_drawing() override { target_.clear_drawing(); }

private:
    float map(float v, double d) const { return static_cast<float>(v * scale_ + d); }

    canvas& target_;
    double scale_, dx_, dy_;
};

QImage loaded_container(QSize size) {
    load_model model;
    const plan_outcome plan =
        run_calculation(model, calculation_input{600, 850, 400, 2350, 5900, 2390}, false, true);

    // The standard figure's box in drawing units: the near face's left edge
    // to the far right edge, the far top to the near bottom.
    const view_point near_bottom = project(0, 0, 0);
    const view_point far_top = project(view_extent_x, view_extent_y, view_extent_z);
    const double figure_width = far_top.x - near_bottom.x;
    const double figure_height = near_bottom.y - far_top.y;
    const double room_width = (size.width() - 2 * inset) * units_per_pixel;
    const double room_height = (size.height() - 2 * inset) * units_per_pixel;
    const double scale = std::min(room_width / figure_width, room_height / figure_height);
    const double dx =
        (size.width() * units_per_pixel - figure_width * scale) / 2 - near_bottom.x * scale;
    const double dy =
        (size.height() * units_per_pixel - figure_height * scale) / 2 - far_top.y * scale;

    pixel_canvas pixels(size.width(), size.height(), white);
    shrinking_canvas small(pixels, scale, dx, dy);
    draw_first_stacks(small, model.draw_stacks, plan.stack_count);
    draw_standard_outline(small);
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), pixels.width(), pixels.height(),
                  pixels.width() * 4, QImage::Format_RGB32)
        .copy();
}

}  // namespace

QImage about_picture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(0, title_height,
                      loaded_container(QSize(size.width(), size.height() - title_height)));
    painter.setFont(simsun(16, true));
    painter.setPen(palette::navy);
    painter.drawText(QRect(0, 0, size.width(), title_height), Qt::AlignCenter,
                     qtext(text::application_title));
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    painter.end();
    return image;
}

}  // namespace varnel
