#include "report/load_picture.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>

#include "report/messages.h"
#include "report/painter_canvas.h"
#include "ui/fonts.h"
#include "ui/qtext.h"
#include "view/mixed_drawing.h"
#include "view/projection.h"
#include "view/stack_drawing.h"
#include "view/type_colours.h"

namespace varnel {

namespace {

QColor qcolour(rgb c) { return {c.red, c.green, c.blue}; }

// The drawn container's corners on the page: its box in drawing units.
QRectF view_bounds() {
    const view_point near_bottom = project(0, 0, 0);
    const view_point far_top = project(view_extent_x, view_extent_y, view_extent_z);
    return QRectF(QPointF(near_bottom.x, far_top.y), QPointF(far_top.x, near_bottom.y));
}

QPointF at(const QTransform& placement, view_point p) { return placement.map(QPointF(p.x, p.y)); }

// Cartons thinner on the page than half a point merge along that axis into
// one cell, so a hand-edited plan of thousands of tiny cartons draws as a
// block, not as millions of lines.
stack_record drawn_record(const loading_report& r, const carton_block& b, double points_per_unit) {
    return drawn_block(b, r.types[b.type].size, r.container.size, 0.5 / points_per_unit);
}

void draw_grid(painter_canvas& canvas, const stack_record& r) {
    draw_stack_side(canvas, r);
    draw_stack_front(canvas, r);
    draw_stack_top(canvas, r);
}

void shade(QPainter& painter, const QTransform& placement, const stack_record& r, QColor fill) {
    const auto faces = stack_faces(r);
    if (!faces) return;
    QPolygonF polygons[3];
    for (std::size_t f = 0; f < 3; ++f) {
        for (const view_point& p : (*faces)[f]) {
            // A hand-edited size beyond any page: its lines are left out too.
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
            polygons[f] << at(placement, p);
        }
    }
    painter.setBrush(fill);
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPolygonF& polygon : polygons) painter.drawPolygon(polygon);
    painter.setBrush(Qt::NoBrush);
}

}  // namespace

void draw_load(QPainter& painter, const QRectF& frame, const loading_report& report,
               std::span<const loading_step> steps, std::size_t shown, bool highlight) {
    painter.save();
    // Room for the names of the door below and of the far end above.
    const double label = std::clamp(frame.height() * 0.07, 6.0, 10.0);
    const QRectF room = frame.adjusted(0, label * 1.6, 0, -label * 1.6);
    const QRectF box = view_bounds();
    const double scale = std::min(room.width() / box.width(), room.height() / box.height());
    const QPointF offset(room.center().x() - box.center().x() * scale,
                         room.center().y() - box.center().y() * scale);
    const QTransform placement(scale, 0, 0, scale, offset.x(), offset.y());
    painter_canvas canvas(painter, placement);

    shown = std::min(shown, steps.size());
    for (std::size_t i = 0; i < shown; ++i) {
        const carton_block& b = steps[i].part;
        const stack_record r = drawn_record(report, b, scale);
        const rgb colour = type_colour(report.types[b.type].colour);
        const bool latest = highlight && i + 1 == shown;
        if (latest) {
            shade(painter, placement, r, qcolour(lighter(colour, 0.55)));
            canvas.set_ink(Qt::black);
            canvas.set_width(0.5);
        } else {
            // Earlier steps recede when a later one is the subject.
            canvas.set_ink(qcolour(highlight ? lighter(colour, 0.5) : colour));
            canvas.set_width(highlight ? 0.35 : 0.4);
        }
        draw_grid(canvas, r);
    }
    canvas.set_ink(QColor(90, 90, 90));
    canvas.set_width(0.7);
    draw_standard_outline(canvas);

    QFont font = page_font(static_cast<int>(label));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QPointF door = at(placement, project(view_extent_x / 2, 0, 0));
    painter.drawText(QRectF(door.x() - 40, door.y() + 1, 80, label * 1.5),
                     Qt::AlignHCenter | Qt::AlignTop, qtext(text::door));
    const QPointF far_end = at(placement, project(0, view_extent_y, view_extent_z));
    painter.drawText(QRectF(far_end.x() - 40, far_end.y() - label * 1.6, 80, label * 1.5),
                     Qt::AlignHCenter | Qt::AlignBottom, qtext(text::far_end));
    painter.restore();
}

void draw_swatch(QPainter& painter, const QRectF& square, std::size_t colour) {
    painter.save();
    painter.setPen(QPen(Qt::black, 0.5));
    painter.setBrush(qcolour(type_colour(colour)));
    painter.drawRect(square);
    painter.restore();
}

}  // namespace varnel
