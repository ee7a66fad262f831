#include "engine/loading_steps.h"

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
        rules.push_back(r);
    }
    return rules;
}

std::string cm_text(double millimetres) { return size_text_cm(static_cast<float>(millimetres)); }

}  // namespace

std::vector<loading_step> loading_steps(const block_list& blocks,
                                        std::span<const report_carton> types) {
    std::vector<loading_step> steps;
    std::int64_t total = 0;
    for (const std::size_t i : loading_order(blocks, report_rules(types))) {
        const carton_block& b = blocks[i];
        loading_step s;
        s.block = i;
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
        total += s.cartons;
        s.running_total = total;
        steps.push_back(s);
    }
    return steps;
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

std::string type_name(const report_carton& carton) {
    return carton.name.empty() ? size_text(carton.size) : carton.name;
}

void add_load(loading_report& report, std::string heading, block_list blocks, std::int64_t repeat) {
    container_summary figures =
        summarise_container(blocks, report_rules(report.types), report.container.size);
    report.loads.push_back({std::move(heading), std::move(blocks), repeat, std::move(figures)});
}

loading_report mixed_loading_report(const std::string& container_name,
                                    const container_space& container,
                                    const std::vector<carton_type>& cartons, const mixed_plan& plan,
                                    const mixed_summary& summary) {
    loading_report r;
    r.container = {container_name, container.size, container.payload};
    for (std::size_t i = 0; i < cartons.size(); ++i) {
        r.types.push_back({cartons[i].name, cartons[i].size, cartons[i].weight, i});
    }
    const std::int64_t n = container_count(plan);
    std::int64_t first = 1;
    for (std::size_t k = 0; k < plan.containers.size(); ++k) {
        const container_load& load = plan.containers[k];
        std::string heading;
        if (n > 1) heading = containers_text(first, load.repeat, n);
        r.loads.push_back({std::move(heading), load.blocks, load.repeat, summary.containers[k]});
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
