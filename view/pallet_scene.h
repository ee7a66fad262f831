#pragma once

#include <string>

#include "engine/single/pallet_load.h"
#include "view/solid_scene.h"

namespace varnel {

// A loaded pallet as the solid view shows it: the deck, a slab of the
// pallet's own height, and the cartons on it, inside the loaded pallet's
// outer size. Type 0 is the carton, type 1 the deck, named as given.
solid_scene pallet_scene(const pallet_plan& plan, const pallet_measures& pallet,
                         const std::string& carton_name, const std::string& pallet_name);

}  // namespace varnel
