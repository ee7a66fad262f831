#pragma once

#include <QString>

#include <iosfwd>
#include <string>
#include <vector>

#include "tools/command_line.h"

namespace varnel {

// The command-line planner: `args` without the program name. Texts go to
// `out`, messages to `err`, both UTF-8. --container-type reads the catalogue
// in `catalogue_folder`; empty means the running program's folder (which
// needs a QCoreApplication).
int run_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const QString& catalogue_folder = {});

}  // namespace varnel
