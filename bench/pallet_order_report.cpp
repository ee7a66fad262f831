// Orders on pallets into containers (best in a Release build): seeded
// orders of five palletised carton types and two loose ones, each type on a
// delivered pallet type, palletised and planned into 40-foot high cubes.
// Every container is checked with the engine's placement checker (every
// rule, heavy not on light among them), carton by carton by the independent
// weight check, for a loading order a crew can follow, and for pallets that
// stand on the floor or on pallets alone; every carton of the order must be
// on a pallet or loose in some container. The container count is compared
// with the lower bound: the largest of the volume's, the payload's and the
// floor the pallets cover (half a pallet's where it may stand two high).
//
//   pallet_order_report [ORDERS]
//
// VARNEL_WORK_BUDGET sets the mixed planner's budget per order (default
// 300 M units).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "engine/core/loading_walls.h"
#include "engine/single/mixed_one_type.h"
#include "engine/single/pallet_order.h"
#include "tests/support/carton_loads.h"
#include "tests/support/pallet_stacks.h"

namespace {

using namespace varnel;

// The delivered pallet types.
const std::array<std::pair<const char*, pallet_measures>, 4> pallets{{
    {"欧标托盘", {1200, 800, 144, 25, 1500, 1000}},
    {"标准托盘", {1200, 1000, 150, 25, 1500, 1000}},
    {"美标托盘", {1219, 1016, 150, 25, 1500, 1000}},
    {"亚标托盘", {1100, 1100, 150, 25, 1500, 1000}},
}};

// A 40-foot high cube: 235 cm across, 1203 cm along, 269 cm up.
const container_space high_cube{{2350, 12032, 2695}, 26'500};

std::uint64_t budget() {
    const char* text = std::getenv("VARNEL_WORK_BUDGET");
    return text ? std::strtoull(text, nullptr, 10) : 300'000'000;
}

// Five palletised types and two loose, export cartons of 20 to 60 cm and
// 3 to 25 kg, upright.
std::vector<order_line> seeded_order(std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> side(200, 600), count(40, 600), kg(3, 25);
    std::uniform_int_distribution<std::size_t> pallet(0, pallets.size() - 1);
    std::vector<order_line> lines;
    for (int k = 0; k < 7; ++k) {
        order_line line;
        line.carton.name = std::string(1, static_cast<char>('A' + k));
        line.carton.size = {1.0 * side(random), 1.0 * side(random), 1.0 * side(random)};
        line.carton.quantity = count(random) / (k < 5 ? 1 : 4);
        line.carton.weight = kg(random);
        line.carton.allowed = orientation_set::upright();
        if (k < 5) {
            const auto& p = pallets[pallet(random)];
            line.pallet = p.second;
            line.pallet_name = p.first;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The least containers any plan takes: by volume, by payload and by the
// floor the pallets cover. A pallet that may stand two high with another
// (their heights within the container's) covers at least half its own
// footprint: the lower of a pair is at least as large as the upper, which
// stands wholly on it.
std::int64_t lower_bound(const palletised_order& order, bool stackable) {
    const auto is_pallet = [&](std::size_t k) {
        const palletised_type* p = palletised_item(order.pallets, k);
        return p != nullptr && p->cartons_on(k) > 0;
    };
    const std::array<double, 3>& c = high_cube.size;
    double lowest = c[2];
    for (std::size_t k = 0; k < order.items.size(); ++k) {
        if (is_pallet(k)) lowest = std::min(lowest, order.items[k].size[2]);
    }
    double volume = 0.0, weight = 0.0, floor = 0.0;
    for (std::size_t k = 0; k < order.items.size(); ++k) {
        const carton_type& t = order.items[k];
        const double n = static_cast<double>(t.quantity);
        volume += n * t.size[0] * t.size[1] * t.size[2];
        weight += n * t.weight.value_or(0.0);
        if (!is_pallet(k)) continue;
        const bool pairs = stackable && t.size[2] + lowest <= c[2];
        floor += n * t.size[0] * t.size[1] * (pairs ? 0.5 : 1.0);
    }
    const double by_volume = std::ceil(volume / (c[0] * c[1] * c[2]) - 1e-9);
    const double by_weight = std::ceil(weight / *high_cube.payload - 1e-9);
    const double by_floor = std::ceil(floor / (c[0] * c[1]) - 1e-9);
    return static_cast<std::int64_t>(std::max({by_volume, by_weight, by_floor, 1.0}));
}

struct checked {
    bool rules = true, weights = true, order = true, on_pallets = true, every_carton = true;
    const char* order_fault_name = "ok";  // the first container's without an order, if any
};

checked check(const palletised_order& order, const mixed_plan& plan) {
    checked c;
    const std::vector<carton_rules> rules = rules_of(order.items);
    std::vector<std::int64_t> loaded = plan.unloaded;
    for (const container_load& load : plan.containers) {
        c.rules =
            c.rules && check_placement(load.blocks, rules, high_cube, {true, std::nullopt}).valid();
        c.weights = c.weights && test_support::weight_fault(load.blocks, rules, true).empty();
        const order_check walls = loading_walls(load.blocks, rules).check;
        if (c.order && !walls.valid()) {
            c.order_fault_name = walls.fault == order_fault::blocked        ? "blocked"
                                 : walls.fault == order_fault::out_of_reach ? "reach"
                                                                            : "support";
        }
        c.order = c.order && walls.valid();
        c.on_pallets =
            c.on_pallets && test_support::pallets_on_pallets(load.blocks, rules, order.pallets);
        for (const carton_block& b : load.blocks) loaded[b.type] += carton_count(b) * load.repeat;
    }
    for (std::size_t k = 0; k < loaded.size(); ++k)
        c.every_carton = c.every_carton && loaded[k] == order.items[k].quantity;
    return c;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint32_t orders = argc > 1 ? static_cast<std::uint32_t>(std::atoi(argv[1])) : 20;
    std::printf("%-6s %-9s %7s %10s %6s %6s %5s %6s %7s %7s %8s\n", "order", "stack", "pallets",
                "containers", "bound", "rules", "kg", "order", "pallets", "cartons", "ms");
    std::size_t plans = 0, at_bound = 0, one_above = 0, faults = 0, order_faults = 0;
    for (std::uint32_t seed = 1; seed <= orders; ++seed) {
        const std::vector<order_line> lines = seeded_order(seed);
        for (const bool stackable : {false, true}) {
            const std::clock_t start = std::clock();
            const auto made = palletise_order(lines, pallet_remainder::pallet, stackable);
            if (!std::holds_alternative<palletised_order>(made)) {
                std::printf("%-6u refused: line %zu\n", seed, std::get<order_refusal>(made).line);
                break;
            }
            const palletised_order& order = std::get<palletised_order>(made);
            mixed_request request;
            request.container = high_cube.size;
            request.payload = high_cube.payload;
            request.cartons = order.items;
            request.weights = {true, 0.05};
            request.parameters.work_budget = budget();
            const mixed_plan plan = plan_mixed_load(request);
            const double ms = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
            const checked c = check(order, plan);
            std::int64_t containers = 0, pallet_count = 0;
            for (const container_load& load : plan.containers) containers += load.repeat;
            for (std::size_t k = 0; k < order.items.size(); ++k) {
                const palletised_type* p = palletised_item(order.pallets, k);
                if (p != nullptr && p->cartons_on(k) > 0) pallet_count += order.items[k].quantity;
            }
            const std::int64_t bound = lower_bound(order, stackable);
            ++plans;
            at_bound += containers == bound;
            one_above += containers == bound + 1;
            faults += !(c.rules && c.weights && c.on_pallets && c.every_carton);
            order_faults += !c.order;
            const auto yes = [](bool ok) { return ok ? "ok" : "FAULT"; };
            std::printf("%-6u %-9s %7lld %10lld %6lld %6s %5s %6s %7s %7s %8.0f\n", seed,
                        stackable ? "two high" : "floor", static_cast<long long>(pallet_count),
                        static_cast<long long>(containers), static_cast<long long>(bound),
                        yes(c.rules), yes(c.weights), c.order_fault_name, yes(c.on_pallets),
                        yes(c.every_carton), ms);
        }
    }
    std::printf(
        "\n%zu plans: %zu at the lower bound, %zu one above it; %zu break a rule, %zu "
        "admit no loading order from the door\n",
        plans, at_bound, one_above, faults, order_faults);
    return faults == 0 ? 0 : 1;
}
