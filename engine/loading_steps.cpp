#include "engine/loading_steps.h"

#include "engine/core/orientation.h"
#include "engine/core/placement.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/summary.h"

namespace varnel {

namespace {

std::vector<carton_rules> size_rules(std::span<const report_carton> types) {
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
void most_carried(load_figures& f, const block_list& blocks, std::span<const report_carton> types) {
    const std::vector<double> carried = loads_carried(blocks, size_rules(types));
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

std::vector<loading_step> loading_steps(const block_list& blocks,
                                        std::span<const report_carton> types) {
    std::vector<loading_step> steps;
    std::int64_t total = 0;
    for (const std::size_t i : loading_order(blocks, size_rules(types))) {
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

load_figures figures_of(const block_list& blocks, std::span<const report_carton> types,
                        const report_container& container, std::optional<double> balance_share) {
    load_figures f;
    f.cartons.assign(types.size(), 0);
    double volume = 0.0, weight = 0.0, moment = 0.0;
    bool weighed = true;
    for (const carton_block& b : blocks) {
        if (b.type >= types.size() || holds_nothing(b)) continue;
        const report_carton& t = types[b.type];
        const std::int64_t n = carton_count(b);
        f.cartons[b.type] += n;
        f.total += n;
        // As the summary counts a plan: the product of float sides in double.
        volume += t.size[1] * t.size[0] * t.size[2] * static_cast<double>(n);
        if (!t.weight) {
            weighed = false;
            continue;
        }
        // The cartons of a block weigh alike, so its weight acts at its middle.
        const double along = rotated(t.size, b.orientation)[1];
        weight += *t.weight * static_cast<double>(n);
        moment += *t.weight * static_cast<double>(n) * (b.y + along * b.count_y / 2.0);
    }
    const auto& c = container.size;
    const double space = c[1] * c[0] * c[2];
    if (volume > 0.0 && space > 0.0) f.utilisation = cut_percent(volume / space * 100.0);
    if (weighed && f.total > 0) {
        f.weight = weight;
        if (weight > 0.0) f.centre_along = moment / weight;
        most_carried(f, blocks, types);
        if (balance_share)
            f.balance = balance_of(blocks, size_rules(types), {container.size, container.payload},
                                   *balance_share);
    }
    return f;
}

loading_report mixed_loading_report(const std::string& container_name,
                                    const container_space& container,
                                    const std::vector<carton_type>& cartons, const mixed_plan& plan,
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
    for (const container_load& load : plan.containers) {
        std::string heading;
        if (n > 1) heading = containers_text(first, load.repeat, n);
        r.loads.push_back({std::move(heading), load.blocks, load.repeat});
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
