#include "view/drawing_area.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

#include "engine/load_model.h"
#include "ui/qtext.h"
#include "view/colours.h"
#include "view/messages.h"
#include "view/projection.h"
#include "view/type_legend.h"

namespace varnel {

namespace {

// The legend is the container's figure in small, drawn by the same outline
// routine, with the carton's faces and edges named. Sizes in pixels.
QImage draw_legend(QSize size) {
    constexpr int left = 14, top = 36, width = 46, height = 30, depth = 44;
    pixel_canvas box(size.width(), size.height(), background_colour);
    constexpr float u = units_per_pixel;
    draw_container_outline(box, width * u, depth * u, height * u, left * u, top * u, view_angle);

    QImage image(reinterpret_cast<const uchar*>(box.data()), box.width(), box.height(),
                 box.width() * 4, QImage::Format_RGB32);
    image = image.copy();  // own the pixels: the box goes away

    QPainter painter(&image);
    QFont font(QStringLiteral("SimSun"));
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    // Each name centred on a point of the figure: the faces on their middle,
    // the edges beside their middle.
    const struct {
        const char* name;
        QPoint centre;
    } names[] = {
        {text::legend_top, {60, 27}},   {text::legend_front, {37, 51}},
        {text::legend_side, {80, 42}},  {text::legend_length, {37, 75}},
        {text::legend_height, {7, 51}}, {text::legend_width, {87, 70}},
    };
    for (const auto& n : names) {
        const QRect cell(n.centre.x() - 20, n.centre.y() - 8, 40, 16);
        painter.drawText(cell, Qt::AlignCenter, qtext(n.name));
    }
    return image;
}

pixel_canvas empty_container() {
    pixel_canvas area(drawing_area::area_width, drawing_area::area_height, background_colour);
    draw_standard_outline(area);
    area.keep_as_background();
    return area;
}

}  // namespace

drawing_area::drawing_area(QWidget* parent)
    : QWidget(parent), pixels_(empty_container()), legend_(draw_legend(legend_rect.size())) {
    setFixedSize(area_width, area_height);
    // Every pixel is painted from the image; nothing underneath needs drawing.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void drawing_area::draw_line(float x1, float y1, float x2, float y2, rgb colour) {
    pixels_.draw_line(x1, y1, x2, y2, colour);
    changed();
}

void drawing_area::clear_drawing() {
    pixels_.clear_drawing();
    changed();
}

// One repaint however many lines a command draws.
void drawing_area::changed() {
    if (update_pending_) return;
    update_pending_ = true;
    update();
}

void drawing_area::set_type_legend(std::vector<type_entry> types) {
    types_ = std::move(types);
    update();
}

void drawing_area::paintEvent(QPaintEvent*) {
    update_pending_ = false;
    const QImage drawing(reinterpret_cast<const uchar*>(pixels_.data()), pixels_.width(),
                         pixels_.height(), pixels_.width() * 4, QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, drawing);
    if (types_.empty()) {
        painter.drawImage(legend_rect.topLeft(), legend_);
    } else {
        // Above the keys the main window puts under a mixed load's container.
        paint_type_legend(painter, QPoint(legend_rect.right(), type_legend_bottom), types_);
    }
}

}  // namespace varnel
