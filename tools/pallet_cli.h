#pragma once

#include <QString>

#include <iosfwd>
#include <string>
#include <vector>

namespace varnel {

// Whether the arguments ask for cartons on a pallet (--pallet NAME or
// --pallet-size).
bool asks_for_pallet(const std::vector<std::string>& args);

// varnel-plan --pallet NAME | --pallet-size L W LOAD_HEIGHT, then the
// carton's three sizes: the most cartons of one type on the pallet, its
// layers and their pattern, the bound, the loaded pallet's size and weight.
// Returns the exit status.
int run_pallet_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       const QString& catalogue_folder);

}  // namespace varnel
