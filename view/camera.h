#pragma once

#include <cmath>
#include <cstddef>
#include <optional>

namespace varnel {

// A point or direction of the container's space in millimetres: x across
// the width from the left wall (seen from the door), y along the length
// from the far end (the door at y = length), z up from the floor.
struct vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    // The coordinate along axis 0 (x), 1 (y) or 2 (z).
    double operator[](std::size_t axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
    double& operator[](std::size_t axis) { return axis == 0 ? x : axis == 1 ? y : z; }

    friend vec3 operator+(vec3 a, vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend vec3 operator-(vec3 a, vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend vec3 operator*(double k, vec3 a) { return {k * a.x, k * a.y, k * a.z}; }
    bool operator==(const vec3&) const = default;
};

inline double dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline vec3 cross(vec3 a, vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline vec3 normalised(vec3 a) { return (1.0 / std::sqrt(dot(a, a))) * a; }

// No container or carton reaches a thousand kilometres: what does (a
// hand-edited file) is not drawn, so that every number the picture
// computes stays finite.
inline constexpr double farthest = 1e9;

// The container as the view draws it: its own size, or a cube of a metre
// where a side is not a size above zero.
vec3 drawable_container(vec3 size);

enum class projection_kind { perspective, orthographic };

// The views a key brings back: into the container from the door, from
// above, from the left side and the three-quarter view from the door's left
// corner that a view starts with.
enum class fixed_view { door_end, top, side, three_quarter };

// Where the load is looked at from: the eye circles `target` at `distance`.
// The orthographic view shows what the perspective view shows at the
// target's distance, so switching keeps the picture's scale.
struct camera {
    double yaw = 0.0;       // radians; 0 looks from the door end, positive moves the eye right
    double pitch = 0.0;     // radians above the horizon, 0 to pi/2
    double distance = 1.0;  // mm from the target to the eye
    vec3 target;
    double field_of_view = 0.6;  // radians, top to bottom of the picture
    projection_kind kind = projection_kind::perspective;

    bool operator==(const camera&) const = default;
};

// A ray from the eye through a point of the picture.
struct ray {
    vec3 origin;
    vec3 direction;  // not of unit length
};

// A point of the picture in pixels from its top-left corner, y down.
struct screen_point {
    double x = 0.0;
    double y = 0.0;
};

// The camera over a picture of `width` × `height` pixels: where a point of
// the container shows, and which points show at a pixel.
class projector {
public:
    projector(const camera& c, int width, int height);

    // Nothing nearer the eye than this is drawn, in mm.
    static constexpr double near_plane = 1.0;

    // The distance in front of the eye along the line of sight (perspective)
    // or from the target's plane (orthographic, negative nearer the eye).
    double depth_of(vec3 p) const { return dot(p - eye_, forward_); }
    // Where `p` shows; none behind the near plane.
    std::optional<screen_point> to_screen(vec3 p) const;
    ray ray_at(screen_point s) const;

    bool perspective() const { return perspective_; }
    vec3 eye() const { return eye_; }
    vec3 right() const { return right_; }
    vec3 up() const { return up_; }
    vec3 forward() const { return forward_; }
    // Pixels per mm on the image plane (perspective: at unit depth).
    double focal() const { return focal_; }
    double centre_x() const { return cx_; }
    double centre_y() const { return cy_; }

private:
    bool perspective_;
    vec3 eye_, right_, up_, forward_;
    double focal_, cx_, cy_;
};

// One of the fixed views of a container of `container` (x, y, z extents),
// the whole container filling most of a picture of `width` × `height`.
camera fixed_camera(fixed_view view, vec3 container, int width, int height,
                    projection_kind kind = projection_kind::perspective);

// The camera turned to `yaw` and `pitch` (clamped to the horizon and the
// zenith) and moved back and sideways so that the container fills most of
// the picture, centred.
camera fitted(camera c, vec3 container, int width, int height);

// Turning, moving and zooming as a drag or a key does: angles in radians,
// `dx`, `dy` in pixels of the picture.
camera orbited(camera c, double yaw, double pitch);
camera panned(camera c, double dx, double dy, int height);
camera zoomed(camera c, double factor);
// Zoomed about point `at` of the picture, which stays where it is, as the
// wheel zooms.
camera zoomed_at(camera c, double factor, screen_point at, int width, int height);

}  // namespace varnel
