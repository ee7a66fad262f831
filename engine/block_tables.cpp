#include "engine/block_tables.h"

#include <algorithm>
#include <cmath>

#include "engine/core/box.h"
#include "engine/core/tolerance.h"

namespace varnel {

namespace {

// The view's projection of a corner offset, as stack planning applies it.
origin_point project(float dx, float dy) {
    return project_offset({view_origin_x, view_origin_y}, dx, dy);
}

float scaled(double value, float k) { return static_cast<float>(value * k); }

}  // namespace

block_extent extent_of(const carton_block& b, float l, float w, float h) {
    const int o = b.orientation;
    return {static_cast<double>(b.count_x) * extent_x(l, w, h, o),
            static_cast<double>(b.count_y) * extent_y(l, w, h, o),
            static_cast<double>(b.count_z) * extent_z(l, w, h, o)};
}

block_list standard_blocks(const load_model& m) {
    block_list blocks;
    const std::int16_t n = stack_count(m.stacks);
    if (n == 0) return blocks;
    const double length = m.container_length;
    const stack_record& first = m.stacks[0];
    const carton_block zero{0.0,           0.0,           0.0,          first.orientation,
                            first.count_x, first.count_y, first.count_z};
    const block_extent used0 = extent_of(zero, first.box_length, first.box_width, first.box_height);
    for (std::int16_t i = 0; i < n; ++i) {
        const stack_record& r = m.stacks[static_cast<std::size_t>(i)];
        carton_block b{0.0, 0.0, 0.0, r.orientation, r.count_x, r.count_y, r.count_z};
        // Later spaces start either at the near end or, when their origin is
        // projected back from it, where stack 0 begins; a stack stands at its
        // space's far end, on its floor, against its smallest X.
        const bool along_stack0 = r.origin_y != view_origin_y;
        const double space_far_end = along_stack0 ? used0.y : length;
        b.x = r.stage == 2 ? used0.x : 0.0;
        b.y = std::max(0.0, space_far_end - static_cast<double>(r.space_y));
        b.z = std::max(0.0, static_cast<double>(m.container_height) - r.space_z);
        if (i == 0) b.y = b.z = 0.0;
        blocks.push_back(b);
    }
    return blocks;
}

namespace {

bool near_equal(float a, float b) {
    return std::fabs(a - b) <= record_share * std::max({1.0f, std::fabs(a), std::fabs(b)});
}

bool same_tables(const stack_table& a, const stack_table& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        const stack_record &r = a[i], &s = b[i];
        if (r.in_use != s.in_use || r.stage != s.stage || r.orientation != s.orientation ||
            r.count_x != s.count_x || r.count_y != s.count_y || r.count_z != s.count_z) {
            return false;
        }
        for (auto f : {&stack_record::box_length, &stack_record::box_width,
                       &stack_record::box_height, &stack_record::space_x, &stack_record::space_y,
                       &stack_record::space_z, &stack_record::origin_x, &stack_record::origin_y}) {
            if (!near_equal(r.*f, s.*f)) return false;
        }
    }
    return true;
}

// The box a block fills with the model's cartons, as the tables size it.
block_box table_box(const carton_block& b, const load_model& m) {
    const block_extent e = extent_of(b, m.carton_length, m.carton_width, m.carton_height);
    return {{b.x, b.y, b.z}, {b.x + e.x, b.y + e.y, b.z + e.z}};
}

// Inside the container and clear of each other, give or take rounding.
bool valid_placement(const block_list& blocks, const load_model& m) {
    const std::array<double, 3> container{m.container_width, m.container_length,
                                          m.container_height};
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const block_box a = table_box(blocks[i], m);
        if (!inside(a, container, file_slack)) return false;
        for (std::size_t j = i + 1; j < blocks.size(); ++j) {
            if (boxes_overlap(a, table_box(blocks[j], m), file_slack)) return false;
        }
    }
    return true;
}

}  // namespace

block_list placed_blocks(const load_model& m) {
    const std::int16_t n = stack_count(m.stacks);
    if (n == 0) return {};
    const stack_record& first = m.stacks[0];
    block_list blocks{
        {0.0, 0.0, 0.0, first.orientation, first.count_x, first.count_y, first.count_z}};
    for (std::int16_t i = 1; i < n; ++i) {
        const stack_record& r = m.stacks[static_cast<std::size_t>(i)];
        carton_block b{0.0, 0.0, 0.0, r.orientation, r.count_x, r.count_y, r.count_z};
        const block_extent e = extent_of(b, m.carton_length, m.carton_width, m.carton_height);
        const auto [x, near] =
            unproject_offset({view_origin_x, view_origin_y}, {r.origin_x, r.origin_y});
        b.x = x;
        b.y = static_cast<double>(m.container_length) - near - e.y;
        b.z = static_cast<double>(m.container_height) - r.space_z;
        blocks.push_back(b);
    }
    load_model again = m;
    if (blocks_to_tables(again, blocks) && same_tables(again.stacks, m.stacks) &&
        same_tables(again.draw_stacks, m.draw_stacks) && valid_placement(blocks, m)) {
        return blocks;
    }
    return standard_blocks(m);
}

block_records records_of(const carton_block& b, const box_size& carton, float W, float L, float H) {
    const float kx = drawing_scale(view_extent_x, W), ky = drawing_scale(view_extent_y, L),
                kz = drawing_scale(view_extent_z, H);
    const float l = carton.length, w = carton.width, h = carton.height;
    const block_extent used = extent_of(b, l, w, h);
    stack_record mm;
    mm.box_length = l;
    mm.box_width = w;
    mm.box_height = h;
    mm.count_x = b.count_x;
    mm.count_y = b.count_y;
    mm.count_z = b.count_z;
    mm.orientation = b.orientation;
    mm.in_use = 1;
    mm.stage = 1;
    stack_record drawn = mm;
    // The space is the block itself; its near side lies L - y - uy from the
    // near end and its top is the container's top.
    const double near = std::max(0.0, static_cast<double>(L) - b.y - used.y);
    mm.space_x = static_cast<float>(used.x);
    mm.space_y = static_cast<float>(used.y);
    mm.space_z = static_cast<float>(static_cast<double>(H) - b.z);
    const origin_point o = project(static_cast<float>(b.x), static_cast<float>(near));
    mm.origin_x = o.x;
    mm.origin_y = o.y;
    const origin_point d = project(scaled(b.x, kx), scaled(near, ky));
    drawn.origin_x = d.x;
    drawn.origin_y = d.y;
    const box_size box = scale_box(l, w, h, b.orientation, kx, ky, kz);
    drawn.box_length = box.length;
    drawn.box_width = box.width;
    drawn.box_height = box.height;
    drawn.space_x = scaled(mm.space_x, kx);
    drawn.space_y = scaled(mm.space_y, ky);
    drawn.space_z = scaled(mm.space_z, kz);
    return {mm, drawn};
}

bool blocks_to_tables(load_model& m, const block_list& blocks) {
    clear_table(m.stacks);
    clear_table(m.draw_stacks);
    const auto corner = std::find_if(blocks.begin(), blocks.end(), [](const carton_block& b) {
        return b.x == 0.0 && b.y == 0.0 && b.z == 0.0;
    });
    if (blocks.empty() || blocks.size() > static_cast<std::size_t>(stack_table_size) ||
        corner == blocks.end()) {
        return false;
    }
    block_list ordered{*corner};
    for (auto it = blocks.begin(); it != blocks.end(); ++it) {
        if (it != corner) ordered.push_back(*it);
    }

    const float W = m.container_width, L = m.container_length, H = m.container_height;
    const box_size carton{m.carton_length, m.carton_width, m.carton_height};
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        auto [mm, drawn] = records_of(ordered[i], carton, W, L, H);
        if (i == 0) {
            // Record 0's space is the whole container, from the view's corner.
            mm.space_x = W;
            mm.space_y = L;
            mm.space_z = H;
            mm.origin_x = drawn.origin_x = view_origin_x;
            mm.origin_y = drawn.origin_y = view_origin_y;
            mm.stage = drawn.stage = 0;
            drawn.space_x = scaled(W, drawing_scale(view_extent_x, W));
            drawn.space_y = scaled(L, drawing_scale(view_extent_y, L));
            drawn.space_z = scaled(H, drawing_scale(view_extent_z, H));
        }
        fill_record(m.stacks, static_cast<int>(i), mm);
        fill_record(m.draw_stacks, static_cast<int>(i), drawn);
    }
    return true;
}

}  // namespace varnel
