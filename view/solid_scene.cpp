#include "view/solid_scene.h"

#include <cmath>
#include <utility>

#include "engine/core/orientation.h"
#include "view/type_colours.h"

namespace varnel {

solid_scene scene_of(const loading_report& report, bool face_colours, block_list blocks) {
    solid_scene s;
    s.container = {report.container.size[0], report.container.size[1], report.container.size[2]};
    s.face_colours = face_colours;
    for (const report_carton& t : report.types) {
        s.types.push_back({type_name(t), t.size, t.weight, type_colour(t.colour)});
    }
    s.blocks = std::move(blocks);
    return s;
}

solid_scene scene_of(const loading_report& report, std::size_t load, bool face_colours) {
    block_list parts;
    if (load < report.loads.size()) {
        for (const loading_step& step : loading_steps(report.loads[load].blocks, report.types)) {
            parts.push_back(step.part);
        }
    }
    return scene_of(report, face_colours, std::move(parts));
}

std::int64_t carton_index(const carton_block& b, carton_place p) {
    return p.column + std::int64_t{b.count_x} * (p.layer + std::int64_t{b.count_z} * p.row);
}

std::array<double, 3> carton_extents(const solid_scene& scene, const carton_block& b) {
    return rotated(scene.types[b.type].size, b.orientation);
}

bool drawable(const solid_scene& scene, const carton_block& b) {
    if (b.type >= scene.types.size() || holds_nothing(b)) return false;
    for (const double side : scene.types[b.type].size) {
        if (!(side > 0.0 && side <= farthest)) return false;
    }
    return std::fabs(b.x) <= farthest && std::fabs(b.y) <= farthest && std::fabs(b.z) <= farthest;
}

}  // namespace varnel
