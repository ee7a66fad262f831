#include "tools/mixed_output.h"

#include <QJsonArray>

#include <algorithm>
#include <optional>

#include "engine/core/orientation.h"
#include "engine/loading_steps.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/shipment.h"
#include "engine/single/pallet_text.h"
#include "engine/summary.h"
#include "tools/messages.h"
#include "tools/plan_json.h"

namespace varnel {

namespace {

// A figure as the texts write it (433.3, not 433.299987792969).
QJsonValue as_written(double value) {
    return parse_exact(format_number(static_cast<float>(value))).value_or(0.0);
}

QJsonValue kilograms(const std::optional<double>& weight) {
    return weight ? as_written(*weight) : QJsonValue();
}

std::string weight_part(const std::optional<double>& weight) {
    if (!weight) return {};
    return text::cargo_weight_prefix + weight_text(*weight) + text::kilograms;
}

std::string count_text(const std::string& name, std::int64_t cartons) {
    return name + text::type_count_separator + std::to_string(cartons) + text::type_count_suffix;
}

// An item's count: loaded pallets by what they hold, cartons by name.
std::string item_text(const mixed_plan_file& plan, std::size_t item, std::int64_t count) {
    const palletised_type* type = palletised_item(plan.pallets, item);
    if (type != nullptr && type->cartons_on(item) > 0)
        return pallets_text(count, plan.cartons[item].name);
    return count_text(plan.cartons[item].name, count);
}

// Each pallet type of an order on pallets: its pallet and what it holds.
void pallet_type_lines(std::vector<std::string>& lines, const mixed_plan_file& plan) {
    for (const palletised_type& type : plan.pallets) {
        lines.push_back(type.pallet_name + text::pallet_item_open + type.carton.name +
                        text::pallet_item_close + text::type_count_separator +
                        pallet_lines(type.plan).front() + text::pallet_line_separator +
                        pallet_count_line(type));
    }
}

QJsonArray pallets_json(const mixed_plan_file& plan) {
    QJsonArray pallets;
    for (const palletised_type& type : plan.pallets) {
        const pallet_plan& p = type.plan;
        pallets.append(QJsonObject{
            {QStringLiteral("type"), QString::fromStdString(type.carton.name)},
            {QStringLiteral("pallet"), QString::fromStdString(type.pallet_name)},
            {QStringLiteral("cartons_per_pallet"), static_cast<qint64>(p.cartons)},
            {QStringLiteral("layers"), static_cast<qint64>(p.layers)},
            {QStringLiteral("per_layer"), static_cast<qint64>(p.per_layer)},
            {QStringLiteral("full"), static_cast<qint64>(type.full)},
            {QStringLiteral("part"), static_cast<qint64>(type.rest_loose ? 0 : type.rest)},
            {QStringLiteral("loose"), static_cast<qint64>(type.rest_loose ? type.rest : 0)},
            {QStringLiteral("size"),
             QJsonArray{as_written(p.size[0]), as_written(p.size[1]), as_written(p.size[2])}},
            {QStringLiteral("weight"), kilograms(p.weight)},
            {QStringLiteral("upper_bound"), static_cast<qint64>(p.upper_bound)},
            {QStringLiteral("proven_optimal"), p.proven_optimal()},
            {QStringLiteral("interlocked"), p.interlocked},
            {QStringLiteral("layer_patterns"), layer_patterns_json(p)}});
    }
    return pallets;
}

// The balance of one container, when the plan asks one and knows weights.
std::optional<balance_figures> balance_in(const mixed_plan_file& plan, const block_list& blocks) {
    if (!plan.weights.balance_share) return std::nullopt;
    return balance_of(blocks, rules_of(plan.cartons), plan.container, *plan.weights.balance_share);
}

void container_lines(std::vector<std::string>& lines, const mixed_plan_file& plan,
                     const container_summary& s, const block_list& blocks) {
    // The window shows the same two lines for the container it draws.
    const summary_texts texts = mixed_summary_texts(s.utilisation, s.cartons, s.types);
    lines.push_back(texts.utilisation);
    lines.push_back(texts.arrangement + weight_part(s.weight));
    for (std::size_t t = 0; t < s.per_type.size(); ++t) {
        const std::int64_t n = s.per_type[t].cartons;
        if (n > 0) lines.push_back(item_text(plan, t, n));
    }
    if (const auto f = balance_in(plan, blocks)) lines.push_back(balance_text(*f));
}

void unloaded_lines(std::vector<std::string>& lines, const mixed_plan_file& plan,
                    const mixed_summary& m) {
    if (m.unloaded_cartons == 0) {
        lines.emplace_back(text::all_loaded);
        return;
    }
    lines.push_back(text::unloaded_prefix + std::to_string(m.unloaded_cartons) +
                    text::unloaded_suffix);
    for (std::size_t t = 0; t < m.unloaded.size(); ++t) {
        if (m.unloaded[t] > 0) lines.push_back(item_text(plan, t, m.unloaded[t]));
    }
}

QJsonArray blocks_json(const mixed_plan_file& plan, const block_list& blocks) {
    QJsonArray array;
    // What a carton of each block carries, when the list gives weights.
    const bool weights = weighed(plan.cartons);
    const std::vector<double> carried =
        weights ? loads_carried(blocks, rules_of(plan.cartons)) : std::vector<double>();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const carton_block& b = blocks[i];
        if (b.type >= plan.cartons.size()) continue;
        const std::array<double, 3> e = rotated(plan.cartons[b.type].size, b.orientation);
        QJsonObject block{{QStringLiteral("type"), static_cast<qint64>(b.type)},
                          {QStringLiteral("x"), b.x},
                          {QStringLiteral("y"), b.y},
                          {QStringLiteral("z"), b.z},
                          {QStringLiteral("size"),
                           QJsonArray{as_written(e[0]), as_written(e[1]), as_written(e[2])}},
                          {QStringLiteral("count_x"), b.count_x},
                          {QStringLiteral("count_y"), b.count_y},
                          {QStringLiteral("count_z"), b.count_z}};
        if (weights) block.insert(QStringLiteral("max_load_carried"), as_written(carried[i]));
        array.append(block);
    }
    return array;
}

}  // namespace

std::vector<std::string> mixed_lines(const mixed_plan_file& plan, const mixed_summary& m) {
    std::vector<std::string> lines;
    pallet_type_lines(lines, plan);
    std::int64_t first = 1;
    for (std::size_t k = 0; k < m.containers.size(); ++k) {
        const std::int64_t repeat = plan.plan.containers[k].repeat;
        lines.push_back(containers_text(first, repeat, m.container_count));
        container_lines(lines, plan, m.containers[k], plan.plan.containers[k].blocks);
        first += repeat;
    }
    lines.push_back(text::total_prefix + std::to_string(m.container_count) + text::total_middle +
                    std::to_string(m.cartons) + text::total_suffix + weight_part(m.weight));
    unloaded_lines(lines, plan, m);
    const auto weighed = [](const carton_type& t) { return t.weight.has_value(); };
    if (plan.container.payload && !std::all_of(plan.cartons.begin(), plan.cartons.end(), weighed)) {
        lines.emplace_back(text::no_carton_weight);
    } else if (!plan.container.payload &&
               std::any_of(plan.cartons.begin(), plan.cartons.end(), weighed)) {
        lines.emplace_back(text::payload_unknown);
    }
    if (plan.plan.cut_short) {
        lines.emplace_back(m.unloaded_cartons > 0 ? text::mixed_cut_short : text::search_cut_short);
    }
    return lines;
}

QJsonObject mixed_json(const mixed_plan_file& plan, const mixed_summary& m) {
    const std::array<double, 3>& c = plan.container.size;
    QJsonArray types;
    for (std::size_t t = 0; t < plan.cartons.size(); ++t) {
        const carton_type& type = plan.cartons[t];
        types.append(QJsonObject{{QStringLiteral("name"), QString::fromStdString(type.name)},
                                 {QStringLiteral("length"), as_written(type.size[0])},
                                 {QStringLiteral("width"), as_written(type.size[1])},
                                 {QStringLiteral("height"), as_written(type.size[2])},
                                 {QStringLiteral("quantity"), static_cast<qint64>(type.quantity)},
                                 {QStringLiteral("loaded"), static_cast<qint64>(m.loaded[t])},
                                 {QStringLiteral("weight"), kilograms(type.weight)}});
    }
    QJsonArray containers;
    for (std::size_t k = 0; k < m.containers.size(); ++k) {
        const container_summary& s = m.containers[k];
        const container_load& load = plan.plan.containers[k];
        QJsonObject container{
            {QStringLiteral("cartons"), static_cast<qint64>(s.cartons)},
            {QStringLiteral("utilisation"), as_written(cut_percent(s.utilisation))},
            {QStringLiteral("blocks"), blocks_json(plan, load.blocks)},
            {QStringLiteral("steps"), steps_json(load.blocks, rules_of(plan.cartons), true)},
            {QStringLiteral("repeat"), static_cast<qint64>(load.repeat)}};
        // Null where a weight is unknown: no centre of gravity can be given then.
        add_weight_json(container, s, balance_in(plan, load.blocks));
        containers.append(container);
    }
    QJsonObject json{
        {QStringLiteral("container"), QJsonObject{{QStringLiteral("length"), as_written(c[1])},
                                                  {QStringLiteral("width"), as_written(c[0])},
                                                  {QStringLiteral("height"), as_written(c[2])}}},
        {QStringLiteral("types"), types},
        {QStringLiteral("containers"), containers},
        {QStringLiteral("unloaded"), static_cast<qint64>(m.unloaded_cartons)},
        {QStringLiteral("cut_short"), plan.plan.cut_short}};
    if (!plan.pallets.empty()) json.insert(QStringLiteral("pallets"), pallets_json(plan));
    return json;
}

}  // namespace varnel
