// The pallet loading problem's report (best in a Release build). First a
// seeded sample of the Cover I set (bench/cover_instances.h): per layer the
// cartons the layer search lays against its bound (a layer at its bound is
// proven optimal, counted by the bound that proves it), against the
// guillotine patterns alone, and its time.
// Then the delivered pallets under seeded export cartons, planned whole by
// plan_pallet: cartons per pallet, the share proven optimal, the share that
// interlocks, and the time. Every pattern and plan is checked with the
// engine's placement checker.
//
//   pallet_report [--list] [SAMPLE_SIZE]
//
// --list prints the layers short of their bound. VARNEL_WORK_BUDGET sets the
// work budget of every layer and pallet.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "bench/cover_instances.h"
#include "engine/block_tables.h"
#include "engine/core/placement.h"
#include "engine/single/layer_search.h"
#include "engine/single/pallet_load.h"

namespace {

using namespace varnel;

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    const auto k = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(v.size())));
    return v[std::min(v.size() - 1, k == 0 ? 0 : k - 1)];
}

double share(std::size_t part, std::size_t whole) {
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

double cpu_ms_since(std::clock_t start) {
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

std::uint64_t budget() {
    const char* text = std::getenv("VARNEL_WORK_BUDGET");
    return text ? std::strtoull(text, nullptr, 10) : default_work_budget;
}

bool layer_fits(const pattern2d& layer, const cover_instance& c) {
    block_list blocks;
    for (const rect_grid& g : layer.grids) {
        blocks.push_back({g.u, g.v, 0.0, static_cast<std::int16_t>(g.turned ? 3 : 1),
                          static_cast<std::int16_t>(g.nu), static_cast<std::int16_t>(g.nv), 1, 0});
    }
    const carton_rules rules = single_carton(c.l, c.w, 1.0, orientation_set::upright());
    return check_placement(blocks, std::span(&rules, 1), {{1.0 * c.L, 1.0 * c.W, 1.0}, {}})
               .valid() &&
           carton_count(blocks) == layer.count;
}

void cover_report(std::size_t size, bool list) {
    const std::vector<cover_instance> set = cover_one_sample(size);
    std::vector<double> ms;
    std::size_t proven = 0, one_short = 0, more_short = 0, beyond_cuts = 0, incomplete = 0,
                invalid = 0, above_bound = 0;
    // Layers proven optimal, by the bound that proves them.
    std::size_t proven_by[3] = {};
    std::int64_t cartons = 0, bounds = 0;
    for (std::size_t k = 0; k < set.size(); ++k) {
        const cover_instance& c = set[k];
        work_meter meter(budget(), nullptr, 10.0);
        const std::clock_t start = std::clock();
        const layer_result found = best_layer(c.L, c.W, c.l, c.w, meter);
        ms.push_back(cpu_ms_since(start));
        work_meter cuts_meter(budget(), nullptr, 10.0);
        const std::int64_t by_cuts = best_pattern(c.L, c.W, c.l, c.w, cuts_meter).count;
        const std::int64_t n = found.pattern.count, gap = found.bound - n;
        cartons += n;
        bounds += found.bound;
        proven += gap <= 0;
        if (gap <= 0) ++proven_by[static_cast<std::size_t>(found.bound_by)];
        above_bound += gap < 0;
        one_short += gap == 1;
        more_short += gap > 1;
        beyond_cuts += n > by_cuts;
        incomplete += !found.complete;
        invalid += !layer_fits(found.pattern, c);
        if (list && gap > 0) {
            std::printf("#%zu pallet %d x %d, boxes %d x %d: %lld of at most %lld%s\n", k, c.L, c.W,
                        c.l, c.w, static_cast<long long>(n), static_cast<long long>(found.bound),
                        found.complete ? "" : " (search cut short)");
        }
    }
    std::printf("\n== Cover I sample: %zu layers (1 <= L/W <= 2, 1 <= l/w <= 4, LW/lw < 51) ==\n",
                set.size());
    std::printf("at the bound (proven optimal)        %6zu  %6.2f%%\n", proven,
                share(proven, set.size()));
    const char* by_name[3] = {"area, bar waste, lines", "the same on its class (Dowsland)",
                              "linear relaxation"};
    for (std::size_t b = 0; b < 3; ++b) {
        std::printf("  proven by %-34s %6zu  %6.2f%%\n", by_name[b], proven_by[b],
                    share(proven_by[b], set.size()));
    }
    std::printf("one carton below the bound           %6zu  %6.2f%%\n", one_short,
                share(one_short, set.size()));
    std::printf("two or more below                    %6zu  %6.2f%%\n", more_short,
                share(more_short, set.size()));
    std::printf("above every guillotine pattern       %6zu  %6.2f%%\n", beyond_cuts,
                share(beyond_cuts, set.size()));
    std::printf("search cut short by the budget       %6zu\n", incomplete);
    std::printf(
        "cartons laid %lld of at most %lld; patterns failing the checker: %zu, above their "
        "bound: %zu\n",
        static_cast<long long>(cartons), static_cast<long long>(bounds), invalid, above_bound);
    std::printf("processor ms per layer: median %.3f, p90 %.3f, p99 %.2f, max %.1f\n",
                percentile(ms, 50), percentile(ms, 90), percentile(ms, 99), percentile(ms, 100));
}

void pallet_report(std::size_t per_pallet, bool any_side) {
    const struct {
        const char* name;
        pallet_measures measures;
    } pallets[] = {{"欧标托盘", {1200, 800, 144, 25, 1500, 1000}},
                   {"标准托盘", {1200, 1000, 150, 25, 1500, 1000}},
                   {"美标托盘", {1219, 1016, 150, 25, 1500, 1000}},
                   {"亚标托盘", {1100, 1100, 150, 25, 1500, 1000}}};
    std::mt19937 random(any_side ? 41 : 40);
    // Export cartons: sides of whole millimetres from 150 to 700, 2 to 30 kg.
    const auto side = [&random] { return 150.0 + static_cast<double>(random() % 551); };
    std::printf("\n== Delivered pallets, %zu export cartons each, %s ==\n", per_pallet,
                any_side ? "on any side" : "upright (不可侧放)");
    std::printf("%-10s %10s %8s %8s %11s %9s %9s %9s\n", "pallet", "cartons", "proven", "by weight",
                "interlocked", "median ms", "p90 ms", "max ms");
    std::vector<double> all_ms;
    std::size_t all_proven = 0, all = 0, faults = 0;
    for (const auto& p : pallets) {
        std::vector<double> ms;
        std::size_t proven = 0, by_weight = 0, interlocked = 0;
        double cartons = 0.0;
        for (std::size_t k = 0; k < per_pallet; ++k) {
            pallet_request r{.pallet = p.measures,
                             .carton = {side(), side(), side()},
                             .carton_weight = 2.0 + static_cast<double>(random() % 281) / 10.0,
                             .any_side = any_side,
                             .work_budget = budget()};
            const std::clock_t start = std::clock();
            const auto result = plan_pallet(r);
            ms.push_back(cpu_ms_since(start));
            const auto* plan = std::get_if<pallet_plan>(&result);
            if (plan == nullptr) continue;  // a carton too tall for the load height
            const carton_rules rules =
                single_carton(r.carton[0], r.carton[1], r.carton[2],
                              any_side ? orientation_set::any() : orientation_set::upright());
            faults +=
                !check_placement(
                     plan->blocks, std::span(&rules, 1),
                     {{p.measures.width, p.measures.length, p.measures.load_height}, std::nullopt})
                     .valid();
            cartons += static_cast<double>(plan->cartons);
            proven += plan->proven_optimal();
            by_weight += plan->limit == pallet_limit::weight;
            interlocked += plan->interlocked;
        }
        std::printf("%-10s %10.1f %7.1f%% %7.1f%% %10.1f%% %9.2f %9.2f %9.1f\n", p.name,
                    cartons / static_cast<double>(per_pallet), share(proven, per_pallet),
                    share(by_weight, per_pallet), share(interlocked, per_pallet),
                    percentile(ms, 50), percentile(ms, 90), percentile(ms, 100));
        all_ms.insert(all_ms.end(), ms.begin(), ms.end());
        all_proven += proven;
        all += per_pallet;
    }
    std::printf(
        "all: proven optimal %.2f%%, processor ms median %.2f, p99 %.1f; plans failing the "
        "checker: %zu\n",
        share(all_proven, all), percentile(all_ms, 50), percentile(all_ms, 99), faults);
}

}  // namespace

int main(int argc, char** argv) {
    bool list = false;
    std::size_t size = 3000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list") {
            list = true;
        } else {
            size = std::strtoull(argv[i], nullptr, 10);
        }
    }
    cover_report(size, list);
    pallet_report(250, false);
    pallet_report(100, true);
    return 0;
}
