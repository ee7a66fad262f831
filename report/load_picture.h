#pragma once

#include <QPainter>
#include <QRectF>

#include <cstddef>
#include <span>

#include "engine/loading_steps.h"

namespace varnel {

// Draws the first `shown` steps of a load into `frame` in the load view's
// projection, each type in its colour, and names the door and the far end.
// With `highlight`, the last of them stands out for print in black and
// white: its faces shaded, its cartons outlined in black over the others'
// light lines. The painter's unit is the point.
void draw_load(QPainter& painter, const QRectF& frame, const loading_report& report,
               std::span<const loading_step> steps, std::size_t shown, bool highlight);

// A small square of a type's colour, as the tables mark each type.
void draw_swatch(QPainter& painter, const QRectF& square, std::size_t colour);

}  // namespace varnel
