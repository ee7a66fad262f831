// The optimised planner against the standard calculation and the upper bound on
// the seeded benchmark set: prints the report table, or with --instances the
// set itself (one line per instance) for the peer's script, with --counts
// each instance's cartons and time (to compare two versions of the search),
// or with --peer FILE the comparison with the peer's counts and times. VARNEL_WORK_BUDGET
// overrides the work budget, VARNEL_SECONDS_CAP the clock's safety net (to
// compare counts on a busy machine).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_instances.h"
#include "engine/optimise.h"

namespace {

using namespace varnel;

template <typename T>
double d(T v) {
    return static_cast<double>(v);
}

struct row {
    std::int64_t standard = 0, cartons = 0, bound = 0, volume_bound = 0;
    double ms = 0.0, cpu_ms = 0.0;
    std::size_t blocks = 0;
    bool upright = false, capped = false, budget = false;
    std::size_t index = 0;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    const auto k = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(v.size())));
    return v[std::min(v.size() - 1, k == 0 ? 0 : k - 1)];
}
double mean(const std::vector<double>& v) {
    return v.empty() ? 0.0
                     : std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

std::int64_t volume_bound(const calculation_input& in) {
    return static_cast<std::int64_t>(std::floor(
        static_cast<double>(in.container_width) * in.container_length * in.container_height /
        (static_cast<double>(in.carton_length) * in.carton_width * in.carton_height)));
}

void report(const char* title, const std::vector<row>& rows) {
    std::vector<double> standard_ratio, ratio, standard_vol, vol, ms, gain;
    std::size_t proven = 0, standard_proven = 0, gained = 0, below = 0, capped = 0, budget = 0,
                largest = 0;
    for (const row& r : rows) {
        const double b = static_cast<double>(r.bound), vb = static_cast<double>(r.volume_bound);
        standard_ratio.push_back(d(r.standard) / b);
        ratio.push_back(d(r.cartons) / b);
        standard_vol.push_back(d(r.standard) / vb);
        vol.push_back(d(r.cartons) / vb);
        ms.push_back(r.ms);
        proven += r.cartons >= r.bound;
        standard_proven += r.standard >= r.bound;
        if (r.cartons > r.standard) {
            ++gained;
            gain.push_back(static_cast<double>(r.cartons - r.standard) /
                           static_cast<double>(r.standard));
        }
        below += r.cartons < r.standard;
        capped += r.capped;
        budget += r.budget;
        largest = std::max(largest, r.blocks);
    }
    std::printf("\n== %s: %zu instances ==\n", title, rows.size());
    std::printf("%-34s %10s %10s\n", "", "standard", "optimised");
    std::printf("%-34s %9.2f%% %9.2f%%\n", "cartons/bound mean", 100 * mean(standard_ratio),
                100 * mean(ratio));
    std::printf("%-34s %9.2f%% %9.2f%%\n", "cartons/bound median",
                100 * percentile(standard_ratio, 50), 100 * percentile(ratio, 50));
    std::printf("%-34s %9.2f%% %9.2f%%\n", "cartons/bound 10th percentile",
                100 * percentile(standard_ratio, 10), 100 * percentile(ratio, 10));
    std::printf("%-34s %9.2f%% %9.2f%%\n", "cartons/volume bound mean", 100 * mean(standard_vol),
                100 * mean(vol));
    std::printf("%-34s %9.2f%% %9.2f%%\n", "proven optimal",
                100.0 * d(standard_proven) / d(rows.size()), 100.0 * d(proven) / d(rows.size()));
    std::printf("gain over the standard plan: %.2f%% of instances, mean gain %.2f%% where gained\n",
                100.0 * d(gained) / d(rows.size()), 100 * mean(gain));
    std::printf("below the standard plan: %zu; largest block count %zu\n", below, largest);
    std::printf(
        "time ms: median %.2f, p90 %.2f, p99 %.2f, max %.2f; budget spent %zu, clock cap hit %zu\n",
        percentile(ms, 50), percentile(ms, 90), percentile(ms, 99), percentile(ms, 100), budget,
        capped);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<bench_instance> set = benchmark_set();
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--instances") {
        // Sizes in millimetres: container width, length, height, carton
        // length, width, height; upright (0/1); the upper bound.
        for (const bench_instance& b : set) {
            const calculation_input& in = b.input;
            std::printf("%g %g %g %g %g %g %d %lld\n", d(in.container_width),
                        d(in.container_length), d(in.container_height), d(in.carton_length),
                        d(in.carton_width), d(in.carton_height), b.upright ? 1 : 0,
                        static_cast<long long>(upper_bound(in, false, b.upright)));
        }
        return 0;
    }
    std::vector<row> rows;
    for (const bench_instance& b : set) {
        optimise_request request{b.input, false, b.upright};
        if (const char* budget = std::getenv("VARNEL_WORK_BUDGET")) {
            request.work_budget = std::strtoull(budget, nullptr, 10);
        }
        if (const char* cap = std::getenv("VARNEL_SECONDS_CAP")) {
            request.seconds_cap = std::strtod(cap, nullptr);
        }
        const std::clock_t cpu_start = std::clock();
        const auto start = std::chrono::steady_clock::now();
        const optimised_plan plan = optimise_plan(request);
        const auto stop = std::chrono::steady_clock::now();
        row r;
        r.standard = plan.standard_cartons;
        r.cartons = plan.cartons;
        r.bound = plan.upper_bound;
        r.volume_bound = volume_bound(b.input);
        r.ms = std::chrono::duration<double, std::milli>(stop - start).count();
        r.cpu_ms = 1000.0 * static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
        r.blocks = plan.blocks.size();
        r.upright = b.upright;
        r.capped = plan.clock_cap_hit;
        r.budget = plan.budget_spent;
        r.index = rows.size();
        rows.push_back(r);
    }
    if (mode == "--counts") {
        // Index, upright (0/1), cartons, milliseconds, blocks, processor
        // milliseconds (steadier than the clock on a busy machine).
        for (const row& r : rows) {
            std::printf("%zu %d %lld %.2f %zu %.2f\n", r.index, r.upright ? 1 : 0,
                        static_cast<long long>(r.cartons), r.ms, r.blocks, r.cpu_ms);
        }
        return 0;
    }
    std::vector<row> upright, free;
    for (const row& r : rows) (r.upright ? upright : free).push_back(r);
    report("all", rows);
    report("upright (不可侧放)", upright);
    report("all six orientations", free);

    if (mode == "--worst") {
        // The instances furthest below their bound, to aim the search at.
        std::vector<row> sorted = rows;
        std::sort(sorted.begin(), sorted.end(), [](const row& a, const row& b) {
            return d(a.cartons) / d(a.bound) < d(b.cartons) / d(b.bound);
        });
        for (bool up : {true, false}) {
            std::printf("\nworst %s:\n", up ? "upright" : "six orientations");
            int shown = 0;
            for (const row& r : sorted) {
                if (r.upright != up || shown >= 20) continue;
                ++shown;
                const calculation_input& in = set[r.index].input;
                std::printf("#%zu %gx%gx%g carton %gx%gx%g: %lld of %lld (%.2f%%), %zu blocks\n",
                            r.index, d(in.container_width), d(in.container_length),
                            d(in.container_height), d(in.carton_length), d(in.carton_width),
                            d(in.carton_height), static_cast<long long>(r.cartons),
                            static_cast<long long>(r.bound), 100 * d(r.cartons) / d(r.bound),
                            r.blocks);
            }
        }
    }

    if (mode == "--peer" && argc > 2) {
        // One line per instance the peer solved: index, cartons, milliseconds.
        std::ifstream peer(argv[2]);
        std::size_t index = 0, solved = 0, fewer = 0;
        std::int64_t count = 0;
        double ms = 0.0;
        std::vector<double> peer_ms, our_ms, peer_share, our_share;
        while (peer >> index >> count >> ms) {
            if (index >= rows.size()) continue;
            ++solved;
            const row& r = rows[index];
            if (r.cartons < count) {
                ++fewer;
                std::printf("peer loads more on instance %zu: %lld > %lld\n", index,
                            static_cast<long long>(count), static_cast<long long>(r.cartons));
            }
            peer_ms.push_back(ms);
            our_ms.push_back(r.ms);
            peer_share.push_back(static_cast<double>(count) / static_cast<double>(r.bound));
            our_share.push_back(static_cast<double>(r.cartons) / static_cast<double>(r.bound));
        }
        std::printf("\n== peer: %zu instances solved ==\n", solved);
        std::printf(
            "cartons/bound mean: peer %.2f%%, ours %.2f%%; instances where the peer loads more: "
            "%zu\n",
            100 * mean(peer_share), 100 * mean(our_share), fewer);
        std::printf(
            "time ms: peer median %.1f p90 %.1f p99 %.1f max %.1f; ours median %.2f max %.2f\n",
            percentile(peer_ms, 50), percentile(peer_ms, 90), percentile(peer_ms, 99),
            percentile(peer_ms, 100), percentile(our_ms, 50), percentile(our_ms, 100));
    }
    return 0;
}
