// The optimised planner against the standard calculation and the upper bound on
// the seeded benchmark set: prints the report table, or with --attacks the
// times of inputs that once ran away (see bench/worst_inputs.sh), or with --instances the
// set itself (one line per instance) for the peer's script, with --counts
// each instance's cartons and time (to compare two versions of the search),
// or with --peer FILE the comparison with the peer's counts and times. Every
// plan is checked with the engine's placement checker: the report counts the
// cartons short of support (there must be none) and the instances whose
// standard plan has some, where the optimised plan may load fewer.
// VARNEL_WORK_BUDGET overrides the work budget, VARNEL_SECONDS_CAP the
// clock's safety net (to compare counts on a busy machine), VARNEL_EVERY=N
// plans every Nth instance only (a quick look while tuning), and
// VARNEL_COUNTS_FILE names a file for the --counts lines beside the table.
#include <algorithm>
#include <atomic>
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
#include <thread>
#include <vector>

#include "bench/bench_instances.h"
#include "engine/core/placement.h"
#include "engine/single/optimise.h"

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
    std::int64_t unsupported = 0;  // cartons short of support, or invalid plans
    bool upright = false, capped = false, budget = false, standard_supported = true;
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
    std::vector<double> standard_ratio, ratio, standard_vol, vol, ms, cpu_ms, gain;
    std::size_t proven = 0, standard_proven = 0, gained = 0, below = 0, capped = 0, budget = 0,
                largest = 0, standard_short = 0, below_short = 0;
    std::int64_t unsupported = 0;
    for (const row& r : rows) {
        const double b = static_cast<double>(r.bound), vb = static_cast<double>(r.volume_bound);
        standard_ratio.push_back(d(r.standard) / b);
        ratio.push_back(d(r.cartons) / b);
        standard_vol.push_back(d(r.standard) / vb);
        vol.push_back(d(r.cartons) / vb);
        ms.push_back(r.ms);
        cpu_ms.push_back(r.cpu_ms);
        unsupported += r.unsupported;
        standard_short += !r.standard_supported;
        below_short += !r.standard_supported && r.cartons < r.standard;
        proven += r.cartons >= r.bound;
        standard_proven += r.standard >= r.bound;
        if (r.cartons > r.standard) {
            ++gained;
            gain.push_back(static_cast<double>(r.cartons - r.standard) /
                           static_cast<double>(r.standard));
        }
        below += r.standard_supported && r.cartons < r.standard;
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
    std::printf("cartons short of support: %lld; largest block count %zu\n",
                static_cast<long long>(unsupported), largest);
    std::printf(
        "below a standard plan that stands: %zu; standard plans with a carton short of "
        "support: %zu, below those: %zu\n",
        below, standard_short, below_short);
    std::printf(
        "time ms: median %.2f, p90 %.2f, p99 %.2f, max %.2f; budget spent %zu, clock cap hit %zu\n",
        percentile(ms, 50), percentile(ms, 90), percentile(ms, 99), percentile(ms, 100), budget,
        capped);
    std::printf("processor ms: median %.2f, p90 %.2f, p99 %.2f, max %.2f\n", percentile(cpu_ms, 50),
                percentile(cpu_ms, 90), percentile(cpu_ms, 99), percentile(cpu_ms, 100));
}

double cpu_ms_since(std::clock_t start) {
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Inputs that once ran for minutes, took gigabytes or would not stop: the
// bound's time, the whole search's time and how long a cancel takes to end
// it. Sizes in millimetres.
void attacks() {
    struct attack {
        const char* name;
        calculation_input in;
        bool upright;

        orientation_set allowed() const {
            return upright ? orientation_set::upright() : orientation_set::any();
        }
    };
    const attack list[] = {
        {"worked example", {600, 850, 400, 2350, 5900, 2390}, false},
        {"container 4,910 m long", {600, 850, 400, 2350, 4'910'000, 2390}, false},
        {"container 13,107 m long", {600, 850, 400, 2350, 13'106'800, 2390}, false},
        {"cube of 4,636 m, upright", {150, 150, 150, 4'636'350, 4'636'350, 4'636'350}, true},
        {"cube of 4,636 m", {150, 150, 150, 4'636'350, 4'636'350, 4'636'350}, false},
        {"floor of 40 km, upright", {6100, 6500, 6000, 40'000'000, 40'000'000, 7000}, true},
        {"largest floats", {1.1e34f, 1.1e34f, 1.1e34f, 3.4e38f, 3.4e38f, 3.4e38f}, false},
        {"largest floats, upright", {1.1e34f, 1.1e34f, 1.1e34f, 3.4e38f, 3.4e38f, 3.4e38f}, true},
        {"45 ft, small cartons, upright", {173, 161, 157, 2347, 13556, 2696}, true},
        {"45 ft, small cartons", {173, 161, 157, 2347, 13556, 2696}, false},
    };
    std::printf("%-32s %10s %10s %10s %12s %14s\n", "input", "bound ms", "search ms", "cancel ms",
                "units", "stop");
    for (const attack& a : list) {
        std::clock_t start = std::clock();
        (void)upper_bound(a.in, false, a.allowed());
        const double bound_ms = cpu_ms_since(start);
        start = std::clock();
        const optimised_plan plan = optimise_plan({a.in, false, a.allowed()});
        const double search_ms = cpu_ms_since(start);
        // Cancelled a tenth of a second in (or at once when quicker): the
        // time from the flag to the search's return.
        std::atomic<bool> cancel{false};
        std::chrono::steady_clock::time_point returned;
        std::thread worker([&] {
            (void)optimise_plan({a.in, false, a.allowed(), default_work_budget, &cancel});
            returned = std::chrono::steady_clock::now();
        });
        std::this_thread::sleep_for(
            std::chrono::duration<double, std::milli>(std::min(100.0, search_ms / 2)));
        const auto flagged = std::chrono::steady_clock::now();
        cancel = true;
        worker.join();
        const double cancel_ms =
            std::max(0.0, std::chrono::duration<double, std::milli>(returned - flagged).count());
        const char* stops[] = {"finished", "budget", "cancelled", "clock"};
        std::printf("%-32s %10.1f %10.1f %10.1f %12llu %14s\n", a.name, bound_ms, search_ms,
                    cancel_ms, static_cast<unsigned long long>(plan.work),
                    stops[static_cast<int>(plan.stop)]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<bench_instance> set = benchmark_set();
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--attacks") {
        attacks();
        return 0;
    }
    if (mode == "--instances") {
        // Sizes in millimetres: container width, length, height, carton
        // length, width, height; upright (0/1); the upper bound.
        for (const bench_instance& b : set) {
            const calculation_input& in = b.input;
            std::printf("%g %g %g %g %g %g %d %lld\n", d(in.container_width),
                        d(in.container_length), d(in.container_height), d(in.carton_length),
                        d(in.carton_width), d(in.carton_height), b.upright ? 1 : 0,
                        static_cast<long long>(upper_bound(in, false, b.allowed())));
        }
        return 0;
    }
    std::vector<row> rows;
    const char* every_text = std::getenv("VARNEL_EVERY");
    const std::size_t every =
        every_text ? std::max<std::size_t>(1, std::strtoull(every_text, nullptr, 10)) : 1;
    for (std::size_t index = 0; index < set.size(); index += every) {
        const bench_instance& b = set[index];
        optimise_request request{b.input, false, b.allowed()};
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
        r.capped = plan.cut_short();
        r.budget = plan.budget_spent();
        r.standard_supported = plan.standard_supported;
        const carton_rules rules = single_carton(b.input.carton_length, b.input.carton_width,
                                                 b.input.carton_height, b.allowed());
        const placement_report check =
            check_placement(plan.blocks, std::span(&rules, 1), {container_axes(b.input), {}});
        r.unsupported = check.valid() ? 0 : std::max<std::int64_t>(1, check.unsupported_cartons);
        if (!check.valid())
            std::fprintf(stderr, "instance %zu: placement fault %d\n", index,
                         static_cast<int>(check.fault));
        r.index = index;
        rows.push_back(r);
    }
    // Index, upright (0/1), cartons, milliseconds, blocks, processor
    // milliseconds (steadier than the clock on a busy machine).
    const auto print_counts = [&rows](std::FILE* out) {
        for (const row& r : rows) {
            std::fprintf(out, "%zu %d %lld %.2f %zu %.2f\n", r.index, r.upright ? 1 : 0,
                         static_cast<long long>(r.cartons), r.ms, r.blocks, r.cpu_ms);
        }
    };
    if (mode == "--counts") {
        print_counts(stdout);
        return 0;
    }
    if (const char* file = std::getenv("VARNEL_COUNTS_FILE")) {
        if (std::FILE* out = std::fopen(file, "w")) {
            print_counts(out);
            std::fclose(out);
        }
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
            const auto it = std::find_if(rows.begin(), rows.end(),
                                         [&](const row& r) { return r.index == index; });
            if (it == rows.end()) continue;
            ++solved;
            const row& r = *it;
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
