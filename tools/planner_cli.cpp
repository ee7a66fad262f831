#include "tools/planner_cli.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QString>

#include <optional>
#include <ostream>
#include <utility>
#include <variant>

#include "catalogue/entry_input.h"
#include "engine/block_tables.h"
#include "engine/calculation.h"
#include "engine/messages.h"
#include "engine/single/bound_text.h"
#include "engine/single/optimise.h"
#include "engine/summary.h"
#include "plan/plan_format.h"
#include "tools/catalogue_container.h"
#include "tools/command_line.h"
#include "tools/mixed_cli.h"
#include "tools/pallet_cli.h"
#include "tools/plan_json.h"
#include "tools/planner_report.h"
#include "tools/shipment_cli.h"

namespace varnel {

namespace {

constexpr const char* usage =
    "usage: varnel-plan [--single] [--upright] [--optimise] [--json]\n"
    "                   CONTAINER_LENGTH CONTAINER_WIDTH CONTAINER_HEIGHT\n"
    "                   CARTON_LENGTH CARTON_WIDTH CARTON_HEIGHT [-o FILE]\n"
    "       varnel-plan [--single] [--upright] [--optimise] [--json] --container-type NAME\n"
    "                   CARTON_LENGTH CARTON_WIDTH CARTON_HEIGHT [-o FILE]\n"
    "       either with [--quantity N [--carton-weight KG] [--payload KG]]\n"
    "       varnel-plan --mixed LIST.csv ...  (a packing list: varnel-plan --mixed --help)\n"
    "       varnel-plan --pallet NAME ...  (cartons on a pallet: varnel-plan --pallet --help)\n"
    "\n"
    "Plans how identical cartons load one container and prints the utilisation\n"
    "and the arrangement. Sizes are inner container sizes and carton sizes in\n"
    "centimetres.\n"
    "\n"
    "  --container-type NAME\n"
    "              take the container's inner size from the catalogue qr_ji.qrd\n"
    "              beside this program, e.g. 40尺柜; letter case and blanks at\n"
    "              the end of NAME do not count\n"
    "  --single    single placement (单一摆放): one stack, all cartons placed alike\n"
    "  --upright   no side placement (不可侧放): every carton keeps its top face up\n"
    "  --optimise  load as many cartons as the search finds room for, and add a\n"
    "              third line: how close the plan is to the most that can fit\n"
    "  --json      print the plan as one JSON object instead of the texts\n"
    "  -o FILE     also write the plan file (.qrn); '-o -' writes it to standard\n"
    "              output instead of the texts\n"
    "  --help      show this text\n";
constexpr const char* usage_end =
    "\n"
    "Exit status: 0 plan printed, 1 no carton fits, 2 input refused (or an unknown\n"
    "container type, a catalogue that cannot be read, a file name that is not\n"
    "UTF-8), 3 file or standard output not written.\n";

struct options {
    bool single = false;
    orientation_set allowed = orientation_set::any();
    bool help = false;
    bool optimise = false;
    bool json = false;
    std::optional<std::string> output;
    std::optional<std::string> container_type;
    std::vector<std::string> sizes;
    shipment_arguments shipment;
    report_arguments report;

    std::size_t expected_sizes() const { return container_type ? 3 : 6; }
};

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
            o.allowed = orientation_set::upright();
        } else if (a == "--optimise" || a == "--optimize") {
            o.optimise = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if ((a == "-o" || a == "--output") && i + 1 < args.size() && !o.output) {
            o.output = args[++i];
        } else if (a == "--container-type" && i + 1 < args.size() && !o.container_type) {
            o.container_type = args[++i];
        } else if (!take_shipment_argument(args, i, o.shipment) &&
                   !take_report_argument(args, i, o.report)) {
            return std::nullopt;
        }
    }
    return o;
}

// The six fields as typed: the container's three either typed too or taken
// from the catalogue as its fields would show them. On failure, the message.
std::variant<std::vector<std::string>, std::string> field_texts(const options& o,
                                                                const QString& catalogue_folder,
                                                                int& catalogue_payload) {
    if (!o.container_type) return o.sizes;
    const QString folder =
        catalogue_folder.isEmpty() ? QCoreApplication::applicationDirPath() : catalogue_folder;
    auto container = container_fields_from_catalogue(*o.container_type, folder);
    if (auto* message = std::get_if<std::string>(&container)) return std::move(*message);
    auto& c = std::get<container_field_texts>(container);
    catalogue_payload = c.payload_kg;
    return std::vector<std::string>{std::move(c.length), std::move(c.width), std::move(c.height),
                                    o.sizes[0],          o.sizes[1],         o.sizes[2]};
}

}  // namespace

int run_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const QString& catalogue_folder) {
    if (asks_for_mixed_load(args)) return run_mixed_planner(args, out, err, catalogue_folder);
    if (asks_for_pallet(args)) return run_pallet_planner(args, out, err, catalogue_folder);
    const std::optional<options> o = parse_arguments(args);
    if (o && o->help) {
        out << usage << shipment_usage << report_usage << usage_end;
        return finish_output(out, err, exit_plan);
    }
    if (!o || o->sizes.size() != o->expected_sizes() || !o->shipment.complete() ||
        !o->report.complete()) {
        err << usage << shipment_usage << report_usage << usage_end;
        return exit_refused;
    }
    if (const auto message = check_report_arguments(o->report)) {
        err << *message << '\n';
        return exit_refused;
    }

    std::optional<QString> output_path;
    if (!output_file(o->output, output_path, err)) return exit_refused;
    if (const auto message = same_file_refusal(std::nullopt, o->output, o->report.file)) {
        err << *message << '\n';
        return exit_refused;
    }

    int catalogue_payload = 0;
    const auto texts = field_texts(*o, catalogue_folder, catalogue_payload);
    if (const auto* message = std::get_if<std::string>(&texts)) {
        err << *message << '\n';
        return exit_refused;
    }
    const auto& sizes = std::get<std::vector<std::string>>(texts);
    // The command line names the container first, the window's fields the carton.
    const size_texts fields{.carton_length = sizes[3],
                            .carton_width = sizes[4],
                            .carton_height = sizes[5],
                            .container_length = sizes[0],
                            .container_width = sizes[1],
                            .container_height = sizes[2]};
    const auto input = read_calculation_input(fields);
    if (const auto* refusal = std::get_if<input_refusal>(&input)) {
        err << refusal->message << '\n';
        return exit_refused;
    }

    // As the container dialogs refuse them; the calculation itself takes
    // such sizes and finds that nothing fits.
    const calculation_input& typed_mm = std::get<calculation_input>(input);
    if (const auto refusal = container_sizes_refusal(
            typed_mm.container_length, typed_mm.container_width, typed_mm.container_height)) {
        err << refusal->message << '\n';
        return exit_refused;
    }

    planner_shipment shipping;
    if (const auto message = shipping.read(o->shipment, catalogue_payload)) {
        err << *message << '\n';
        return exit_refused;
    }

    const calculation_input& sizes_mm = std::get<calculation_input>(input);
    load_model model;
    std::int16_t stacks = 0;
    std::optional<optimised_plan> optimised;
    if (o->optimise) {
        optimised = optimise_plan({sizes_mm, o->single, o->allowed});
        stacks = load_optimised_plan(model, sizes_mm, o->allowed, *optimised);
    } else {
        stacks = run_calculation(model, sizes_mm, o->single, side_placement_allowed(o->allowed))
                     .stack_count;
    }
    if (stacks == 0) {
        err << text::no_result << '\n';
        return exit_no_fit;
    }

    if (const auto message = shipping.plan(model)) {
        err << *message << '\n';
        return exit_refused;
    }

    if (o->report.file) {
        const planner_plan plan{sizes_mm,
                                optimised ? optimised->blocks : standard_blocks(model),
                                optimised.has_value(),
                                o->container_type.value_or(""),
                                o->output.value_or(""),
                                shipping.payload(catalogue_payload),
                                shipping.order(),
                                shipping.result()};
        if (const auto status = write_report(o->report, planner_report(plan), err)) return *status;
    }

    const std::string file = write_plan(model.draw_stacks, model.stacks);
    if (o->output && *o->output == "-") {
        out << file;
        return finish_output(out, err, exit_plan);
    }
    if (output_path) {
        if (!save_plan_file(*output_path, *o->output, file, err)) return exit_write_failed;
    }
    if (o->json) {
        const bool upright = o->allowed == orientation_set::upright();
        plan_facts facts{sizes_mm, o->single, upright, o->optimise, 0, {}, &model.stacks};
        facts.upper_bound =
            optimised ? optimised->upper_bound : upper_bound(sizes_mm, o->single, o->allowed);
        facts.blocks = optimised ? optimised->blocks : standard_blocks(model);
        facts.cut_short = optimised && optimised->cut_short();
        QJsonObject json = plan_json(facts);
        shipping.add_json(json, facts.blocks, sizes_mm);
        out << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString() << '\n';
        return finish_output(out, err, exit_plan);
    }
    const summary_texts summary = write_summary(model.stacks);
    out << summary.utilisation << '\n' << summary.arrangement << '\n';
    if (optimised) out << bound_text(optimised->cartons, optimised->upper_bound) << '\n';
    if (optimised && optimised->cut_short()) out << text::search_cut_short << '\n';
    shipping.print(out);
    return finish_output(out, err, exit_plan);
}

}  // namespace varnel
