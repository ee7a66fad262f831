#pragma once

#include <QString>

#include <iosfwd>
#include <string>
#include <vector>

namespace varnel {

// Whether the arguments ask for a mixed load (--mixed before any "--").
bool asks_for_mixed_load(const std::vector<std::string>& args);

// varnel-plan --mixed LIST.csv (L W H | --container-type NAME) [--payload KG]
// [--containers N] [--json] [-o FILE]: `args` without the program name,
// texts to `out`, messages to `err`; the catalogue as for run_planner.
// Returns a planner_exit.
int run_mixed_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const QString& catalogue_folder);

}  // namespace varnel
