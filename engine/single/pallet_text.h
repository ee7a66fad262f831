#pragma once

#include <string>
#include <vector>

#include "engine/loading_steps.h"
#include "engine/single/pallet_load.h"
#include "engine/single/pallet_order.h"

namespace varnel {

// The plan of a pallet as the planner prints it and the window shows it:
// cartons, layers and cartons per layer with the limit that binds, how the
// layers lie, the stance, the bound, and the loaded pallet's size and gross
// weight (when the carton weight is known).
std::vector<std::string> pallet_lines(const pallet_plan& plan);

// The full pallets of a type of an order and its last: "整托5个，零托1个（12箱）".
std::string pallet_count_line(const palletised_type& type);

// Each layer's cartons by the way they face: "第1层：8箱，长边沿托盘长度5箱、
// 沿托盘宽度3箱".
std::vector<std::string> layer_lines(const pallet_plan& plan);

// A page per pallet type of an order for `report`, whose types are the
// order's items: those that are loaded pallets learn what they hold.
void add_pallets(loading_report& report, const std::vector<palletised_type>& pallets);

}  // namespace varnel
