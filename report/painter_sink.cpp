#include "report/painter_sink.h"

#include <QLineF>
#include <QPen>
#include <QPolygonF>

#include <cmath>

namespace varnel {

namespace {

QColor qcolour(rgb c) { return {c.red, c.green, c.blue}; }

}  // namespace

void painter_sink::fill_polygon(std::span<const screen_point> corners, rgb colour, double opacity) {
    QPolygonF polygon;
    for (const screen_point& p : corners) polygon << placement_.map(QPointF(p.x, p.y));
    painter_.setOpacity(opacity);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(qcolour(colour));
    painter_.drawPolygon(polygon);
    painter_.setOpacity(1.0);
}

void painter_sink::draw_line(screen_point from, screen_point to, rgb colour, double width) {
    const QLineF line = placement_.map(QLineF(from.x, from.y, to.x, to.y));
    // A line of no length leaves no dot.
    if (line.p1() == line.p2()) return;
    QPen pen(qcolour(colour), width * std::sqrt(std::fabs(placement_.determinant())));
    pen.setCapStyle(Qt::RoundCap);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawLine(line);
}

}  // namespace varnel
