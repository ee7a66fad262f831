#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "view/camera.h"
#include "view/canvas.h"
#include "view/screen_polygon.h"
#include "view/solid_model.h"
#include "view/solid_raster.h"

namespace varnel {

// The solid view's surface for pictures that stay vector (the PDF, the
// printer): filled polygons and lines, later over earlier. Coordinates are
// those of a picture of the width and height the drawing was asked for.
class polygon_sink {
public:
    virtual ~polygon_sink() = default;

    // A convex polygon filled with `colour`; `opacity` 1 covers what lies
    // under it.
    virtual void fill_polygon(std::span<const screen_point> corners, rgb colour,
                              double opacity) = 0;
    // A straight line `width` pixels wide.
    virtual void draw_line(screen_point from, screen_point to, rgb colour, double width) = 0;
};

// A box of the model, or a part of one cut by a plane so that the boxes can
// be painted one after the other.
struct painted_box {
    solid_box box;
    std::uint32_t source = 0;  // into the model's boxes
};

// The boxes in an order that paints a nearer box after any box it hides,
// from the eye of `p`. Boxes apart from each other may still hide each
// other in a ring (three sticks, each over the next); such a ring is broken
// by cutting one of its boxes along a face plane of another, as often as it
// takes.
std::vector<painted_box> paint_order(const std::vector<solid_box>& boxes, const projector& p);

// A face as painted: its box's part, the face and its picture.
struct painted_face {
    std::uint32_t source = 0;
    solid_face face;  // its `box` is the source's index
    solid_box part;   // the part of the source box it is a face of
    screen_polygon polygon;
};

// The faces of the model turned to the eye, in paint order.
std::vector<painted_face> painted_faces(const solid_model& model, const projector& p);

// The whole picture in paint order: the container's floor, far walls and far
// edges, then each face with its carton grid and edges, then the near
// walls (unless cut away) and near edges.
void draw_solid(polygon_sink& sink, const solid_model& model, const camera& c, int width,
                int height, const solid_options& options = {});

}  // namespace varnel
