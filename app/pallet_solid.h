#pragma once

#include <QString>

#include "engine/single/pallet_load.h"

namespace varnel {

class ktuopanjieguo;

// Gives the pallet's result dialog the solid view of the whole loaded
// pallet behind its "三维视图" button.
void add_pallet_solid(ktuopanjieguo& result, const pallet_plan& plan, const pallet_measures& pallet,
                      const QString& pallet_name);

}  // namespace varnel
