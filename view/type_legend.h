#pragma once

#include <QPainter>
#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

#include "view/canvas.h"

namespace varnel {

// One row of a picture's legend: a name written in its colour beside a
// square of that colour, or of `swatch` where the picture fills with
// another shade of it.
struct legend_entry {
    QString name;
    rgb colour;
    std::optional<rgb> swatch = std::nullopt;
};

// The legend in a white box whose lower right corner is `corner`, rows
// growing upwards; a list longer than the room says how many more types it
// holds.
void paint_type_legend(QPainter& painter, QPoint corner, const std::vector<legend_entry>& types);

}  // namespace varnel
