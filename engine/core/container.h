#pragma once

#include <array>
#include <optional>

namespace varnel {

// The container's inner size along the blocks' axes: x across (its width),
// y along (its length), z up, in millimetres; its payload in kg when known.
struct container_space {
    std::array<double, 3> size{};
    std::optional<double> payload;
};

// A container's inner sides as typed, shown and filed (length, width,
// height) along the blocks' axes, and back: the one place where length and
// width trade places.
template <typename T>
constexpr std::array<double, 3> container_axes(const std::array<T, 3>& length_width_height) {
    return {static_cast<double>(length_width_height[1]),
            static_cast<double>(length_width_height[0]),
            static_cast<double>(length_width_height[2])};
}
constexpr std::array<double, 3> container_sides(const std::array<double, 3>& xyz) {
    return {xyz[1], xyz[0], xyz[2]};
}

}  // namespace varnel
