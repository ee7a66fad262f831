#pragma once

#include <array>
#include <cstdint>
#include <utility>

namespace varnel {

// Every table has 31 records; a calculation uses at most the first seven.
inline constexpr int stack_table_size = 31;
inline constexpr int max_planned_stacks = 7;

// The drawn container box: always the same size on screen, whatever the real
// container, so each axis has its own scale (drawing units are 1/1440 inch).
inline constexpr float view_origin_x = 350.0f;
inline constexpr float view_origin_y = 2600.0f;
inline constexpr float view_extent_x = 2000.0f;
inline constexpr float view_extent_y = 5000.0f;
inline constexpr float view_extent_z = 2500.0f;
inline constexpr float view_angle = 0.4f;

// One stack: a block of identically oriented cartons planned in a free space.
// Field order is the record's own; the plan file uses a different one.
struct stack_record {
    std::int16_t reserved = 0;
    float box_length = 0.0f;
    float box_width = 0.0f;
    float box_height = 0.0f;
    float space_x = 0.0f;
    float space_y = 0.0f;
    float space_z = 0.0f;
    float origin_x = 0.0f;
    float origin_y = 0.0f;
    std::int16_t count_x = 0;
    std::int16_t count_y = 0;
    std::int16_t count_z = 0;
    std::int16_t orientation = 0;
    std::int16_t in_use = 0;
    std::int16_t stage = 0;

    bool operator==(const stack_record&) const = default;
};

using stack_table = std::array<stack_record, stack_table_size>;

// The one model of the current plan: sizes in millimetres, `stacks` in
// millimetres and `draw_stacks` in drawing units, record i of both alike.
struct load_model {
    float container_width = 0.0f;   // X, across
    float container_length = 0.0f;  // Y, along
    float container_height = 0.0f;  // Z, up
    float carton_length = 0.0f;
    float carton_width = 0.0f;
    float carton_height = 0.0f;
    std::int16_t side_allowed = 0;
    float view_origin_x = 0.0f;
    float view_origin_y = 0.0f;

    std::int16_t best_count_x = 0;
    std::int16_t best_count_y = 0;
    std::int16_t best_count_z = 0;
    std::int16_t best_orientation = 0;
    std::array<float, 7> orientation_fill{};  // indexed by orientation 1..6
    float best_fill = 0.0f;

    stack_table stacks{};
    stack_table draw_stacks{};
};

// Resets counts, flags and boxes of every record; the space sizes stay, which
// is harmless because every reader stops at the first record not in use.
void clear_table(stack_table& table);

// Copies `record` into slot `index`; an index outside 0..30 writes nothing.
bool fill_record(stack_table& table, int index, const stack_record& record);

// Number of leading records with in_use = 1: the walk every reader of a plan
// makes (summary, drawing, saving, stepping).
std::int16_t stack_count(const stack_table& table);

// The carton's extent along one axis in orientation 1..6; 0 for any other
// orientation, so such a record occupies and draws nothing.
float extent_x(float length, float width, float height, int orientation);
float extent_y(float length, float width, float height, int orientation);
float extent_z(float length, float width, float height, int orientation);

// The carton's three dimensions, each multiplied by the scale factor of the
// axis it lies along in `orientation` (products in double, stored as float).
struct box_size {
    float length = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};
box_size scale_box(float length, float width, float height, int orientation, float kx, float ky,
                   float kz);

// A stack's reference corner: a point of the drawing, or a millimetre offset
// projected the same way.
struct origin_point {
    float x = 0.0f;
    float y = 0.0f;
};

// Projects a corner offset (dx across, dy along) from `corner` the way the view
// does: depth runs up and right at the receding angle. Stack planning places
// its spaces with it, and so does every block written into the tables.
origin_point project_offset(origin_point corner, float dx, float dy);
// The offsets (dx, dy) that project_offset turned into `point`.
std::pair<double, double> unproject_offset(origin_point corner, origin_point point);

// A scale factor of the drawing; a container too small to hold any carton
// gets 0, as nothing will be scaled with it.
float drawing_scale(float drawn_extent, float size);

// True for the orientations that lay the carton on a side (2, 4, 5, 6).
bool lies_on_side(int orientation);

// The plan reset's model part: no carton, a unit container, both tables clear.
void reset_model(load_model& model);

}  // namespace varnel
