#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

#include "view/solid_framing.h"
#include "view/solid_model.h"
#include "view/solid_raster.h"
#include "view/solid_scene.h"
#include "view/type_colours.h"

namespace varnel {
namespace {

constexpr int width = 320, height = 240;
constexpr double degree = std::numbers::pi / 180.0;

// Cartons 600 × 500 × 600 in a container 2400 × 6000 × 2400; the last block
// is the step shown.
struct framing_row {
    const char* name;
    block_list blocks;
    double lowest_pitch, highest_pitch;  // where the view may stand, degrees
    bool hidden_from_low;                // the lowest view shows little of the step
};

const framing_row rows[] = {
    // Nothing in front: the lowest view.
    {"alone at the far end", {{0, 0, 0, 1, 2, 1, 1, 0}}, 0, 20, false},
    // Beside a higher block, a side pressed against it: still low, though
    // the higher block hides a strip of the top from the left.
    {"beside what is loaded",
     {{0, 0, 0, 1, 2, 2, 4, 0}, {1200, 0, 0, 1, 2, 1, 1, 0}},
     0,
     30,
     false},
    // Behind a wall three cartons high near the door: the view rises over it.
    {"behind a high wall", {{0, 4500, 0, 1, 4, 3, 3, 0}, {0, 0, 0, 1, 4, 1, 1, 0}}, 20, 90, true},
};

TEST(StepCamera, RisesOnlyAsFarAsShowsTheStepOverWhatIsLoadedInFront) {
    for (const framing_row& row : rows) {
        SCOPED_TRACE(row.name);
        solid_scene s;
        s.container = {2400, 6000, 2400};
        s.types.push_back({"T", {600, 500, 600}, std::nullopt, type_colour(0)});
        s.blocks = row.blocks;
        const solid_model m = build_model(s, {s.blocks.size(), true, {}});
        const camera c = step_camera(m, width, height);
        camera low;
        low.yaw = c.yaw;
        low.pitch = 10 * degree;
        low = fitted(low, s.container, width, height);
        EXPECT_EQ(current_share_shown(m, low, width, height) < 0.5, row.hidden_from_low);
        EXPECT_GE(c.pitch, row.lowest_pitch * degree);
        EXPECT_LE(c.pitch, row.highest_pitch * degree);
        // The door half of the step's top shows, in front of everything.
        const carton_block& b = s.blocks.back();
        const vec3 top{b.x + b.count_x * 300.0, b.y + b.count_y * 375.0, b.z + b.count_z * 600.0};
        const std::optional<screen_point> at = projector(c, width, height).to_screen(top);
        ASSERT_TRUE(at);
        solid_raster r;
        r.render(m, c, width, height);
        const std::optional<solid_face> f =
            r.face_at(static_cast<int>(at->x), static_cast<int>(at->y));
        ASSERT_TRUE(f);
        EXPECT_EQ(m.boxes[f->box].role, box_role::current);
        EXPECT_EQ(f->axis, 2);
        EXPECT_GE(current_share_shown(m, c, width, height), 0.8);
    }
}

}  // namespace
}  // namespace varnel
