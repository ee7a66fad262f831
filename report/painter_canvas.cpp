#include "report/painter_canvas.h"

#include <QLineF>
#include <QPen>

namespace varnel {

void painter_canvas::draw_line(float x1, float y1, float x2, float y2, rgb colour) {
    const QLineF line = placement_.map(QLineF(x1, y1, x2, y2));
    // A grid line of no length (a block with a count of 0) leaves no dot.
    if (line.p1() == line.p2()) return;
    QPen pen(ink_.value_or(QColor(colour.red, colour.green, colour.blue)), width_);
    pen.setCapStyle(Qt::RoundCap);
    painter_.setPen(pen);
    painter_.drawLine(line);
}

}  // namespace varnel
