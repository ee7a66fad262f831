#include "view/drawing_area.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

#include "engine/load_model.h"
#include "ui/qtext.h"
#include "view/colours.h"
#include "view/messages.h"
#include "view/projection.h"

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

// Rows grow upwards from above the keys the main window puts under a mixed
// load's container; a list longer than the room says how many more types it
// holds.
void drawing_area::paint_type_legend(QPainter& painter) const {
    constexpr int row = 14, swatch = 10, most_rows = 14, width = 118, bottom = 348;
    const int total = static_cast<int>(types_.size());
    const int rows = std::min(total, most_rows);
    const QRect box(legend_rect.right() - width, bottom - rows * row - 6, width, rows * row + 6);
    painter.fillRect(box, Qt::white);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    QFont font(QStringLiteral("SimSun"));
    font.setPixelSize(12);
    painter.setFont(font);
    for (int i = 0; i < rows; ++i) {
        const int y = box.top() + 3 + i * row;
        if (i == most_rows - 1 && total > most_rows) {
            painter.setPen(Qt::black);
            painter.drawText(QRect(box.left() + 4, y, width - 8, row), Qt::AlignVCenter,
                             qtext(text::legend_more).arg(total - i));
            break;
        }
        const type_entry& t = types_[static_cast<std::size_t>(i)];
        const QColor colour(t.colour.red, t.colour.green, t.colour.blue);
        painter.fillRect(QRect(box.left() + 4, y + 2, swatch, swatch), colour);
        painter.setPen(colour);
        const QRect name(box.left() + 8 + swatch, y, width - 12 - swatch, row);
        painter.drawText(name, Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(t.name, Qt::ElideRight, name.width()));
    }
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
        paint_type_legend(painter);
    }
}

}  // namespace varnel
