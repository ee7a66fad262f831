#pragma once

#include <QPainter>
#include <QRectF>

#include <cstddef>

#include "view/solid_scene.h"

namespace varnel {

// The whole load of `scene` into `frame`, solid and shaded, from the
// three-quarter view, with a small view from above beside it. The
// painter's unit is the point.
void draw_whole_load(QPainter& painter, const QRectF& frame, const solid_scene& scene);

// The load up to a step (`shown`, its `current` set) seen from the door end,
// as high as shows the step's blocks over what was loaded before: those
// pale, the step's bright, hatched and outlined bold, so it stands out in
// black and white too.
void draw_step_load(QPainter& painter, const QRectF& frame, const solid_scene& scene,
                    const solid_shown& shown);

// A small square of a type's colour, as the tables mark each type.
void draw_swatch(QPainter& painter, const QRectF& square, std::size_t colour);

}  // namespace varnel
