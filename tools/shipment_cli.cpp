#include "tools/shipment_cli.h"

#include <QJsonValue>

#include <ostream>

#include "engine/single/partial_load.h"
#include "engine/summary.h"
#include "tools/plan_json.h"

namespace varnel {

const char* const shipment_usage =
    "  --quantity N        ship N cartons (1 to 1000000000): prints how many\n"
    "                      containers, the cartons in each and in the last one\n"
    "  --carton-weight KG  one carton's gross weight, so the payload can limit\n"
    "                      the cartons per container\n"
    "  --payload KG        the container's payload; with --container-type it is\n"
    "                      taken from the catalogue unless given\n";

bool take_shipment_argument(const std::vector<std::string>& args, std::size_t& i,
                            shipment_arguments& s) {
    std::optional<std::string>* value = nullptr;
    if (args[i] == "--quantity") value = &s.quantity;
    if (args[i] == "--carton-weight") value = &s.carton_weight;
    if (args[i] == "--payload") value = &s.payload;
    if (value == nullptr || *value || i + 1 >= args.size()) return false;
    *value = args[++i];
    return true;
}

std::optional<std::string> planner_shipment::read(const shipment_arguments& s,
                                                  int catalogue_payload) {
    if (!s.quantity) return std::nullopt;
    const std::string weight = s.carton_weight.value_or("");
    const std::string payload = s.payload               ? *s.payload
                                : catalogue_payload > 0 ? std::to_string(catalogue_payload)
                                                        : "";
    auto order = read_shipment_order({*s.quantity, weight, payload});
    if (const auto* refusal = std::get_if<shipment_refusal>(&order)) return refusal->message;
    order_ = std::get<shipment_order>(order);
    return std::nullopt;
}

std::optional<std::string> planner_shipment::plan(const load_model& model) {
    if (!order_) return std::nullopt;
    auto result = plan_shipment(*order_, count_plan(model.stacks).cartons);
    if (const auto* refusal = std::get_if<shipment_refusal>(&result)) return refusal->message;
    result_ = std::get<shipment>(result);
    return std::nullopt;
}

void planner_shipment::add_json(QJsonObject& json, const block_list& plan,
                                const calculation_input& sizes) const {
    if (!result_) return;
    const shipment& s = *result_;
    const box_size carton{sizes.carton_length, sizes.carton_width, sizes.carton_height};
    // The weight as the lines write it (10080, not 10080.0000152).
    const QJsonValue weight =
        s.last_weight ? QJsonValue(json_number(weight_text(*s.last_weight))) : QJsonValue();
    const block_list part = partial_load(plan, carton, s.last_cartons);
    QJsonObject last{{QStringLiteral("blocks"), blocks_json(part)},
                     {QStringLiteral("steps"), steps_json(part, one_carton(sizes), false)}};
    // Its centre and balance where the carton's weight is given; its weight
    // stays the one the lines write.
    if (order_ && order_->carton_weight)
        add_carton_weight_json(last, part, sizes, *order_->carton_weight);
    last.insert(QStringLiteral("cartons"), static_cast<qint64>(s.last_cartons));
    last.insert(QStringLiteral("weight"), weight);
    json.insert(QStringLiteral("shipment"),
                QJsonObject{{QStringLiteral("containers"), static_cast<qint64>(s.containers)},
                            {QStringLiteral("per_container"), static_cast<qint64>(s.per_container)},
                            {QStringLiteral("limit"), s.limit == shipment_limit::weight
                                                          ? QStringLiteral("weight")
                                                          : QStringLiteral("volume")},
                            {QStringLiteral("last"), last}});
}

std::optional<double> planner_shipment::payload(int catalogue_payload) const {
    if (order_ && order_->payload) return *order_->payload;
    if (catalogue_payload > 0) return catalogue_payload;
    return std::nullopt;
}

void planner_shipment::print(std::ostream& out) const {
    if (!result_) return;
    for (const std::string& line : shipment_lines(*result_)) out << line << '\n';
}

}  // namespace varnel
