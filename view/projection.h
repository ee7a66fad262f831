#pragma once

#include "view/canvas.h"

namespace varnel {

// Why a drawing routine stopped. Lines drawn before the fault stay.
enum class draw_status {
    ok,
    index_out_of_range,  // a record outside the table was asked for
    overflow             // an end point is not a finite single-precision value
};

// A point of the drawing, computed in double before it is handed over.
struct view_point {
    double x = 0.0;
    double y = 0.0;
};

// The oblique view of the drawn container box: x across from its left wall
// (0..2000), y along from its near end (0..5000), z above its floor
// (0..2500), all in drawing units. Depth runs up and to the right.
view_point project(double x, double y, double z);

// Hands a line over to the canvas in single precision. An end point that
// single precision cannot hold (only a hand-edited plan gives one) draws
// nothing and reports an overflow.
draw_status draw_projected_line(canvas& target, view_point from, view_point to, rgb colour);

// The container's nine visible edges: the near face in the front colour, the
// rest of the top in the top colour, the rest of the right side in the side
// colour. (left, top) is the near face's top-left corner; angle in radians.
draw_status draw_container_outline(canvas& target, float width, float length, float height,
                                   float left, float top, float angle);

// The outline with the view's own extents, corner and angle: the figure of
// the drawing area's background picture.
draw_status draw_standard_outline(canvas& target);

}  // namespace varnel
