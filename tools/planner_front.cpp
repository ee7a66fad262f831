#include "tools/planner_front.h"

#include <QCoreApplication>

#include <algorithm>
#include <ostream>

#include "engine/messages.h"
#include "tools/command_line.h"

namespace varnel {

namespace {

// The value of an option that takes one; false when it repeats or has none.
bool take_value(const std::vector<std::string>& args, std::size_t& i,
                std::optional<std::string>& value) {
    if (value || i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

std::optional<front_options> parse_arguments(const planner_command& c,
                                             const std::vector<std::string>& args) {
    front_options o;
    bool only_words = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool read = true;
        if (only_words || !looks_like_option(a)) {
            o.words.push_back(a);
        } else if (a == "--") {
            only_words = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (!c.help_anywhere && (a == "--help" || a == "-h")) {
            o.help = true;
        } else if (a == "-o" || a == "--output") {
            read = take_value(args, i, o.output);
        } else if (a == "--container-type") {
            read = take_value(args, i, o.container_type);
        } else {
            read = take_report_argument(args, i, o.report) || c.take_option(args, i);
        }
        if (!read) return std::nullopt;
    }
    return o;
}

void print_usage(const planner_command& c, std::ostream& s) {
    s << c.usage << report_usage << c.usage_end;
}

// What was planned: the report, then the plan file, then the texts.
int deliver(const front_options& o, const command_plan& p, std::ostream& out, std::ostream& err) {
    if (o.report.file) {
        if (const auto status = write_report(o.report, *p.report, err)) return *status;
    }
    if (o.output && *o.output == "-") {
        out << p.plan_file;
        return finish_output(out, err, exit_plan);
    }
    if (o.output_path && !save_plan_file(*o.output_path, *o.output, p.plan_file, err))
        return exit_write_failed;
    out << p.printed;
    return finish_output(out, err, exit_plan);
}

}  // namespace

bool has_option(const std::vector<std::string>& args, const char* flag) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::find(args.begin(), end, flag) != end;
}

std::variant<container_field_texts, std::string> catalogue_container(const front_options& o) {
    const QString folder =
        o.catalogue_folder.isEmpty() ? QCoreApplication::applicationDirPath() : o.catalogue_folder;
    return container_fields_from_catalogue(*o.container_type, folder);
}

int run_command(const planner_command& c, const std::vector<std::string>& args, std::ostream& out,
                std::ostream& err, const QString& catalogue_folder) {
    const bool help = c.help_anywhere && (has_option(args, "--help") || has_option(args, "-h"));
    std::optional<front_options> o = help ? std::nullopt : parse_arguments(c, args);
    if (help || (o && o->help)) {
        print_usage(c, out);
        return finish_output(out, err, exit_plan);
    }
    if (!o || !c.complete(*o) || !o->report.complete()) {
        print_usage(c, err);
        return exit_refused;
    }
    const auto refuse = [&err](const std::string& message) {
        err << message << '\n';
        return exit_refused;
    };
    if (const auto message = check_report_arguments(o->report)) return refuse(*message);
    if (!output_file(o->output, o->output_path, err)) return exit_refused;
    const std::optional<std::string> input = c.input_file ? c.input_file() : std::nullopt;
    if (const auto message = same_file_refusal(input, o->output, o->report.file))
        return refuse(*message);
    o->catalogue_folder = catalogue_folder;

    const command_outcome outcome = c.plan(*o);
    if (const auto* refusal = std::get_if<command_refusal>(&outcome))
        return refuse(refusal->message);
    if (std::holds_alternative<nothing_fits>(outcome)) {
        err << text::no_result << '\n';
        return exit_no_fit;
    }
    return deliver(*o, std::get<command_plan>(outcome), out, err);
}

}  // namespace varnel
