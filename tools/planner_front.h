#pragma once

// What every command of varnel-plan does alike: the options a plan of one
// size and a packing list both take, the help and the usage, the report's
// options, the plan file, the refusal of one file named twice, and then the
// report, the file and the texts in that order. A command brings its own
// options and its planning; the front runs the rest, so both answer alike.

#include <QString>

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/loading_steps.h"
#include "tools/catalogue_container.h"
#include "tools/planner_report.h"

namespace varnel {

// The options every command reads.
struct front_options {
    bool help = false;
    bool json = false;
    std::optional<std::string> output;          // -o FILE; "-" is standard output
    std::optional<QString> output_path;         // that file's name, once read as one
    std::optional<std::string> container_type;  // --container-type NAME
    std::vector<std::string> words;             // the arguments that are no option
    report_arguments report;
    // The catalogue --container-type reads: the folder given, else the
    // running program's (which needs a QCoreApplication).
    QString catalogue_folder;
};

// What a command made of its input.
struct command_plan {
    std::string plan_file;                 // what -o writes
    std::optional<loading_report> report;  // made when --report asks for it
    std::string printed;                   // the texts, or the JSON with --json
};
struct command_refusal {
    std::string message;  // said on its own line; exit 2
};
struct nothing_fits {};  // "没有计算结果"; exit 1
using command_outcome = std::variant<command_plan, command_refusal, nothing_fits>;

struct planner_command {
    // The usage up to the report's options, and after them.
    std::string usage;
    const char* usage_end = "";
    // Help wins wherever --help or -h stands before "--", even as another
    // option's value ("--mixed --help" asks for help, not for a list named
    // --help); otherwise it is an option like any other, honoured when
    // every option read.
    bool help_anywhere = false;
    // Takes the command's own option at args[i] with its value, moving i
    // past it; false when args[i] is none of them, repeats one or lacks its
    // value.
    std::function<bool(const std::vector<std::string>& args, std::size_t& i)> take_option;
    // Whether what was read is enough to plan.
    std::function<bool(const front_options&)> complete;
    // The file the command reads its order from, which neither -o nor
    // --report may name; none when it reads none.
    std::function<std::optional<std::string>()> input_file;
    std::function<command_outcome(const front_options&)> plan;
};

// Runs `command` over `args` (without the program name): texts to `out`,
// messages to `err`, both UTF-8. Returns a planner_exit.
int run_command(const planner_command& command, const std::vector<std::string>& args,
                std::ostream& out, std::ostream& err, const QString& catalogue_folder);

// Whether `flag` stands among the arguments before any "--".
bool has_option(const std::vector<std::string>& args, const char* flag);

// The catalogue's container type --container-type names, as its fields
// would show it; or the message refusing it.
std::variant<container_field_texts, std::string> catalogue_container(const front_options& o);

}  // namespace varnel
