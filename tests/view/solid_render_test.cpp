#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "view/solid_model.h"
#include "view/solid_pick.h"
#include "view/solid_raster.h"
#include "view/solid_scene.h"
#include "view/solid_vector.h"
#include "view/type_colours.h"

namespace varnel {
namespace {

constexpr int width = 400, height = 300;

// Cartons 600 across, 500 along, 600 high in a container 2400 × 6000 ×
// 2400. A fills the far end; B, E and F stand in front of it and G on top
// of C, which they close in on every side: C can never show.
enum block_name : std::size_t { A, B, C, E, F, G };

solid_scene closed_in() {
    solid_scene s;
    s.container = {2400, 6000, 2400};
    for (std::size_t t = 0; t < 6; ++t) {
        s.types.push_back({"T" + std::to_string(t), {600, 500, 600}, std::nullopt, type_colour(t)});
    }
    s.blocks = {
        {0, 0, 0, 1, 4, 2, 4, A},       {0, 1000, 0, 1, 2, 2, 2, B},
        {1200, 1000, 0, 1, 1, 1, 1, C}, {1800, 1000, 0, 1, 1, 2, 2, E},
        {1200, 1500, 0, 1, 1, 1, 2, F}, {1200, 1000, 600, 1, 1, 1, 1, G},
    };
    return s;
}

solid_model whole(const solid_scene& s) { return build_model(s, {s.blocks.size(), false, {}}); }

struct pixel {
    int x, y;
};

std::optional<pixel> pixel_of(const camera& c, vec3 at) {
    const std::optional<screen_point> s = projector(c, width, height).to_screen(at);
    if (!s) return std::nullopt;
    const pixel p{static_cast<int>(std::floor(s->x)), static_cast<int>(std::floor(s->y))};
    if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height) return std::nullopt;
    return p;
}

// Whether `shown` is `fill` darkened alike in every channel, as light does.
bool lit_from(rgb shown, rgb fill) {
    const double k = (shown.red + shown.green + shown.blue) /
                     static_cast<double>(fill.red + fill.green + fill.blue);
    const auto near = [k](std::uint8_t s, std::uint8_t f) { return std::fabs(s - k * f) <= 3.0; };
    return k > 0.5 && k < 1.05 && near(shown.red, fill.red) && near(shown.green, fill.green) &&
           near(shown.blue, fill.blue);
}

struct view_row {
    fixed_view view;
    vec3 at;  // the middle of a carton's face
    std::size_t block;
};

// clang-format off
const view_row views[] = {
    {fixed_view::door_end, {1500, 2000, 300}, F},  {fixed_view::door_end, {2100, 1000, 2100}, A},
    {fixed_view::door_end, {900, 2000, 900}, B},   {fixed_view::door_end, {2100, 2000, 300}, E},
    {fixed_view::top, {1500, 1250, 1200}, G},      {fixed_view::top, {900, 250, 2400}, A},
    {fixed_view::top, {300, 1250, 1200}, B},       {fixed_view::top, {1500, 1750, 1200}, F},
    {fixed_view::side, {0, 1250, 300}, B},         {fixed_view::side, {0, 750, 2100}, A},
    {fixed_view::three_quarter, {300, 2000, 300}, B},
    {fixed_view::three_quarter, {0, 1750, 900}, B},
    {fixed_view::three_quarter, {1500, 1750, 1200}, F},
    {fixed_view::three_quarter, {300, 250, 2400}, A},
    {fixed_view::three_quarter, {900, 1000, 2100}, A},
    {fixed_view::three_quarter, {2100, 1750, 1200}, E},
};
// clang-format on

TEST(SolidRaster, EachFixedViewShowsTheNearestBlockInItsColourAndNeverAHiddenOne) {
    const solid_scene s = closed_in();
    const solid_model m = whole(s);
    for (const projection_kind kind :
         {projection_kind::perspective, projection_kind::orthographic}) {
        for (const view_row& row : views) {
            SCOPED_TRACE(testing::Message()
                         << "view " << static_cast<int>(row.view) << " at " << row.at.x << ", "
                         << row.at.y << ", " << row.at.z
                         << (kind == projection_kind::perspective ? "" : " ortho"));
            const camera c = fixed_camera(row.view, s.container, width, height, kind);
            solid_raster r;
            r.render(m, c, width, height);
            const std::optional<pixel> p = pixel_of(c, row.at);
            ASSERT_TRUE(p);
            const std::optional<solid_face> f = r.face_at(p->x, p->y);
            ASSERT_TRUE(f);
            EXPECT_EQ(m.boxes[f->box].block, row.block);
            // The container's edges may cross the point, faintly: one of
            // its neighbours shows the face's own colour.
            bool coloured = false;
            for (int k = 0; k < 9; ++k) {
                coloured = coloured || lit_from(r.pixel(p->x + k % 3 - 1, p->y + k / 3 - 1),
                                                lighter(type_colour(row.block), 0.42));
            }
            EXPECT_TRUE(coloured);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::optional<solid_face> g = r.face_at(x, y);
                    ASSERT_FALSE(g && m.boxes[g->box].block == C) << x << ", " << y;
                }
            }
        }
    }
}

TEST(SolidModel, LeavesOutTheFacesOfABlockClosedIn) {
    const solid_model m = whole(closed_in());
    for (const solid_face& f : m.faces) EXPECT_NE(m.boxes[f.box].block, C);
    // A's face against B, E, F and G is covered only in part: it stays.
    EXPECT_NE(std::find(m.faces.begin(), m.faces.end(), solid_face{A, 1, true}), m.faces.end());
}

TEST(FixedCamera, EveryViewShowsTheWholeContainerFillingThePicture) {
    for (const projection_kind kind :
         {projection_kind::perspective, projection_kind::orthographic}) {
        for (const fixed_view v :
             {fixed_view::door_end, fixed_view::top, fixed_view::side, fixed_view::three_quarter}) {
            const vec3 container{2350, 12030, 2390};
            const camera c = fixed_camera(v, container, width, height, kind);
            const projector p(c, width, height);
            double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
            for (int i = 0; i < 8; ++i) {
                const std::optional<screen_point> s =
                    p.to_screen({(i & 1) ? container.x : 0, (i & 2) ? container.y : 0,
                                 (i & 4) ? container.z : 0});
                ASSERT_TRUE(s);
                x0 = std::min(x0, s->x), x1 = std::max(x1, s->x);
                y0 = std::min(y0, s->y), y1 = std::max(y1, s->y);
            }
            EXPECT_GE(x0, 0);
            EXPECT_LE(x1, width);
            EXPECT_GE(y0, 0);
            EXPECT_LE(y1, height);
            EXPECT_TRUE(x1 - x0 > 0.75 * width || y1 - y0 > 0.75 * height);
        }
    }
}

TEST(FixedCamera, FromTheDoorTheLeftWallIsOnTheLeftAndTheFloorBelow) {
    const camera c = fixed_camera(fixed_view::door_end, {2400, 6000, 2400}, width, height);
    const projector p(c, width, height);
    const screen_point left = *p.to_screen({0, 3000, 1200}),
                       right = *p.to_screen({2400, 3000, 1200});
    const screen_point floor = *p.to_screen({1200, 3000, 0}),
                       roof = *p.to_screen({1200, 3000, 2400});
    EXPECT_LT(left.x, right.x);
    EXPECT_GT(floor.y, roof.y);
    // From the side and from above, the door is on the right.
    for (const fixed_view v : {fixed_view::side, fixed_view::top}) {
        const projector q(fixed_camera(v, {2400, 6000, 2400}, width, height), width, height);
        EXPECT_LT(q.to_screen({1200, 0, 1200})->x, q.to_screen({1200, 6000, 1200})->x);
    }
}

// The wheel zooms about the pointer: what lay under it, as deep as the
// target, stays there.
TEST(FixedCamera, ZoomingAboutAPointKeepsItWhereItIs) {
    const vec3 container{2350, 12030, 2390};
    for (const projection_kind kind :
         {projection_kind::perspective, projection_kind::orthographic}) {
        const camera c = fixed_camera(fixed_view::three_quarter, container, width, height, kind);
        const projector before(c, width, height);
        const screen_point at = *before.to_screen(c.target + 3000.0 * before.right());
        const camera z = zoomed_at(c, 1.5, at, width, height);
        EXPECT_LT(z.distance, c.distance);
        const screen_point after =
            *projector(z, width, height).to_screen(c.target + 3000.0 * before.right());
        EXPECT_NEAR(after.x, at.x, 1e-6);
        EXPECT_NEAR(after.y, at.y, 1e-6);
    }
}

TEST(SolidPick, AClickNamesTheCartonUnderThePointer) {
    const solid_scene s = closed_in();
    const solid_model m = whole(s);
    const camera c = fixed_camera(fixed_view::three_quarter, s.container, width, height);
    const struct {
        vec3 at;
        std::size_t block;
        carton_place place;
        std::int64_t carton;
        vec3 corner;
    } rows[] = {
        {{300, 2000, 300}, B, {0, 1, 0}, 4, {0, 1500, 0}},
        {{0, 1750, 900}, B, {0, 1, 1}, 6, {0, 1500, 600}},
        {{1500, 1750, 1200}, F, {0, 0, 1}, 1, {1200, 1500, 600}},
        {{300, 250, 2400}, A, {0, 0, 3}, 12, {0, 0, 1800}},
        {{900, 1000, 2100}, A, {1, 1, 3}, 29, {600, 500, 1800}},
        {{2100, 1750, 1200}, E, {0, 1, 1}, 3, {1800, 1500, 600}},
    };
    for (const auto& row : rows) {
        const screen_point at = *projector(c, width, height).to_screen(row.at);
        const std::optional<carton_hit> hit = pick(s, m, c, width, height, at);
        ASSERT_TRUE(hit) << row.at.x << ", " << row.at.y << ", " << row.at.z;
        EXPECT_EQ(hit->block, row.block);
        EXPECT_EQ(hit->place, row.place);
        EXPECT_EQ(hit->carton, row.carton);
        EXPECT_EQ(hit->corner, row.corner);
    }
    EXPECT_FALSE(pick(s, m, c, width, height, {2, 2}));
}

// Stepping: blocks after the step never show, whatever the view; the step
// itself is the bright one.
TEST(SolidShown, AStepHidesTheLaterBlocksAndBrightensItsOwn) {
    const solid_scene s = closed_in();
    for (std::size_t k = 1; k <= s.blocks.size(); ++k) {
        const solid_model m = build_model(s, {k, true, {}});
        for (const solid_box& b : m.boxes) {
            EXPECT_LT(b.block, k);
            EXPECT_EQ(b.role, b.block + 1 == k ? box_role::current : box_role::earlier);
        }
        for (const fixed_view v : {fixed_view::door_end, fixed_view::three_quarter}) {
            const camera c = fixed_camera(v, s.container, width, height);
            solid_raster r;
            r.render(m, c, width, height);
            for (int y = 0; y < height; y += 2) {
                for (int x = 0; x < width; x += 2) {
                    if (const auto f = r.face_at(x, y)) {
                        ASSERT_LT(m.boxes[f->box].block, k);
                    }
                }
            }
        }
    }
    for (const solid_box& b : build_model(s, {3, false, {}}).boxes) {
        EXPECT_EQ(b.role, box_role::plain);
    }
}

// The first n cartons of a block shown are the first n a loader puts in:
// every carton whose middle lies in a box shown, counted by carton_index.
TEST(SolidShown, APartBlockShowsItsFirstCartonsInLoadingOrder) {
    solid_scene s;
    s.container = {3000, 3000, 3000};
    s.types = {{"T", {100, 200, 300}, std::nullopt, type_colour(0)}};
    s.blocks = {{50, 60, 70, 1, 3, 2, 4, 0}};
    for (const std::int64_t n : {0, 1, 2, 3, 5, 12, 13, 17, 23, 24}) {
        const solid_model m = build_model(s, {1, true, n});
        EXPECT_LE(m.boxes.size(), 3u);
        std::set<std::int64_t> shown;
        for (int row = 0; row < 2; ++row) {
            for (int layer = 0; layer < 4; ++layer) {
                for (int column = 0; column < 3; ++column) {
                    const vec3 middle{50 + 100 * (column + 0.5), 60 + 200 * (row + 0.5),
                                      70 + 300 * (layer + 0.5)};
                    for (const solid_box& b : m.boxes) {
                        if (middle.x > b.lo.x && middle.x < b.hi.x && middle.y > b.lo.y &&
                            middle.y < b.hi.y && middle.z > b.lo.z && middle.z < b.hi.z) {
                            shown.insert(carton_index(s.blocks[0], {column, row, layer}));
                        }
                    }
                }
            }
        }
        std::set<std::int64_t> first;
        for (std::int64_t i = 0; i < n; ++i) first.insert(i);
        EXPECT_EQ(shown, first) << n;
    }
}

// --- Against a brute-force model: per pixel, the first box a ray meets ---

// The face a ray enters first, by slabs, over every box.
std::optional<solid_face> brute_force(const std::vector<solid_box>& boxes, const ray& r,
                                      bool perspective) {
    double nearest = std::numeric_limits<double>::infinity();
    std::optional<solid_face> hit;
    for (std::uint32_t i = 0; i < boxes.size(); ++i) {
        double t0 = -std::numeric_limits<double>::infinity();
        double t1 = std::numeric_limits<double>::infinity();
        solid_face entered{i, 0, false};
        bool miss = false;
        for (std::uint8_t a = 0; a < 3 && !miss; ++a) {
            const double d = r.direction[a], o = r.origin[a];
            if (d == 0) {
                miss = o <= boxes[i].lo[a] || o >= boxes[i].hi[a];
                continue;
            }
            const double near = ((d > 0 ? boxes[i].lo[a] : boxes[i].hi[a]) - o) / d;
            const double far = ((d > 0 ? boxes[i].hi[a] : boxes[i].lo[a]) - o) / d;
            if (near > t0) {
                t0 = near;
                entered = {i, a, d < 0};
            }
            t1 = std::min(t1, far);
        }
        if (miss || t0 >= t1 || (perspective && t0 < 1.0) || t0 >= nearest) continue;
        nearest = t0;
        hit = entered;
    }
    return hit;
}

// The pictures compared with the brute-force model are small: it casts a
// ray per pixel at every box.
constexpr int small_width = 200, small_height = 150;

using face_image = std::vector<std::optional<solid_face>>;

// Pixels whose eight neighbours all show what they show: away from edges,
// where a pixel's centre decides between two faces.
int differences_inside(const face_image& expected, const face_image& got) {
    int wrong = 0;
    for (int y = 1; y + 1 < small_height; ++y) {
        for (int x = 1; x + 1 < small_width; ++x) {
            const auto& e = expected[static_cast<std::size_t>(y * small_width + x)];
            bool inside = true;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    inside =
                        inside &&
                        expected[static_cast<std::size_t>((y + dy) * small_width + x + dx)] == e;
                }
            }
            if (inside && got[static_cast<std::size_t>(y * small_width + x)] != e) ++wrong;
        }
    }
    return wrong;
}

// Boxes on a grid of 250 mm, touching often, never overlapping; sticks
// along the three axes among them, which hide each other in rings.
std::vector<solid_box> random_boxes(std::mt19937& random, int count) {
    std::uniform_int_distribution<int> corner(0, 11), side(1, 3), stick(4, 9), axis(0, 3);
    std::vector<solid_box> boxes;
    for (int attempt = 0; attempt < 400 && static_cast<int>(boxes.size()) < count; ++attempt) {
        solid_box b;
        const int along = axis(random);
        for (std::size_t a = 0; a < 3; ++a) {
            b.lo[a] = 250.0 * corner(random);
            b.hi[a] =
                b.lo[a] + 250.0 * (static_cast<int>(a) == along ? stick(random) : side(random));
        }
        const bool overlaps = std::any_of(boxes.begin(), boxes.end(), [&](const solid_box& o) {
            return b.lo.x < o.hi.x && o.lo.x < b.hi.x && b.lo.y < o.hi.y && o.lo.y < b.hi.y &&
                   b.lo.z < o.hi.z && o.lo.z < b.hi.z;
        });
        if (overlaps) continue;
        b.origin = b.lo;
        b.pitch = {250, 250, 250};
        b.block = boxes.size();
        b.fill.fill(type_colour(boxes.size()));
        boxes.push_back(b);
    }
    return boxes;
}

face_image raster_faces(const solid_model& m, const camera& c) {
    solid_raster r;
    r.render(m, c, small_width, small_height);
    face_image image(static_cast<std::size_t>(small_width * small_height));
    for (int y = 0; y < small_height; ++y) {
        for (int x = 0; x < small_width; ++x)
            image[static_cast<std::size_t>(y * small_width + x)] = r.face_at(x, y);
    }
    return image;
}

// The vector picture's faces painted one over the other in its order.
face_image painted(const solid_model& m, const camera& c) {
    face_image image(static_cast<std::size_t>(small_width * small_height));
    for (const painted_face& f : painted_faces(m, projector(c, small_width, small_height))) {
        scan_convex(f.polygon.points(), small_width, small_height, [&](int y, int x0, int x1) {
            for (int x = x0; x < x1; ++x)
                image[static_cast<std::size_t>(y * small_width + x)] = f.face;
        });
    }
    return image;
}

TEST(SolidRender, DepthBufferAndPaintOrderMatchABruteForceModelOnRandomBoxes) {
    int cut = 0;
    for (unsigned seed = 0; seed < 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        solid_model m;
        m.container = {4000, 4000, 4000};
        m.boxes = random_boxes(random, 24);
        m.faces = outer_faces(m.boxes);
        camera c;
        c.kind = seed % 3 == 0 ? projection_kind::orthographic : projection_kind::perspective;
        c.yaw = std::uniform_real_distribution<double>(-3.1, 3.1)(random);
        c.pitch = std::uniform_real_distribution<double>(0.05, 1.5)(random);
        c = fitted(c, m.container, small_width, small_height);
        // Some eyes come close, in among the boxes' planes.
        c = zoomed(c, std::uniform_real_distribution<double>(0.8, 4.0)(random));
        const projector p(c, small_width, small_height);
        face_image expected(static_cast<std::size_t>(small_width * small_height));
        for (int y = 0; y < small_height; ++y) {
            for (int x = 0; x < small_width; ++x) {
                expected[static_cast<std::size_t>(y * small_width + x)] =
                    brute_force(m.boxes, p.ray_at({x + 0.5, y + 0.5}), p.perspective());
            }
        }
        const face_image depth = raster_faces(m, c);
        EXPECT_EQ(differences_inside(expected, depth), 0);
        EXPECT_EQ(differences_inside(depth, painted(m, c)), 0);
        cut += paint_order(m.boxes, p).size() > m.boxes.size() ? 1 : 0;
    }
    // Rings among the boxes are common enough that the seeds cut some.
    EXPECT_GT(cut, 0);
}

// Four boxes round a fifth place, each hiding part of the next, seen from
// above the middle: no order of the whole boxes paints them right.
TEST(SolidRender, ARingOfBoxesHidingEachOtherIsCutAndPaintedRight) {
    solid_model m;
    m.container = {3000, 3000, 1000};
    const double rects[4][4] = {
        {0, 2000, 0, 1000}, {2000, 3000, 0, 2000}, {1000, 3000, 2000, 3000}, {0, 1000, 1000, 3000}};
    for (std::size_t i = 0; i < 4; ++i) {
        solid_box b;
        b.lo = {rects[i][0], rects[i][2], 0};
        b.hi = {rects[i][1], rects[i][3], 1000};
        b.origin = b.lo;
        b.pitch = {500, 500, 500};
        b.block = i;
        b.fill.fill(type_colour(i));
        m.boxes.push_back(b);
    }
    m.faces = outer_faces(m.boxes);
    // The eye above the free middle.
    camera c;
    c.pitch = 1.47;
    c.yaw = 0.3;
    c.distance = 4000;
    c.target = {1500, 1500, 0};
    const projector p(c, small_width, small_height);
    ASSERT_GT(p.eye().x, 1000);
    ASSERT_LT(p.eye().x, 2000);
    ASSERT_GT(p.eye().y, 1000);
    ASSERT_LT(p.eye().y, 2000);
    EXPECT_GT(paint_order(m.boxes, p).size(), m.boxes.size());
    EXPECT_EQ(differences_inside(raster_faces(m, c), painted(m, c)), 0);
}

class null_sink final : public polygon_sink {
public:
    void fill_polygon(std::span<const screen_point>, rgb, double) override { ++drawn; }
    void draw_line(screen_point, screen_point, rgb, double) override { ++drawn; }
    int drawn = 0;
};

// What a hand-edited plan file may hold: the picture, a click and the
// vector picture come back, and what cannot be drawn is left out.
TEST(SolidScene, SizesNoContainerHoldsAreDrawnOrLeftOutSafely) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        vec3 container;
        std::array<double, 3> carton;
        carton_block block;
        std::size_t boxes;
    } rows[] = {
        {{nan, 6000, 2400}, {600, 500, 600}, {0, 0, 0, 1, 2, 2, 2, 0}, 1},
        {{0, 0, 0}, {600, 500, 600}, {0, 0, 0, 1, 2, 2, 2, 0}, 1},
        {{1e300, 1e300, inf}, {600, 500, 600}, {0, 0, 0, 1, 2, 2, 2, 0}, 1},
        {{2400, 6000, 2400}, {0.001, 0.001, 0.001}, {0, 0, 0, 1, 32767, 32767, 32767, 0}, 1},
        {{2400, 6000, 2400}, {1e8, 1e8, 1e8}, {0, 0, 0, 1, 32767, 32767, 32767, 0}, 1},
        {{2400, 6000, 2400}, {600, 500, 600}, {1e300, 0, 0, 1, 2, 2, 2, 0}, 0},
        {{2400, 6000, 2400}, {inf, 500, 600}, {0, 0, 0, 1, 2, 2, 2, 0}, 0},
        {{2400, 6000, 2400}, {600, 500, 600}, {0, 0, 0, 1, -3, 2, 2, 0}, 0},
        {{2400, 6000, 2400}, {600, 500, 600}, {0, 0, 0, 1, 2, 2, 2, 7}, 0},
    };
    for (const auto& row : rows) {
        solid_scene s;
        s.container = row.container;
        s.types = {{"T", row.carton, std::nullopt, type_colour(0)}};
        s.blocks = {row.block};
        const solid_model m = build_model(s, {1, true, 5});
        EXPECT_EQ(m.boxes.size() > 0, row.boxes > 0);
        for (const fixed_view v : {fixed_view::three_quarter, fixed_view::top}) {
            const camera c = fixed_camera(v, s.container, width, height);
            solid_raster r;
            r.render(m, c, width, height, {false, 0});
            pick(s, m, c, width, height, {width / 2.0, height / 2.0});
            null_sink sink;
            draw_solid(sink, m, c, width, height);
            EXPECT_GT(sink.drawn, 0);
        }
    }
}

TEST(SolidScene, AReportLoadShowsItsBlocksInLoadingOrderNamedAsTheReportNamesThem) {
    loading_report r;
    r.container.size = {2350, 5900, 2390};
    r.types = {{"甲", {600, 400, 300}, 12.5, 4}, {"", {800, 600, 500}, std::nullopt, 1}};
    r.loads = {
        {"", {{0, 800, 0, 1, 3, 1, 1, 1}, {0, 0, 300, 1, 3, 2, 1, 0}, {0, 0, 0, 1, 3, 2, 1, 0}}}};
    const solid_scene s = scene_of(r, 0, false);
    EXPECT_EQ(s.container, (vec3{2350, 5900, 2390}));
    // The loading steps: the two layers of 甲 one step, then the other type
    // in front of them.
    const block_list order{{0, 0, 0, 1, 3, 2, 2, 0}, r.loads[0].blocks[0]};
    EXPECT_EQ(s.blocks, order);
    ASSERT_EQ(s.types.size(), 2u);
    EXPECT_EQ(s.types[0].name, "甲");
    EXPECT_EQ(s.types[1].name, "80 × 60 × 50 cm");
    EXPECT_EQ(s.types[0].colour, type_colour(4));
    EXPECT_EQ(s.types[0].weight, 12.5);
    EXPECT_TRUE(scene_of(r, 1, false).blocks.empty());
}

}  // namespace
}  // namespace varnel
