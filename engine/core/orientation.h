#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace varnel {

// The one orientation table. Orientations are numbered 1..6 as the stack
// tables and plan files number them; `carton_axes[o]` says which carton side
// (0 length, 1 width, 2 height) lies along X (across the container), Y (along
// it) and Z (up). Orientations 1 and 3 keep the carton's height up.
inline constexpr std::array<std::array<std::size_t, 3>, 7> carton_axes{{
    {0, 1, 2},  // unused slot 0
    {0, 1, 2},
    {0, 2, 1},
    {1, 0, 2},
    {2, 0, 1},
    {1, 2, 0},
    {2, 1, 0},
}};

inline constexpr bool valid_orientation(int o) { return o >= 1 && o <= 6; }

// The carton sides along X, Y and Z in orientation `o`. An orientation out of
// 1..6 (a damaged record) reads as 1, so that it still names three sides.
inline constexpr const std::array<std::size_t, 3>& axes_of(int o) {
    return carton_axes[static_cast<std::size_t>(valid_orientation(o) ? o : 1)];
}

// The carton side (0 length, 1 width, 2 height) that stands vertical.
inline constexpr std::size_t vertical_side(int o) { return axes_of(o)[2]; }

// A carton's extents along X, Y and Z in orientation `o`; `size` is its
// length, width and height.
template <typename T>
constexpr std::array<T, 3> rotated(const std::array<T, 3>& size, int o) {
    const auto& a = axes_of(o);
    return {size[a[0]], size[a[1]], size[a[2]]};
}

// The orientation that puts carton sides `axes` along X, Y and Z.
inline std::optional<std::int16_t> orientation_of(const std::array<std::size_t, 3>& axes) {
    for (std::int16_t o = 1; o <= 6; ++o) {
        if (carton_axes[static_cast<std::size_t>(o)] == axes) return o;
    }
    return std::nullopt;
}

// Which orientations a carton may take, chosen by the sides that may stand
// vertical: "this side up" is {height}, any orientation is all three.
class orientation_set {
public:
    static constexpr orientation_set any() { return orientation_set(0b111); }
    static constexpr orientation_set upright() { return orientation_set(0b100); }
    // Sides as a mask: bit 0 length, bit 1 width, bit 2 height vertical.
    static constexpr orientation_set with_vertical_sides(unsigned mask) {
        return orientation_set(mask & 0b111u);
    }
    constexpr bool allows(int o) const {
        return valid_orientation(o) && ((sides_ >> vertical_side(o)) & 1u) != 0;
    }
    constexpr bool allows_vertical(std::size_t side) const { return ((sides_ >> side) & 1u) != 0; }
    constexpr unsigned vertical_sides() const { return sides_; }
    constexpr bool empty() const { return sides_ == 0; }
    constexpr bool operator==(const orientation_set&) const = default;

private:
    constexpr explicit orientation_set(unsigned sides) : sides_(sides) {}
    unsigned sides_;
};

}  // namespace varnel
