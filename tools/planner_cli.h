#pragma once

#include <QString>

#include <iosfwd>
#include <string>
#include <vector>

namespace varnel {

// Exit statuses of varnel-plan.
enum planner_exit : int {
    exit_plan = 0,         // a plan was printed (and written)
    exit_no_fit = 1,       // no carton fits the container
    exit_refused = 2,      // refused input or bad usage
    exit_write_failed = 3  // the plan file could not be written
};

// The command-line planner: `args` without the program name. Texts go to
// `out`, messages to `err`, both UTF-8. --container-type reads the catalogue
// in `catalogue_folder`; empty means the running program's folder (which
// needs a QCoreApplication).
int run_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const QString& catalogue_folder = {});

}  // namespace varnel
