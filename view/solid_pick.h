#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "view/camera.h"
#include "view/solid_model.h"
#include "view/solid_scene.h"

namespace varnel {

// The carton a point of the picture shows.
struct carton_hit {
    std::size_t block = 0;    // into the scene's blocks: its step is block + 1
    std::int64_t carton = 0;  // within the block (carton_index)
    carton_place place;
    // The carton's corner at the far end, the left wall and the floor, mm.
    vec3 corner;

    bool operator==(const carton_hit&) const = default;
};

// The carton nearest the eye at point `at` of a picture of `width` ×
// `height`, none where no carton shows. A ray against every box shown: no
// picture needed, and a load of thousands of blocks takes well under a
// millisecond.
std::optional<carton_hit> pick(const solid_scene& scene, const solid_model& model, const camera& c,
                               int width, int height, screen_point at);

}  // namespace varnel
