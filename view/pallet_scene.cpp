#include "view/pallet_scene.h"

namespace varnel {

solid_scene pallet_scene(const pallet_plan& plan, const pallet_measures& pallet,
                         const std::string& carton_name, const std::string& pallet_name) {
    solid_scene s;
    // The plan's blocks: x across the width, y along the length, z up from
    // the deck, which stands under them here.
    s.container = {pallet.width, pallet.length, plan.size[2]};
    std::optional<double> weight;
    if (plan.weight && plan.cartons > 0)
        weight = (*plan.weight - pallet.weight) / static_cast<double>(plan.cartons);
    s.types.push_back({carton_name, plan.carton, weight, {0, 166, 13}});
    s.types.push_back(
        {pallet_name, {pallet.width, pallet.length, pallet.height}, pallet.weight, {176, 132, 84}});
    s.blocks.push_back({0.0, 0.0, 0.0, 1, 1, 1, 1, 1});
    for (carton_block b : plan.blocks) {
        b.z += pallet.height;
        s.blocks.push_back(b);
    }
    return s;
}

}  // namespace varnel
