#include "tools/mixed_cli.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QJsonDocument>

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <variant>

#include "engine/core/container.h"
#include "engine/loading_steps.h"
#include "engine/messages.h"
#include "engine/mixed/mixed_summary.h"
#include "engine/numbers.h"
#include "engine/single/mixed_one_type.h"
#include "plan/messages.h"
#include "plan/mixed_plan_format.h"
#include "plan/packing_list.h"
#include "plan/plan_file.h"
#include "plan/spreadsheet_list.h"
#include "report/messages.h"
#include "tools/catalogue_container.h"
#include "tools/command_line.h"
#include "tools/messages.h"
#include "tools/mixed_output.h"
#include "tools/planner_report.h"

namespace varnel {

namespace {

constexpr const char* usage =
    "usage: varnel-plan --mixed LIST CONTAINER_LENGTH CONTAINER_WIDTH CONTAINER_HEIGHT\n"
    "                   [--payload KG] [--containers N] [--json] [-o FILE]\n"
    "                   [--allow-heavy-on-light] [--balance PERCENT|--no-balance]\n"
    "                   [--report FILE] [--paper A4|Letter]\n"
    "       varnel-plan --mixed LIST --container-type NAME\n"
    "                   [--payload KG] [--containers N] [--json] [-o FILE]\n"
    "                   [--allow-heavy-on-light] [--balance PERCENT|--no-balance]\n"
    "                   [--report FILE] [--paper A4|Letter]\n"
    "\n"
    "Loads a packing list of several carton types into containers of one size,\n"
    "each filled before the next, and prints what each container holds, a run\n"
    "of identical containers once. The container's inner size is in\n"
    "centimetres.\n"
    "\n"
    "  LIST        the packing list: LIST.csv UTF-8 text, comma-separated, or a\n"
    "              spreadsheet, LIST.xlsx or LIST.ods (its first sheet). The first\n"
    "              row names the columns in either language, in any order:\n"
    "              name/名称, length/长, width/宽, height/高 (cm), quantity/数量,\n"
    "              weight/毛重 (kg per carton, may be left out), vertical/可竖放,\n"
    "              stackable/可堆码 (yes/no, 是/否, 1/0; empty means yes),\n"
    "              max_load/承重 (kg one carton may carry on its top) and\n"
    "              max_layers/最多层数 (cartons of the type in one column), both\n"
    "              may be left out; rows of the same carton are planned as one\n"
    "              type, their names joined\n"
    "  vertical/可竖放  the sides that may stand vertical: letters of LWH or 长宽高\n"
    "              (H or 高 is this side up), or a name the window shows:\n"
    "              任意摆放 (any; also empty), 不可侧放 (高), 长边不可竖放 (宽高),\n"
    "              仅…可竖放 (the sides named, e.g. 仅长宽可竖放)\n"
    "  --container-type NAME\n"
    "              the container's inner size and payload from the catalogue\n"
    "  --payload KG    the container's payload (overrides the catalogue's)\n"
    "  --containers N  load at most N containers; without it, as many as the\n"
    "                  list takes\n"
    "  --allow-heavy-on-light\n"
    "              let a carton stand on one of a lighter type; without it, when\n"
    "              the list gives weights, a carton never does (重不压轻)\n"
    "  --balance PERCENT\n"
    "              the cargo's centre of gravity within PERCENT of the container's\n"
    "              length and width from its middle (default 5)\n"
    "  --no-balance    do not balance the load\n"
    "  --json      print the plan as one JSON object instead of the texts\n"
    "  -o FILE     also write the mixed plan file (.qrm); '-o -' writes it to\n"
    "              standard output instead of the texts\n";

// After the report's options.
constexpr const char* usage_end =
    "\n"
    "Exit status: 0 something loaded, 1 nothing fits, 2 input refused (a list's\n"
    "refusal names its line and column), 3 file, report or standard output not\n"
    "written.\n";

struct mixed_options {
    std::optional<std::string> list;
    std::optional<std::string> container_type;
    std::optional<std::string> payload;
    std::optional<std::string> containers;
    std::optional<std::string> output;
    std::optional<std::string> balance;
    std::vector<std::string> sizes;
    bool json = false;
    bool heavy_on_light = false;
    bool no_balance = false;
    report_arguments report;

    bool complete() const { return list && sizes.size() == (container_type ? 0u : 3u); }
};

std::optional<mixed_options> parse_arguments(const std::vector<std::string>& args) {
    mixed_options o;
    bool only_sizes = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<std::string>* value = nullptr;
        if (only_sizes || !looks_like_option(a)) {
            o.sizes.push_back(a);
        } else if (a == "--") {
            only_sizes = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--allow-heavy-on-light") {
            o.heavy_on_light = true;
        } else if (a == "--no-balance") {
            o.no_balance = true;
        } else if (a == "--balance") {
            value = &o.balance;
        } else if (a == "--mixed") {
            value = &o.list;
        } else if (a == "--container-type") {
            value = &o.container_type;
        } else if (a == "--payload") {
            value = &o.payload;
        } else if (a == "--containers") {
            value = &o.containers;
        } else if (a == "-o" || a == "--output") {
            value = &o.output;
        } else if (take_report_argument(args, i, o.report)) {
            continue;
        } else {
            return std::nullopt;
        }
        if (value == nullptr) continue;
        if (*value || i + 1 >= args.size()) return std::nullopt;
        *value = args[++i];
    }
    return o;
}

// The container as the options give it, or the message refusing them.
struct container_setting {
    container_space container;
    std::string type_name;
    std::optional<std::size_t> max_containers;
    weight_rules weights{true, 0.05};
};

std::variant<container_setting, std::string> read_setting(const mixed_options& o,
                                                          const QString& catalogue_folder) {
    container_setting s;
    std::array<std::string, 3> sizes;  // length, width, height
    std::optional<double> catalogue_payload;
    if (o.container_type) {
        const QString folder =
            catalogue_folder.isEmpty() ? QCoreApplication::applicationDirPath() : catalogue_folder;
        auto found = container_fields_from_catalogue(*o.container_type, folder);
        if (auto* message = std::get_if<std::string>(&found)) return std::move(*message);
        const auto& c = std::get<container_field_texts>(found);
        sizes = {c.length, c.width, c.height};
        if (c.payload_kg > 0) catalogue_payload = static_cast<double>(c.payload_kg);
        s.type_name = *o.container_type;
    } else {
        std::copy(o.sizes.begin(), o.sizes.end(), sizes.begin());
    }
    std::array<float, 3> lwh{};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::optional<float> mm = read_size_cm(sizes[k]);
        if (!mm || !(*mm > 0.0f)) return std::string(text::mixed_container_wrong);
        lwh[k] = *mm;
    }
    s.container.size = container_axes(lwh);
    if (o.payload) {
        const std::optional<float> kg = parse_number(*o.payload);
        if (!kg || !(*kg > 0.0f)) return std::string(text::payload_wrong);
        s.container.payload = *kg;
    } else {
        s.container.payload = catalogue_payload;
    }
    if (o.containers) {
        const std::optional<std::int64_t> n = parse_count(*o.containers);
        if (!n || *n < 1) return std::string(text::containers_wrong);
        s.max_containers = static_cast<std::size_t>(*n);
    }
    s.weights.heavy_not_on_light = !o.heavy_on_light;
    if (o.no_balance && o.balance) return std::string(text::balance_wrong);
    if (o.no_balance) s.weights.balance_share.reset();
    if (o.balance) {
        const std::optional<float> percent = parse_number(*o.balance);
        if (!percent || !(*percent > 0.0f) || *percent > 50.0f)
            return std::string(text::balance_wrong);
        s.weights.balance_share = *percent / 100.0;
    }
    return s;
}

// The packing list from its file, checked against the container; or the
// message refusing it.
std::variant<packing_list, std::string> read_list(const std::string& typed,
                                                  const container_space& container) {
    const std::optional<QString> path = file_name(typed);
    if (!path) return text::bad_file_name + std::string(": ") + typed;
    const file_contents file = read_whole_file(*path);
    const auto named = [&typed](const char* message) {
        return message + std::string(": ") + typed;
    };
    switch (file.status) {
        case file_contents::state::read: break;
        case file_contents::state::cut_short:
            return named(file.too_large ? text::list_file_too_large : text::file_read_error);
        case file_contents::state::not_regular: return named(text::list_not_a_file);
        case file_contents::state::not_opened: return named(text::file_not_found);
    }
    // Rows of one carton are one type: an order that repeats a carton on
    // many lines is planned as simply as the carton is.
    auto list = read_packing_list_file(typed, file.bytes, same_cartons::merged);
    if (auto* refusal = std::get_if<list_refusal>(&list)) return std::move(refusal->message);
    if (auto refusal = check_packing_list(std::get<packing_list>(list), container))
        return std::move(refusal->message);
    return std::move(std::get<packing_list>(list));
}

// Whether `flag` stands among the options, before any "--".
bool has_option(const std::vector<std::string>& args, const char* flag) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::find(args.begin(), end, flag) != end;
}

}  // namespace

bool asks_for_mixed_load(const std::vector<std::string>& args) {
    return has_option(args, "--mixed");
}

int run_mixed_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const QString& catalogue_folder) {
    // Help wins wherever it stands, even where an option's value would be.
    if (has_option(args, "--help") || has_option(args, "-h")) {
        out << usage << report_usage << usage_end;
        return finish_output(out, err, exit_plan);
    }
    const std::optional<mixed_options> o = parse_arguments(args);
    if (!o || !o->complete() || !o->report.complete()) {
        err << usage << report_usage << usage_end;
        return exit_refused;
    }
    if (const auto message = check_report_arguments(o->report)) {
        err << *message << '\n';
        return exit_refused;
    }
    std::optional<QString> output_path;
    if (!output_file(o->output, output_path, err)) return exit_refused;
    if (const auto message = same_file_refusal(o->list, o->output, o->report.file)) {
        err << *message << '\n';
        return exit_refused;
    }
    auto setting = read_setting(*o, catalogue_folder);
    if (const auto* message = std::get_if<std::string>(&setting)) {
        err << *message << '\n';
        return exit_refused;
    }
    const container_setting& s = std::get<container_setting>(setting);
    auto list = read_list(*o->list, s.container);
    if (const auto* message = std::get_if<std::string>(&list)) {
        err << *message << '\n';
        return exit_refused;
    }

    mixed_plan_file plan{
        s.type_name, s.container, std::get<packing_list>(list).cartons, {}, s.weights};
    plan.plan = plan_mixed_load({.container = s.container.size,
                                 .payload = s.container.payload,
                                 .cartons = plan.cartons,
                                 .max_containers = s.max_containers,
                                 .weights = s.weights});
    const mixed_summary summary = summarise_mixed(plan.plan, plan.cartons, plan.container.size);
    if (summary.cartons == 0) {
        err << text::no_result << '\n';
        return exit_no_fit;
    }

    if (o->report.file) {
        loading_report report =
            mixed_loading_report(plan.container_type, plan.container, plan.cartons, plan.plan,
                                 plan.weights.balance_share);
        report.plan_kind = text::kind_mixed;
        if (output_path) report.plan_name = QFileInfo(*output_path).fileName().toStdString();
        report.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
        if (const auto status = write_report(o->report, report, err)) return *status;
    }

    const std::string file = write_mixed_plan(plan);
    if (o->output && *o->output == "-") {
        out << file;
        return finish_output(out, err, exit_plan);
    }
    if (output_path && !save_plan_file(*output_path, *o->output, file, err))
        return exit_write_failed;
    if (o->json) {
        out << QJsonDocument(mixed_json(plan, summary)).toJson(QJsonDocument::Compact).toStdString()
            << '\n';
    } else {
        for (const std::string& line : mixed_lines(plan, summary)) out << line << '\n';
    }
    return finish_output(out, err, exit_plan);
}

}  // namespace varnel
