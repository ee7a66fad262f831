#include "engine/loading_steps.h"

#include <cmath>

#include "engine/core/orientation.h"
#include "engine/core/placement.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/summary.h"

namespace varnel {

namespace {

// The sizes and weights of the report's types, as the core's loading order
// and summary take them.
std::vector<carton_rules> report_rules(std::span<const report_carton> types) {
    std::vector<carton_rules> rules;
    for (const report_carton& t : types) {
        carton_rules r;
        r.size = t.size;
        r.weight = t.weight;
        r.max_load = t.max_load;
        rules.push_back(r);
    }
    return rules;
}

// The carton nearest what it may carry, or the one carrying most.
void most_carried(weight_figures& f, const block_list& blocks,
                  std::span<const report_carton> types) {
    const std::vector<double> carried = loads_carried(blocks, report_rules(types));
    double worst = -1.0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].type >= types.size() || holds_nothing(blocks[i])) continue;
        const std::optional<double>& limit = types[blocks[i].type].max_load;
        // Past a limit of 0 is past any; without a limit, only the most carried counts.
        const double over = carried[i] > 0 ? 1e300 : 0.0;
        const double share = !limit         ? -1.0 / (1 + carried[i])
                             : *limit > 0.0 ? carried[i] / *limit
                                            : over;
        if (share > worst) {
            worst = share;
            f.most_carried = carried[i];
            f.carried_allowed = limit;
        }
    }
}

std::string cm_text(double millimetres) { return size_text_cm(static_cast<float>(millimetres)); }

}  // namespace

loading_instructions instructions_of(const block_list& blocks,
                                     std::span<const report_carton> types) {
    const wall_order order = loading_walls(blocks, report_rules(types));
    loading_instructions out{{}, order.walls, order.check};
    std::int64_t total = 0;
    for (const wall_step& w : order.steps) {
        const carton_block& b = w.part;
        loading_step s;
        s.part = b;
        s.block = w.block;
        s.wall = w.wall;
        s.type = b.type;
        s.orientation = b.orientation;
        s.columns = b.count_x;
        s.rows = b.count_y;
        s.layers = b.count_z;
        s.cartons = carton_count(b);
        s.carton = rotated(types[b.type].size, b.orientation);
        s.from_left = b.x;
        s.from_far_end = b.y;
        s.from_floor = b.z;
        total += s.cartons * types[b.type].cartons_each;
        s.running_total = total;
        out.steps.push_back(s);
    }
    return out;
}

std::vector<loading_step> loading_steps(const block_list& blocks,
                                        std::span<const report_carton> types) {
    return instructions_of(blocks, types).steps;
}

std::string stance_text(std::int16_t orientation) {
    const auto& axes = axes_of(orientation);
    return std::string(text::sides_along[axes[1]]) + text::along_length + text::sides_up[axes[2]];
}

std::string count_text(const loading_step& step) {
    return std::to_string(step.columns) + text::columns + text::times + std::to_string(step.rows) +
           text::rows + text::times + std::to_string(step.layers) + text::layers;
}

std::string size_text(const std::array<double, 3>& mm) {
    return cm_text(mm[0]) + text::times + cm_text(mm[1]) + text::times + cm_text(mm[2]) + text::cm;
}

double whole_cm(double millimetres) { return std::round(millimetres / 10.0) + 0.0; }

std::string type_name(const report_carton& carton) {
    return carton.name.empty() ? size_text(carton.size) : carton.name;
}

weight_figures weight_figures_of(const block_list& blocks, std::span<const report_carton> types,
                                 const report_container& container,
                                 std::optional<double> balance_share) {
    weight_figures w;
    const std::vector<carton_rules> rules = report_rules(types);
    for (const carton_block& b : blocks) {
        if (b.type >= types.size() || holds_nothing(b)) continue;
        if (!types[b.type].weight) return w;
    }
    most_carried(w, blocks, types);
    if (balance_share) {
        w.balance = balance_of(blocks, rules, {container.size, container.payload}, *balance_share);
    }
    return w;
}

void add_load(loading_report& report, std::string heading, block_list blocks, std::int64_t repeat) {
    container_summary figures =
        summarise_container(blocks, report_rules(report.types), report.container.size);
    weight_figures weights =
        figures.weight
            ? weight_figures_of(blocks, report.types, report.container, report.balance_share)
            : weight_figures{};
    report.loads.push_back(
        {std::move(heading), std::move(blocks), repeat, std::move(figures), std::move(weights)});
}

std::string pallets_text(std::int64_t count, const std::string& item_name) {
    return std::to_string(count) + text::pallets_count_middle + item_name;
}

loading_report mixed_loading_report(const std::string& container_name,
                                    const container_space& container,
                                    const std::vector<carton_type>& cartons, const mixed_plan& plan,
                                    const mixed_summary& summary,
                                    std::optional<double> balance_share) {
    loading_report r;
    r.container = {container_name, container.size, container.payload};
    for (std::size_t i = 0; i < cartons.size(); ++i) {
        r.types.push_back(
            {cartons[i].name, cartons[i].size, cartons[i].weight, i, cartons[i].max_load});
    }
    r.balance_share = balance_share;
    const std::int64_t n = container_count(plan);
    std::int64_t first = 1;
    for (std::size_t k = 0; k < plan.containers.size(); ++k) {
        const container_load& load = plan.containers[k];
        std::string heading;
        if (n > 1) heading = containers_text(first, load.repeat, n);
        const container_summary& figures = summary.containers[k];
        weight_figures weights =
            figures.weight ? weight_figures_of(load.blocks, r.types, r.container, balance_share)
                           : weight_figures{};
        r.loads.push_back(
            {std::move(heading), load.blocks, load.repeat, figures, std::move(weights)});
        first += load.repeat;
    }
    r.order_containers = n;
    std::int64_t left = 0;
    for (const std::int64_t u : plan.unloaded) left += u;
    if (left > 0) {
        r.notes.push_back(text::unloaded_prefix + std::to_string(left) + text::unloaded_suffix);
        if (plan.cut_short) r.notes.emplace_back(text::mixed_cut_short);
    }
    return r;
}

}  // namespace varnel
