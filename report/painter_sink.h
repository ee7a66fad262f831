#pragma once

#include <QPainter>
#include <QTransform>

#include <span>

#include "view/solid_vector.h"

namespace varnel {

// The solid view's vector surface on a QPainter: each face stays a polygon
// and each line a line, so a picture on a PDF page or a printer is as sharp
// as the device allows. `placement` maps the picture's units to the
// painter's coordinates; lines keep their width in the picture's units.
class painter_sink final : public polygon_sink {
public:
    painter_sink(QPainter& painter, const QTransform& placement)
        : painter_(painter), placement_(placement) {}

    void fill_polygon(std::span<const screen_point> corners, rgb colour, double opacity) override;
    void draw_line(screen_point from, screen_point to, rgb colour, double width) override;

private:
    QPainter& painter_;
    QTransform placement_;
};

}  // namespace varnel
