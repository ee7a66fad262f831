#pragma once

#include "view/camera.h"
#include "view/solid_model.h"

namespace varnel {

// The share of the current step's boxes (box_role::current) that shows in a
// picture of `width` × `height` from `c` with the roof and near walls cut
// away, counted on their tops and door sides: 1 when nothing loaded before
// hides any of those, 0 when nothing of them shows (or there is none).
double current_share_shown(const solid_model& model, const camera& c, int width, int height);

// A view into the container from the door end, as low as shows the current
// step's boxes (what is loaded before them in front hides them from low
// down), fitted to a picture of `width` × `height`.
camera step_camera(const solid_model& model, int width, int height,
                   projection_kind kind = projection_kind::perspective);

}  // namespace varnel
