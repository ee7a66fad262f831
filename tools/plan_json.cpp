#include "tools/plan_json.h"

#include <QJsonArray>

#include <charconv>
#include <string>

#include "engine/core/container.h"
#include "engine/core/loading_walls.h"
#include "engine/core/orientation.h"
#include "engine/loading_steps.h"
#include "engine/numbers.h"
#include "engine/summary.h"

namespace varnel {

// from_chars, unlike stod, never follows the C locale: under a comma-decimal
// locale stod would read "80.03" as 80.
double json_number(std::string_view written) {
    double value = 0.0;
    std::from_chars(written.data(), written.data() + written.size(), value);
    return value;
}

namespace {

// A float as the program writes it (80.03, not 80.0299987792969).
double as_written(float value) { return json_number(format_number(value)); }

QJsonObject sizes(float length, float width, float height) {
    return {{QStringLiteral("length"), as_written(length)},
            {QStringLiteral("width"), as_written(width)},
            {QStringLiteral("height"), as_written(height)}};
}

}  // namespace

std::vector<carton_rules> one_carton(const calculation_input& in) {
    return {single_carton(in.carton_length, in.carton_width, in.carton_height)};
}

QJsonArray blocks_json(const block_list& blocks) {
    QJsonArray array;
    for (const carton_block& b : blocks) {
        array.append(QJsonObject{{QStringLiteral("x"), b.x},
                                 {QStringLiteral("y"), b.y},
                                 {QStringLiteral("z"), b.z},
                                 {QStringLiteral("orientation"), b.orientation},
                                 {QStringLiteral("count_x"), b.count_x},
                                 {QStringLiteral("count_y"), b.count_y},
                                 {QStringLiteral("count_z"), b.count_z}});
    }
    return array;
}

QJsonArray steps_json(const block_list& blocks, std::span<const carton_rules> types, bool typed) {
    QJsonArray array;
    const auto mm = [](double v) { return as_written(static_cast<float>(v)); };
    for (const wall_step& s : loading_walls(blocks, types).steps) {
        const carton_block& b = s.part;
        const std::array<double, 3> e = rotated(types[b.type].size, b.orientation);
        QJsonObject step{{QStringLiteral("x"), mm(b.x)},
                         {QStringLiteral("y"), mm(b.y)},
                         {QStringLiteral("z"), mm(b.z)},
                         {QStringLiteral("size"), QJsonArray{mm(e[0]), mm(e[1]), mm(e[2])}},
                         {QStringLiteral("count_x"), b.count_x},
                         {QStringLiteral("count_y"), b.count_y},
                         {QStringLiteral("count_z"), b.count_z},
                         {QStringLiteral("wall"), static_cast<qint64>(s.wall + 1)}};
        if (typed) step.insert(QStringLiteral("type"), static_cast<qint64>(b.type));
        array.append(step);
    }
    return array;
}

void add_weight_json(QJsonObject& json, const cargo_figures& figures,
                     const std::optional<balance_figures>& balance) {
    const auto written = [](double v) { return as_written(static_cast<float>(v)); };
    json.insert(QStringLiteral("weight"),
                figures.weight ? QJsonValue(written(*figures.weight)) : QJsonValue());
    QJsonValue centre;
    if (const auto& g = figures.centre_of_gravity) {
        centre = QJsonObject{{QStringLiteral("x"), written((*g)[0])},
                             {QStringLiteral("y"), written((*g)[1])},
                             {QStringLiteral("z"), written((*g)[2])}};
    }
    json.insert(QStringLiteral("centre_of_gravity"), centre);
    if (!balance) return;
    json.insert(QStringLiteral("balanced"), balance->holds);
    json.insert(QStringLiteral("offset"),
                QJsonObject{{QStringLiteral("x"), written(balance->offset[0])},
                            {QStringLiteral("y"), written(balance->offset[1])}});
}

void add_carton_weight_json(QJsonObject& json, const block_list& blocks,
                            const calculation_input& input, double carton_weight) {
    std::vector<carton_rules> carton = one_carton(input);
    carton[0].weight = carton_weight;
    const container_space container{container_axes(input), std::nullopt};
    add_weight_json(json, summarise_container(blocks, carton, container.size),
                    balance_of(blocks, carton, container, default_balance_share));
}

QJsonObject plan_json(const plan_facts& f) {
    const plan_totals totals = count_plan(*f.stacks);
    const calculation_input& in = f.input;
    QJsonObject json{
        {QStringLiteral("container"),
         sizes(in.container_length, in.container_width, in.container_height)},
        {QStringLiteral("carton"), sizes(in.carton_length, in.carton_width, in.carton_height)},
        {QStringLiteral("single"), f.single},
        {QStringLiteral("upright"), f.upright},
        {QStringLiteral("optimised"), f.optimised},
        {QStringLiteral("cartons"), static_cast<qint64>(totals.cartons)},
        {QStringLiteral("stacks"), static_cast<qint64>(totals.stacks)},
        {QStringLiteral("utilisation"), as_written(totals.utilisation)},
        {QStringLiteral("upper_bound"), static_cast<qint64>(f.upper_bound)},
        {QStringLiteral("proven_optimal"), totals.cartons >= f.upper_bound},
        {QStringLiteral("blocks"), blocks_json(f.blocks)},
        {QStringLiteral("steps"), steps_json(f.blocks, one_carton(in), false)},
    };
    if (f.optimised) json.insert(QStringLiteral("cut_short"), f.cut_short);
    if (f.carton_weight) add_carton_weight_json(json, f.blocks, in, *f.carton_weight);
    return json;
}

QJsonArray layer_patterns_json(const pallet_plan& plan) {
    const auto number = [](double mm) {
        return json_number(format_number(static_cast<float>(mm)));
    };
    QJsonArray patterns;
    for (const layer_pattern& layer : plan.layer_patterns) {
        QJsonArray cartons;
        for (const layer_carton& c : layer) {
            cartons.append(QJsonObject{{QStringLiteral("x"), number(c.x)},
                                       {QStringLiteral("y"), number(c.y)},
                                       {QStringLiteral("length"), number(c.length)},
                                       {QStringLiteral("width"), number(c.width)}});
        }
        patterns.append(cartons);
    }
    return patterns;
}

}  // namespace varnel
