#include "engine/stack_planning.h"

#include "engine/core/expects.h"

namespace varnel {

namespace {

using point = origin_point;

// A free space: its sizes in millimetres and its reference corner (smallest X,
// smallest Y, top) both in millimetre offsets and in drawing units.
struct free_space {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    point mm_origin;
    point draw_origin;
};

// The sizes a stack really occupies on each axis.
struct used_size {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

used_size used_by(const stack_record& r) {
    auto product = [](std::int16_t count, float extent) {
        return static_cast<float>(static_cast<double>(count) * extent);
    };
    const int o = r.orientation;
    return {product(r.count_x, extent_x(r.box_length, r.box_width, r.box_height, o)),
            product(r.count_y, extent_y(r.box_length, r.box_width, r.box_height, o)),
            product(r.count_z, extent_z(r.box_length, r.box_width, r.box_height, o))};
}

float minus(float a, float b) { return static_cast<float>(static_cast<double>(a) - b); }
float plus(float a, float b) { return static_cast<float>(static_cast<double>(a) + b); }

class planner {
public:
    explicit planner(load_model& m)
        : m_(m),
          kx_(drawing_scale(view_extent_x, m.container_width)),
          ky_(drawing_scale(view_extent_y, m.container_length)),
          kz_(drawing_scale(view_extent_z, m.container_height)),
          corner_{m.view_origin_x, m.view_origin_y} {}

    plan_outcome run(bool single_placement);

private:
    point project(float dx, float dy) const {
        return project_offset({m_.view_origin_x, m_.view_origin_y}, dx, dy);
    }

    free_space at_corner(float x, float y, float z) const { return {x, y, z, corner_, corner_}; }

    // The strip of length uy_0 beside or above stack 0, at offset x0 across.
    free_space along_stack0(float x, float y, float z, float mm_x0, float draw_x0) const {
        return {x, y, z, project(mm_x0, minus(m_.container_length, used0_.y)),
                project(draw_x0, minus(view_extent_y, draw_used0_.y))};
    }

    bool place(const free_space& s, std::int16_t stage);
    const stack_record& placed(int i) const { return m_.stacks[static_cast<std::size_t>(i)]; }
    float height_of_stage(std::int16_t stage) const;

    load_model& m_;
    const float kx_, ky_, kz_;
    const point corner_;
    std::int16_t next_ = 0;
    search_status status_ = search_status::ok;
    used_size used0_;
    used_size draw_used0_;
};

bool planner::place(const free_space& s, std::int16_t stage) {
    if (status_ != search_status::ok) return false;
    m_.best_count_x = 0;
    m_.best_count_y = 0;
    m_.best_count_z = 0;
    status_ = find_best_orientation(m_, s.x, s.y, s.z, m_.side_allowed);
    if (status_ != search_status::ok) return false;
    if (m_.best_count_x == 0 || m_.best_count_y == 0 || m_.best_count_z == 0) return false;

    stack_record mm;
    mm.box_length = m_.carton_length;
    mm.box_width = m_.carton_width;
    mm.box_height = m_.carton_height;
    mm.space_x = s.x;
    mm.space_y = s.y;
    mm.space_z = s.z;
    mm.origin_x = s.mm_origin.x;
    mm.origin_y = s.mm_origin.y;
    mm.count_x = m_.best_count_x;
    mm.count_y = m_.best_count_y;
    mm.count_z = m_.best_count_z;
    mm.orientation = m_.best_orientation;
    mm.in_use = 1;
    mm.stage = stage;
    fill_record(m_.stacks, next_, mm);

    stack_record drawn = mm;
    const box_size box =
        scale_box(mm.box_length, mm.box_width, mm.box_height, mm.orientation, kx_, ky_, kz_);
    drawn.box_length = box.length;
    drawn.box_width = box.width;
    drawn.box_height = box.height;
    drawn.space_x = static_cast<float>(static_cast<double>(s.x) * kx_);
    drawn.space_y = static_cast<float>(static_cast<double>(s.y) * ky_);
    drawn.space_z = static_cast<float>(static_cast<double>(s.z) * kz_);
    drawn.origin_x = s.draw_origin.x;
    drawn.origin_y = s.draw_origin.y;
    fill_record(m_.draw_stacks, next_, drawn);

    ++next_;
    return true;
}

float planner::height_of_stage(std::int16_t stage) const {
    float sum = 0.0f;
    for (int i = 0; i < next_; ++i) {
        if (placed(i).stage == stage) sum = plus(sum, used_by(placed(i)).z);
    }
    return sum;
}

plan_outcome planner::run(bool single_placement) {
    const float W = m_.container_width, L = m_.container_length, H = m_.container_height;

    // Stage 0: the whole container.
    if (!place(at_corner(W, L, H), 0)) return {next_, status_};
    if (single_placement) return {next_, status_};
    used0_ = used_by(placed(0));
    draw_used0_ = used_by(m_.draw_stacks[0]);
    const float rest_length = minus(L, used0_.y);

    // Stage 1: in front of stack 0, a second stack on top of the first.
    std::int16_t first_of_stage = next_;
    if (place(at_corner(W, rest_length, H), 1)) {
        place(at_corner(W, rest_length, minus(H, used_by(placed(first_of_stage)).z)), 1);
    }

    // Stage 2: beside stack 0. The strip runs the full length only when
    // stack 0 is at least as wide as what stands in front of it.
    if (next_ > 1) {
        float widest1 = 0.0f, width_sum1 = 0.0f;
        for (int i = 1; i < next_; ++i) {
            const float ux = used_by(placed(i)).x;
            if (ux > widest1) widest1 = ux;
            width_sum1 = plus(width_sum1, ux);
        }
        const float beside = minus(W, used0_.x);
        auto strip = [&](bool full_length, float height) {
            if (full_length) {
                return free_space{beside,
                                  L,
                                  height,
                                  {plus(m_.view_origin_x, used0_.x), m_.view_origin_y},
                                  {plus(m_.view_origin_x, draw_used0_.x), m_.view_origin_y}};
            }
            return along_stack0(beside, used0_.y, height, used0_.x, draw_used0_.x);
        };
        first_of_stage = next_;
        if (place(strip(used0_.x >= widest1, H), 2)) {
            const float on_top = minus(H, used_by(placed(first_of_stage)).z);
            place(strip(used0_.x >= width_sum1, on_top), 2);
        }
    }

    // Stage 3: above stack 0, over the full width and length where the
    // neighbouring columns are no taller than stack 0.
    const float above = minus(H, used0_.z);
    auto room_above = [&](float length_taken) {
        const float across = used0_.z >= height_of_stage(2) ? W : used0_.x;
        if (used0_.z >= height_of_stage(1)) return at_corner(across, minus(L, length_taken), above);
        return along_stack0(across, minus(used0_.y, length_taken), above, 0.0f, 0.0f);
    };
    first_of_stage = next_;
    if (place(room_above(0.0f), 3)) place(room_above(used_by(placed(first_of_stage)).y), 3);

    return {next_, status_};
}

}  // namespace

plan_outcome plan_stacks(load_model& model, bool single_placement) {
    VARNEL_EXPECTS(stack_count(model.stacks) == 0 && stack_count(model.draw_stacks) == 0 &&
                   model.best_orientation == 1);
    return planner(model).run(single_placement);
}

}  // namespace varnel
