#include "tools/planner_cli.h"

#include <QJsonDocument>
#include <QString>

#include <optional>
#include <ostream>
#include <sstream>
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
#include "tools/planner_front.h"
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

// The options of a plan of one size beside the front's.
struct single_options {
    bool single = false;
    orientation_set allowed = orientation_set::any();
    bool optimise = false;
    shipment_arguments shipment;

    bool take(const std::vector<std::string>& args, std::size_t& i) {
        const std::string& a = args[i];
        if (a == "--single") {
            single = true;
        } else if (a == "--upright") {
            allowed = orientation_set::upright();
        } else if (a == "--optimise" || a == "--optimize") {
            optimise = true;
        } else {
            return take_shipment_argument(args, i, shipment);
        }
        return true;
    }
};

// The six fields as typed: the container's three either typed too or taken
// from the catalogue as its fields would show them. On failure, the message.
// The six sizes as typed, the container's first (from the catalogue when it
// is named); or the message.
std::variant<std::vector<std::string>, std::string> typed_sizes(const front_options& o,
                                                                int& catalogue_payload) {
    std::vector<std::string> sizes = o.words;
    if (o.container_type) {
        auto container = catalogue_container(o);
        if (auto* message = std::get_if<std::string>(&container)) return std::move(*message);
        auto& c = std::get<container_field_texts>(container);
        catalogue_payload = c.payload_kg;
        sizes.insert(sizes.begin(), {std::move(c.length), std::move(c.width), std::move(c.height)});
    }
    return sizes;
}

// The command line names the container first, the window's fields the
// carton; the fields view `sizes`, which must outlive them.
size_texts field_texts(const std::vector<std::string>& sizes) {
    return size_texts{.carton_length = sizes[3],
                      .carton_width = sizes[4],
                      .carton_height = sizes[5],
                      .container_length = sizes[0],
                      .container_width = sizes[1],
                      .container_height = sizes[2]};
}

// The sizes in millimetres, refused as the window's fields and container
// dialogs refuse them; or the message.
std::variant<calculation_input, std::string> read_sizes(const size_texts& fields) {
    auto input = read_calculation_input(fields);
    if (const auto* refusal = std::get_if<input_refusal>(&input)) return refusal->message;
    // The calculation itself takes such sizes and finds that nothing fits.
    const calculation_input& mm = std::get<calculation_input>(input);
    if (const auto refusal =
            container_sizes_refusal(mm.container_length, mm.container_width, mm.container_height))
        return refusal->message;
    return mm;
}

std::string printed(const front_options& o, const single_options& own, const load_model& model,
                    const calculation_input& sizes, const std::optional<optimised_plan>& optimised,
                    const planner_shipment& shipping) {
    std::ostringstream out;
    if (o.json) {
        const bool upright = own.allowed == orientation_set::upright();
        plan_facts facts{sizes, own.single, upright, own.optimise, 0, {}, &model.stacks};
        facts.upper_bound =
            optimised ? optimised->upper_bound : upper_bound(sizes, own.single, own.allowed);
        facts.blocks = optimised ? optimised->blocks : standard_blocks(model);
        facts.cut_short = optimised && optimised->cut_short();
        if (shipping.order() && shipping.order()->carton_weight)
            facts.carton_weight = *shipping.order()->carton_weight;
        QJsonObject json = plan_json(facts);
        shipping.add_json(json, facts.blocks, sizes);
        out << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString() << '\n';
        return out.str();
    }
    const summary_texts summary = write_summary(model.stacks);
    out << summary.utilisation << '\n' << summary.arrangement << '\n';
    if (optimised) out << bound_text(optimised->cartons, optimised->upper_bound) << '\n';
    if (optimised && optimised->cut_short()) out << text::search_cut_short << '\n';
    shipping.print(out);
    return out.str();
}

command_outcome plan_single(const front_options& o, const single_options& own) {
    int catalogue_payload = 0;
    const auto typed = typed_sizes(o, catalogue_payload);
    if (const auto* message = std::get_if<std::string>(&typed)) return command_refusal{*message};
    const auto read = read_sizes(field_texts(std::get<std::vector<std::string>>(typed)));
    if (const auto* message = std::get_if<std::string>(&read)) return command_refusal{*message};
    const calculation_input& sizes = std::get<calculation_input>(read);
    planner_shipment shipping;
    if (const auto message = shipping.read(own.shipment, catalogue_payload))
        return command_refusal{*message};

    load_model model;
    std::int16_t stacks = 0;
    std::optional<optimised_plan> optimised;
    if (own.optimise) {
        optimised = optimise_plan({sizes, own.single, own.allowed});
        stacks = load_optimised_plan(model, sizes, own.allowed, *optimised);
    } else {
        stacks = run_calculation(model, sizes, own.single, side_placement_allowed(own.allowed))
                     .stack_count;
    }
    if (stacks == 0) return nothing_fits{};
    if (const auto message = shipping.plan(model)) return command_refusal{*message};

    command_plan p{write_plan(model.draw_stacks, model.stacks), std::nullopt,
                   printed(o, own, model, sizes, optimised, shipping)};
    if (o.report.file) {
        p.report = planner_report({sizes, optimised ? optimised->blocks : standard_blocks(model),
                                   optimised.has_value(), o.container_type.value_or(""),
                                   o.output.value_or(""), shipping.payload(catalogue_payload),
                                   shipping.order(), shipping.result()});
    }
    return p;
}

}  // namespace

int run_planner(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const QString& catalogue_folder) {
    if (asks_for_mixed_load(args)) return run_mixed_planner(args, out, err, catalogue_folder);
    if (asks_for_pallet(args)) return run_pallet_planner(args, out, err, catalogue_folder);
    single_options own;
    const planner_command command{
        .usage = std::string(usage) + shipment_usage,
        .usage_end = usage_end,
        .help_anywhere = false,
        .take_option = [&own](const auto& a, std::size_t& i) { return own.take(a, i); },
        .complete =
            [&own](const front_options& o) {
                return o.words.size() == (o.container_type ? 3u : 6u) && own.shipment.complete();
            },
        .input_file = {},
        .plan = [&own](const front_options& o) { return plan_single(o, own); },
    };
    return run_command(command, args, out, err, catalogue_folder);
}

}  // namespace varnel
