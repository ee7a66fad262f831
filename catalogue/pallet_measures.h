#pragma once

#include <map>
#include <string>
#include <vector>

#include "catalogue/catalogue_store.h"
#include "engine/single/pallet_load.h"

namespace varnel {

// A catalogue pallet type as the pallet planner takes it.
inline pallet_measures measures_of(const pallet_type& p) {
    return {p.length, p.width, p.height, p.weight, p.load_height, p.load_weight};
}

// The catalogue's pallet types by name, as an order names them.
inline std::map<std::string, pallet_measures> pallets_by_name(
    const std::vector<pallet_type>& rows) {
    std::map<std::string, pallet_measures> pallets;
    for (const pallet_type& p : rows) pallets[p.name.toStdString()] = measures_of(p);
    return pallets;
}

}  // namespace varnel
