#include "tools/planner_cli.h"

#include <QString>

#include <ostream>
#include <optional>
#include <variant>

#include "engine/calculation.h"
#include "engine/messages.h"
#include "engine/summary.h"
#include "plan/messages.h"
#include "plan/plan_file.h"
#include "plan/plan_format.h"

namespace varnel {

namespace {

constexpr const char* usage =
    "usage: varnel-plan [--single] [--upright] CONTAINER_LENGTH CONTAINER_WIDTH CONTAINER_HEIGHT\n"
    "                   CARTON_LENGTH CARTON_WIDTH CARTON_HEIGHT [-o FILE]\n"
    "\n"
    "Plans how identical cartons load one container and prints the utilisation\n"
    "and the arrangement. Sizes are inner container sizes and carton sizes in\n"
    "centimetres.\n"
    "\n"
    "  --single    single placement (单一摆放): one stack, all cartons placed alike\n"
    "  --upright   no side placement (不可侧放): every carton keeps its top face up\n"
    "  -o FILE     also write the plan file (.qrn); '-o -' writes it to standard\n"
    "              output instead of the texts\n"
    "  --help      show this text\n"
    "\n"
    "Exit status: 0 plan printed, 1 no carton fits, 2 input refused, 3 file not written.\n";

struct options {
    bool single = false;
    bool upright = false;
    bool help = false;
    std::optional<std::string> output;
    std::vector<std::string> sizes;
};

// A leading minus followed by a digit or point is a negative size, not an option.
bool looks_like_option(const std::string& a) {
    if (a.size() < 2 || a[0] != '-') return false;
    return !(a[1] == '.' || (a[1] >= '0' && a[1] <= '9'));
}

std::optional<options> parse_arguments(const std::vector<std::string>& args) {
    options o;
    bool only_sizes = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (only_sizes || !looks_like_option(a)) {
            o.sizes.push_back(a);
        } else if (a == "--") {
            only_sizes = true;
        } else if (a == "--single") {
            o.single = true;
        } else if (a == "--upright") {
            o.upright = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if ((a == "-o" || a == "--output") && i + 1 < args.size() && !o.output) {
            o.output = args[++i];
        } else {
            return std::nullopt;
        }
    }
    return o;
}

}  // namespace

int run_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<options> o = parse_arguments(args);
    if (o && o->help) {
        out << usage;
        return exit_plan;
    }
    if (!o || o->sizes.size() != 6) {
        err << usage;
        return exit_refused;
    }

    const size_texts fields{o->sizes[3], o->sizes[4], o->sizes[5],
                            o->sizes[0], o->sizes[1], o->sizes[2]};
    const auto input = read_calculation_input(fields);
    if (const auto* refusal = std::get_if<input_refusal>(&input)) {
        err << refusal->message << '\n';
        return exit_refused;
    }

    load_model model;
    const plan_outcome plan =
        run_calculation(model, std::get<calculation_input>(input), o->single, !o->upright);
    if (plan.stack_count == 0) {
        err << text::no_result << '\n';
        return exit_no_fit;
    }

    const std::string file = write_plan(model.draw_stacks, model.stacks);
    if (o->output && *o->output == "-") {
        out << file;
        return exit_plan;
    }
    if (o->output) {
        const QString path = QString::fromLocal8Bit(o->output->c_str());
        if (const std::optional<QString> reason = save_file_atomically(path, file)) {
            err << text::file_save_error << ": " << *o->output << ": " << reason->toStdString()
                << '\n';
            return exit_write_failed;
        }
    }
    const summary_texts summary = write_summary(model.stacks);
    out << summary.utilisation << '\n' << summary.arrangement << '\n';
    return exit_plan;
}

}  // namespace varnel
