#include "view/solid_framing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "view/solid_raster.h"

namespace varnel {

namespace {

constexpr double degree = std::numbers::pi / 180.0;

// The door view turned a little to the left, so that the boxes' sides show
// their depth.
constexpr double step_yaw = -20 * degree;
// The heights tried, lowest first: low views read best, as a loader stands.
constexpr std::array<double, 7> step_pitches{18 * degree, 28 * degree, 38 * degree, 48 * degree,
                                             60 * degree, 72 * degree, 86 * degree};
// Shown this well, the step is seen.
constexpr double enough = 0.8;
// The views are compared on a small picture of this many pixels across.
constexpr int probe_width = 160;

// The pixels of the current step's tops and door sides: the faces a loader
// looks at. Its other sides may lie against what was loaded before, which
// hides them from every side and says nothing of the view.
std::size_t pixels_of_current(const solid_raster& r, const solid_model& model) {
    std::size_t n = 0;
    for (int y = 0; y < r.height(); ++y) {
        for (int x = 0; x < r.width(); ++x) {
            const std::optional<solid_face> f = r.face_at(x, y);
            if (f && f->positive && f->axis != 0 && model.boxes[f->box].role == box_role::current)
                ++n;
        }
    }
    return n;
}

// The part of the container a step's picture frames: from the far end to
// just past what is loaded (at least part of the length, so that a first
// step still shows where it stands), all its width and height.
vec3 loaded_part(const solid_model& model) {
    const vec3 box = model.container;
    double reach = 0.0;
    for (const solid_box& b : model.boxes) reach = std::max(reach, b.hi.y);
    return {box.x, std::clamp(reach + 0.1 * box.y, 0.45 * box.y, box.y), box.z};
}

}  // namespace

double current_share_shown(const solid_model& model, const camera& c, int width, int height) {
    solid_model alone{model.container, {}, {}};
    for (const solid_box& b : model.boxes) {
        if (b.role == box_role::current) alone.boxes.push_back(b);
    }
    if (alone.boxes.empty()) return 0.0;
    alone.faces = outer_faces(alone.boxes);
    solid_raster r;
    r.render(alone, c, width, height);
    const std::size_t whole = pixels_of_current(r, alone);
    if (whole == 0) return 0.0;
    r.render(model, c, width, height);
    return static_cast<double>(pixels_of_current(r, model)) / static_cast<double>(whole);
}

camera step_camera(const solid_model& model, int width, int height, projection_kind kind) {
    width = std::max(1, width);
    height = std::max(1, height);
    const int probe_height = std::max(1, height * probe_width / width);
    const vec3 framed = loaded_part(model);
    camera best;
    double best_share = -1.0;
    for (const double pitch : step_pitches) {
        camera c;
        c.kind = kind;
        c.yaw = step_yaw;
        c.pitch = pitch;
        c = fitted(c, framed, probe_width, probe_height);
        const double share = current_share_shown(model, c, probe_width, probe_height);
        if (share > best_share + 1e-9) {
            best = c;
            best_share = share;
        }
        if (share >= enough) break;
    }
    return fitted(best, framed, width, height);
}

}  // namespace varnel
