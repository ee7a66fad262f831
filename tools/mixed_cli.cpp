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
#include "engine/single/pallet_order.h"
#include "engine/single/pallet_text.h"
#include "plan/messages.h"
#include "plan/mixed_plan_format.h"
#include "plan/packing_list.h"
#include "plan/pallet_list.h"
#include "plan/plan_file.h"
#include "plan/spreadsheet_list.h"
#include "report/messages.h"
#include "tools/catalogue_container.h"
#include "tools/command_line.h"
#include "tools/messages.h"
#include "tools/mixed_output.h"
#include "tools/planner_front.h"
#include "tools/planner_report.h"

namespace varnel {

namespace {

constexpr const char* usage =
    "usage: varnel-plan --mixed LIST CONTAINER_LENGTH CONTAINER_WIDTH CONTAINER_HEIGHT\n"
    "                   [--payload KG] [--containers N] [--json] [-o FILE]\n"
    "                   [--allow-heavy-on-light] [--balance PERCENT|--no-balance]\n"
    "                   [--remainder loose|pallet] [--stack-pallets]\n"
    "                   [--report FILE] [--paper A4|Letter]\n"
    "       varnel-plan --mixed LIST --container-type NAME\n"
    "                   [--payload KG] [--containers N] [--json] [-o FILE]\n"
    "                   [--allow-heavy-on-light] [--balance PERCENT|--no-balance]\n"
    "                   [--remainder loose|pallet] [--stack-pallets]\n"
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
    "              may be left out; pallet/托盘 (a pallet type of the catalogue\n"
    "              qr_ji.qrd beside this program; empty: loose cartons); rows of\n"
    "              the same carton are planned as one type, their names joined\n"
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
    "  --remainder loose|pallet\n"
    "              the cartons of a type that fill no whole pallet: on one last\n"
    "              part pallet (default), or loose\n"
    "  --stack-pallets\n"
    "              a loaded pallet may stand on another, two high, within the\n"
    "              lower pallet's load weight (托盘可堆码)\n"
    "  --json      print the plan as one JSON object instead of the texts\n"
    "  -o FILE     also write the mixed plan file (.qrm); '-o -' writes it to\n"
    "              standard output instead of the texts\n";

// After the report's options.
constexpr const char* usage_end =
    "\n"
    "Exit status: 0 something loaded, 1 nothing fits, 2 input refused (a list's\n"
    "refusal names its line and column), 3 file, report or standard output not\n"
    "written.\n";

// The options of a packing list beside the front's.
struct mixed_options {
    std::optional<std::string> list;
    std::optional<std::string> payload;
    std::optional<std::string> containers;
    std::optional<std::string> balance;
    std::optional<std::string> remainder;
    bool heavy_on_light = false;
    bool no_balance = false;
    bool stack_pallets = false;

    bool take(const std::vector<std::string>& args, std::size_t& i) {
        std::optional<std::string>* value = nullptr;
        if (args[i] == "--mixed") {
            value = &list;
        } else if (args[i] == "--payload") {
            value = &payload;
        } else if (args[i] == "--containers") {
            value = &containers;
        } else if (args[i] == "--balance") {
            value = &balance;
        } else if (args[i] == "--remainder") {
            value = &remainder;
        } else if (args[i] == "--stack-pallets") {
            if (stack_pallets) return false;
            stack_pallets = true;
            return true;
        } else if (args[i] == "--allow-heavy-on-light") {
            heavy_on_light = true;
            return true;
        } else if (args[i] == "--no-balance") {
            no_balance = true;
            return true;
        }
        if (value == nullptr || *value || i + 1 >= args.size()) return false;
        *value = args[++i];
        return true;
    }
};

// The container as the options give it, or the message refusing them.
struct container_setting {
    container_space container;
    std::string type_name;
    std::optional<std::size_t> max_containers;
    weight_rules weights{true, 0.05};
    palletise_options pallets;
};

std::variant<container_setting, std::string> read_setting(const front_options& f,
                                                          const mixed_options& o) {
    container_setting s;
    std::array<std::string, 3> sizes;  // length, width, height
    std::optional<double> catalogue_payload;
    if (f.container_type) {
        auto found = catalogue_container(f);
        if (auto* message = std::get_if<std::string>(&found)) return std::move(*message);
        const auto& c = std::get<container_field_texts>(found);
        sizes = {c.length, c.width, c.height};
        if (c.payload_kg > 0) catalogue_payload = static_cast<double>(c.payload_kg);
        s.type_name = *f.container_type;
    } else {
        std::copy(f.words.begin(), f.words.end(), sizes.begin());
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
    if (o.remainder) {
        if (*o.remainder != "loose" && *o.remainder != "pallet")
            return std::string(text::remainder_wrong);
        s.pallets.remainder =
            *o.remainder == "loose" ? pallet_remainder::loose : pallet_remainder::pallet;
    }
    s.pallets.stackable = o.stack_pallets;
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

// The order as the planner takes it: the list's cartons, or, when it puts
// some on pallets, its pallets and loose cartons; or the message refusing it.
std::variant<palletised_order, std::string> order_of(const front_options& f,
                                                     const container_setting& s,
                                                     const packing_list& list) {
    if (!palletised(list)) return palletised_order{list.cartons, {}, {}};
    const QString folder =
        f.catalogue_folder.isEmpty() ? QCoreApplication::applicationDirPath() : f.catalogue_folder;
    auto pallets = pallets_from_catalogue(folder);
    if (auto* message = std::get_if<std::string>(&pallets)) return std::move(*message);
    auto order = palletise_list(list, std::get<std::map<std::string, pallet_measures>>(pallets),
                                s.container, s.pallets);
    if (auto* refusal = std::get_if<list_refusal>(&order)) return std::move(refusal->message);
    return std::move(std::get<palletised_order>(order));
}

command_outcome plan_list(const front_options& f, const mixed_options& o) {
    auto setting = read_setting(f, o);
    if (const auto* message = std::get_if<std::string>(&setting)) return command_refusal{*message};
    const container_setting& s = std::get<container_setting>(setting);
    auto list = read_list(*o.list, s.container);
    if (const auto* message = std::get_if<std::string>(&list)) return command_refusal{*message};
    auto order = order_of(f, s, std::get<packing_list>(list));
    if (const auto* message = std::get_if<std::string>(&order)) return command_refusal{*message};
    palletised_order& items = std::get<palletised_order>(order);

    mixed_plan_file plan{s.type_name, s.container, std::move(items.items),
                         {},          s.weights,   std::move(items.pallets)};
    plan.plan = plan_mixed_load({.container = s.container.size,
                                 .payload = s.container.payload,
                                 .cartons = plan.cartons,
                                 .max_containers = s.max_containers,
                                 .weights = s.weights});
    mixed_summary summary = summarise_mixed(plan.plan, plan.cartons, plan.container.size);
    count_cartons_on_pallets(summary, plan.pallets);
    if (summary.cartons == 0) return nothing_fits{};

    command_plan p{write_mixed_plan(plan), std::nullopt, {}};
    if (f.report.file) {
        p.report = mixed_loading_report(plan.container_type, plan.container, plan.cartons,
                                        plan.plan, summary, plan.weights.balance_share);
        add_pallets(*p.report, plan.pallets);
        p.report->plan_kind = text::kind_mixed;
        if (f.output_path) p.report->plan_name = QFileInfo(*f.output_path).fileName().toStdString();
        p.report->date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    }
    if (f.json) {
        p.printed =
            QJsonDocument(mixed_json(plan, summary)).toJson(QJsonDocument::Compact).toStdString() +
            '\n';
    } else {
        for (const std::string& line : mixed_lines(plan, summary)) p.printed += line + '\n';
    }
    return p;
}

}  // namespace

bool asks_for_mixed_load(const std::vector<std::string>& args) {
    return has_option(args, "--mixed");
}

int run_mixed_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const QString& catalogue_folder) {
    mixed_options own;
    const planner_command command{
        .usage = usage,
        .usage_end = usage_end,
        .help_anywhere = true,
        .take_option = [&own](const auto& a, std::size_t& i) { return own.take(a, i); },
        .complete =
            [&own](const front_options& o) {
                return own.list && o.words.size() == (o.container_type ? 0u : 3u);
            },
        .input_file = [&own] { return own.list; },
        .plan = [&own](const front_options& o) { return plan_list(o, own); },
    };
    return run_command(command, args, out, err, catalogue_folder);
}

}  // namespace varnel
