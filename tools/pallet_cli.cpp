#include "tools/pallet_cli.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>
#include <ostream>
#include <variant>

#include "catalogue/entry_input.h"
#include "catalogue/pallet_measures.h"
#include "engine/calculation.h"
#include "engine/numbers.h"
#include "engine/shipment.h"
#include "engine/single/pallet_load.h"
#include "engine/single/pallet_text.h"
#include "tools/catalogue_container.h"
#include "tools/command_line.h"
#include "tools/plan_json.h"
#include "tools/planner_report.h"

namespace varnel {

namespace {

constexpr const char* usage =
    "usage: varnel-plan --pallet NAME CARTON_LENGTH CARTON_WIDTH CARTON_HEIGHT\n"
    "                   [--carton-weight KG] [--any-side] [--json] [--report FILE]\n"
    "       varnel-plan --pallet-size LENGTH WIDTH LOAD_HEIGHT\n"
    "                   CARTON_LENGTH CARTON_WIDTH CARTON_HEIGHT [...the same options]\n"
    "\n"
    "Plans the most cartons of one type on a pallet within its load height and\n"
    "load weight, in layers of one pattern, or of two mirror images that\n"
    "interlock where they hold as many. Sizes in centimetres.\n"
    "\n"
    "  --pallet NAME       a pallet type of the catalogue qr_ji.qrd beside this\n"
    "                      program, e.g. 欧标托盘\n"
    "  --pallet-size LENGTH WIDTH LOAD_HEIGHT\n"
    "                      a pallet typed by its deck and the most height of the\n"
    "                      load above it (its own height and weight not counted)\n"
    "  --carton-weight KG  one carton's gross weight: the pallet's load weight\n"
    "                      may then limit the cartons, and the gross weight shows\n"
    "  --any-side          cartons may lie on a side; otherwise their top face\n"
    "                      stays up (不可侧放)\n"
    "  --json              print the plan as one JSON object, sizes in mm\n"
    "  --report FILE       also write the loading instructions of the load above\n"
    "                      the deck (FILE.pdf or FILE.xlsx); --paper A4|Letter\n"
    "  --help              show this text\n"
    "\n"
    "Exit status: 0 plan printed, 2 input refused (or an unknown pallet type, a\n"
    "catalogue that cannot be read), 3 file or standard output not written.\n";

struct pallet_options {
    std::optional<std::string> name;
    std::optional<std::vector<std::string>> pallet_sizes;
    std::vector<std::string> sizes;
    std::optional<std::string> carton_weight;
    bool any_side = false;
    bool json = false;
    bool help = false;
    report_arguments report;

    bool complete() const {
        return (name.has_value() != pallet_sizes.has_value()) && sizes.size() == 3 &&
               report.complete();
    }
};

std::optional<pallet_options> parse_arguments(const std::vector<std::string>& args) {
    pallet_options o;
    bool only_sizes = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (only_sizes || !looks_like_option(a)) {
            o.sizes.push_back(a);
        } else if (a == "--") {
            only_sizes = true;
        } else if (a == "--pallet" && i + 1 < args.size() && !o.name) {
            o.name = args[++i];
        } else if (a == "--pallet-size" && i + 3 < args.size() && !o.pallet_sizes) {
            o.pallet_sizes = std::vector<std::string>(args.begin() + static_cast<long>(i) + 1,
                                                      args.begin() + static_cast<long>(i) + 4);
            i += 3;
        } else if (a == "--carton-weight" && i + 1 < args.size() && !o.carton_weight) {
            o.carton_weight = args[++i];
        } else if (a == "--any-side") {
            o.any_side = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (!take_report_argument(args, i, o.report)) {
            return std::nullopt;
        }
    }
    return o;
}

// The pallet and its name: from the catalogue, or typed (read as a pallet
// type's fields are, its own height and weight nothing). On failure, the
// message.
std::variant<std::pair<pallet_measures, std::string>, std::string> read_pallet(
    const pallet_options& o, const QString& catalogue_folder) {
    if (o.name) {
        const QString folder =
            catalogue_folder.isEmpty() ? QCoreApplication::applicationDirPath() : catalogue_folder;
        auto found = pallet_from_catalogue(*o.name, folder);
        if (auto* message = std::get_if<std::string>(&found)) return std::move(*message);
        const pallet_type& p = std::get<pallet_type>(found);
        return std::pair{measures_of(p), p.name.toStdString()};
    }
    const std::vector<std::string>& s = *o.pallet_sizes;
    // The fields the typed pallet does not have are read as 1 and dropped.
    const auto read = read_pallet_entry({"-", s[0], s[1], "1", "1", s[2], "1"});
    if (const auto* refusal = std::get_if<entry_refusal>(&read)) return refusal->message;
    const pallet_entry& e = std::get<pallet_entry>(read);
    return std::pair{pallet_measures{e.length, e.width, 0.0, 0.0, e.load_height, std::nullopt},
                     std::string()};
}

QJsonObject pallet_json(const pallet_measures& p, const std::string& name,
                        const pallet_plan& plan) {
    const auto number = [](double mm) {
        return json_number(format_number(static_cast<float>(mm)));
    };
    QJsonObject pallet{{QStringLiteral("name"), QString::fromStdString(name)},
                       {QStringLiteral("length"), number(p.length)},
                       {QStringLiteral("width"), number(p.width)},
                       {QStringLiteral("height"), number(p.height)},
                       {QStringLiteral("weight"), number(p.weight)},
                       {QStringLiteral("load_height"), number(p.load_height)},
                       {QStringLiteral("load_weight"),
                        p.load_weight ? QJsonValue(number(*p.load_weight)) : QJsonValue()}};
    return QJsonObject{
        {QStringLiteral("pallet"), pallet},
        {QStringLiteral("cartons"), static_cast<qint64>(plan.cartons)},
        {QStringLiteral("layers"), static_cast<qint64>(plan.layers)},
        {QStringLiteral("per_layer"), static_cast<qint64>(plan.per_layer)},
        {QStringLiteral("top_layer"), static_cast<qint64>(plan.top_layer)},
        {QStringLiteral("upper_bound"), static_cast<qint64>(plan.upper_bound)},
        {QStringLiteral("proven_optimal"), plan.proven_optimal()},
        {QStringLiteral("interlocked"), plan.interlocked},
        {QStringLiteral("limit"),
         plan.limit == pallet_limit::weight ? QStringLiteral("weight") : QStringLiteral("height")},
        {QStringLiteral("height"), number(plan.size[2])},
        {QStringLiteral("weight"),
         plan.weight ? QJsonValue(json_number(weight_text(*plan.weight))) : QJsonValue()},
        {QStringLiteral("layer_patterns"), layer_patterns_json(plan)}};
}

}  // namespace

bool asks_for_pallet(const std::vector<std::string>& args) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::find(args.begin(), end, "--pallet") != end ||
           std::find(args.begin(), end, "--pallet-size") != end;
}

int run_pallet_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       const QString& catalogue_folder) {
    const std::optional<pallet_options> o = parse_arguments(args);
    // Help wins wherever it stands, even where an option's value would be.
    const auto end = std::find(args.begin(), args.end(), "--");
    if ((o && o->help) || std::find(args.begin(), end, "--help") != end) {
        out << usage;
        return finish_output(out, err, exit_plan);
    }
    if (!o || !o->complete()) {
        err << usage;
        return exit_refused;
    }
    if (const auto message = check_report_arguments(o->report)) {
        err << *message << '\n';
        return exit_refused;
    }
    const auto pallet = read_pallet(*o, catalogue_folder);
    if (const auto* message = std::get_if<std::string>(&pallet)) {
        err << *message << '\n';
        return exit_refused;
    }
    const auto& [measures, name] = std::get<std::pair<pallet_measures, std::string>>(pallet);
    const auto carton = read_carton_entry("-", o->sizes[0], o->sizes[1], o->sizes[2]);
    if (const auto* refusal = std::get_if<entry_refusal>(&carton)) {
        err << refusal->message << '\n';
        return exit_refused;
    }
    const entry_sizes& c = std::get<entry_sizes>(carton);
    std::optional<double> weight;
    if (o->carton_weight) {
        // Read as the shipment reads a carton weight, with its refusals.
        const auto order = read_shipment_order({"1", *o->carton_weight, ""});
        if (const auto* refusal = std::get_if<shipment_refusal>(&order)) {
            err << refusal->message << '\n';
            return exit_refused;
        }
        weight = std::get<shipment_order>(order).carton_weight;
    }

    const pallet_request request{.pallet = measures,
                                 .carton = {c.length, c.width, c.height},
                                 .carton_weight = weight,
                                 .any_side = o->any_side};
    const auto result = plan_pallet(request);
    if (const auto* refusal = std::get_if<pallet_refusal>(&result)) {
        err << refusal->message << '\n';
        return exit_refused;
    }
    const pallet_plan& plan = std::get<pallet_plan>(result);

    if (o->report.file) {
        // The load above the deck, reported as the load of a container of
        // the deck's size and the load height.
        const planner_plan report{
            calculation_input_of(request.carton,
                                 {measures.width, measures.length, measures.load_height}),
            plan.blocks,
            true,
            name,
            "",
            std::nullopt,
            std::nullopt,
            std::nullopt};
        if (const auto status = write_report(o->report, planner_report(report), err))
            return *status;
    }
    if (o->json) {
        out << QJsonDocument(pallet_json(measures, name, plan))
                   .toJson(QJsonDocument::Compact)
                   .toStdString()
            << '\n';
        return finish_output(out, err, exit_plan);
    }
    for (const std::string& line : pallet_lines(plan)) out << line << '\n';
    return finish_output(out, err, exit_plan);
}

}  // namespace varnel
