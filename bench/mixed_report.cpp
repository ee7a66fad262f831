// The mixed-load planner on the benchmark classes BR0-BR15, one container an
// instance (the single-container problem: load the most volume), with full
// support and the classes' vertical-side flags. Every plan is checked by the
// shared placement checker and its counts against the list; "order" counts
// the plans whose loading order from the door breaks a rule
// (check_loading_order), each named on the error output. Prints, per class
// and for BR1-7, BR8-15 and BR1-15, the mean utilisation (the loaded cartons'
// volume over the container's), the median and longest time, and the peer's
// utilisation beside ours when given.
//
//   mixed_report [--classes FIRST-LAST] [--sample N] [--peer FILE] [--results FILE]
//                [--set NAME=VALUE]...
//   mixed_report --instances [--classes ...] [--sample N]
//   mixed_report --scaling CARTONS [--set NAME=VALUE]...
//   mixed_report --single N [--set NAME=VALUE]...
//   mixed_report --weights [--all-rules|--bounds] [--classes ...] [--sample N]
//                [--set NAME=VALUE]...
//
// --sample N runs N instances a class, evenly spread (default all 100);
// --instances prints them for bench/peer instead; --scaling plans a list of
// 100 BR-like types holding CARTONS cartons in all into as many containers
// as it takes, and prints the time, the containers and the peak memory;
// --single plans the first N cartons of the optimised plan's seeded set
// (bench/bench_instances.h) as one-type lists and compares each count with
// optimise_plan's; --weights plans each instance weighed (br_weights) under
// no weight rules, the load cartons bear, heavy not on light too and the
// balance band of 5 % as well, and prints the four utilisations, the share
// of balanced containers (--all-rules: only the last, the others 0), the
// longest time, the plans that break a rule
// (by the shared checker or carton by carton) and a bound on what any plan
// loads when nothing may stand on the unstackable types, and one when
// besides no carton may stand on a lighter type, each also counting the
// carrying tops those cartons need (--bounds: only the bounds, nothing
// planned); --results writes
// each instance's utilisation and time (with --weights the four
// utilisations, the bound and whether it is balanced); --set changes a search parameter
// (work_budget, min_fill, max_blocks, combining_rounds, block_share_divisor,
// successors, first_width, max_width, loss_weight, thin_gap, most_fill_steps,
// two_orders_from_types, balance_trade, lighter_scale).
#include <sys/resource.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_instances.h"
#include "bench/br_instances.h"
#include "engine/core/loading_walls.h"
#include "engine/single/mixed_one_type.h"
#include "engine/single/optimise.h"
#include "tests/support/carton_loads.h"

namespace {

using namespace varnel;

struct run {
    std::size_t cls = 0;
    int problem = 0;
    double utilisation = 0.0;  // per cent
    double ms = 0.0, cpu_ms = 0.0;
    bool valid = true;
    std::string fault;
    // The first step of its first container a crew cannot load from the
    // floor by the door, and which rule it breaks.
    std::optional<std::size_t> order_step;
    order_fault order = order_fault::none;
};

struct options {
    std::size_t first = 0, last = 15, sample = 100;
    std::string peer, results;
    bool instances = false;
    bool weights = false;
    bool all_rules_only = false;  // --weights plans only under all the rules
    bool bounds_only = false;     // --weights plans nothing, prints the bounds
    std::int64_t scaling = 0;
    std::size_t single = 0;
    mixed_parameters parameters;
};

// Sets one search parameter by name; false when there is none of that name.
bool set_parameter(mixed_parameters& p, const std::string& name, const std::string& value) {
    const double v = std::strtod(value.c_str(), nullptr);
    const auto count = [v] { return static_cast<std::size_t>(v); };
    if (name == "work_budget") {
        p.work_budget = static_cast<std::uint64_t>(v);
    } else if (name == "min_fill") {
        p.min_fill = v;
    } else if (name == "max_blocks") {
        p.max_blocks = count();
    } else if (name == "combining_rounds") {
        p.combining_rounds = count();
    } else if (name == "successors") {
        p.successors = count();
    } else if (name == "first_width") {
        p.first_width = count();
    } else if (name == "max_width") {
        p.max_width = count();
    } else if (name == "loss_weight") {
        p.loss_weight = v;
    } else if (name == "thin_gap") {
        p.thin_gap = v;
    } else if (name == "most_fill_steps") {
        p.most_fill_steps = static_cast<std::int64_t>(v);
    } else if (name == "block_share_divisor") {
        p.block_share_divisor = static_cast<std::uint64_t>(v);
    } else if (name == "two_orders_from_types") {
        p.two_orders_from_types = count();
    } else if (name == "lighter_scale") {
        p.lighter_scale = v;
    } else if (name == "balance_trade") {
        p.balance_trade = v;
    } else {
        return false;
    }
    return true;
}

mixed_request request_of(const br_instance& b, const mixed_parameters& parameters) {
    mixed_request r;
    // x across (the width), y along (the length), z up; millimetres.
    r.container = {b.container[1] * 10.0, b.container[0] * 10.0, b.container[2] * 10.0};
    for (const br_type& t : b.types) {
        carton_type c;
        c.size = {t.sides[0] * 10.0, t.sides[1] * 10.0, t.sides[2] * 10.0};
        c.quantity = t.quantity;
        unsigned mask = 0;
        for (unsigned j = 0; j < 3; ++j) mask |= t.vertical[j] ? 1u << j : 0u;
        c.allowed = orientation_set::with_vertical_sides(mask);
        r.cartons.push_back(c);
    }
    r.max_containers = 1;
    r.parameters = parameters;
    return r;
}

// The plan against every rule and the list, by the shared checker and by
// counting its cartons afresh; empty when it keeps them all.
std::string fault_of(const mixed_request& r, const mixed_plan& plan, const weight_rules& w = {}) {
    std::vector<carton_rules> rules = rules_of(r.cartons);
    for (std::size_t t = 0; t < rules.size(); ++t) rules[t].quantity = r.cartons[t].quantity;
    std::vector<std::int64_t> counted(r.cartons.size(), 0);
    for (const container_load& load : plan.containers) {
        const placement_report report =
            check_placement(load.blocks, rules, {r.container, r.payload}, w);
        if (!report.valid()) return "rule " + std::to_string(static_cast<int>(report.fault));
        const std::string weights =
            test_support::weight_fault(load.blocks, rules, w.heavy_not_on_light);
        if (!weights.empty()) return weights;
        std::vector<std::int64_t> here(r.cartons.size(), 0);
        for (const carton_block& b : load.blocks) {
            here[b.type] += std::int64_t{b.count_x} * b.count_y * b.count_z;
        }
        if (here != load.loaded) return "counts per container";
        for (std::size_t t = 0; t < here.size(); ++t) counted[t] += here[t] * load.repeat;
    }
    for (std::size_t t = 0; t < counted.size(); ++t) {
        if (counted[t] > r.cartons[t].quantity ||
            counted[t] + plan.unloaded[t] != r.cartons[t].quantity)
            return "quantities";
    }
    return {};
}

double utilisation(const mixed_request& r, const mixed_plan& plan) {
    if (plan.containers.empty()) return 0.0;
    double v = 0.0;
    for (std::size_t t = 0; t < r.cartons.size(); ++t) {
        const auto& s = r.cartons[t].size;
        v += static_cast<double>(plan.containers[0].loaded[t]) * s[0] * s[1] * s[2];
    }
    return 100.0 * v / (r.container[0] * r.container[1] * r.container[2]);
}

run run_one(std::size_t cls, int p, const mixed_parameters& parameters) {
    const mixed_request r = request_of(br_problem(cls, p), parameters);
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    const mixed_plan plan = plan_mixed_load(r);
    run out;
    out.cpu_ms = 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    out.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    out.cls = cls;
    out.problem = p;
    out.utilisation = utilisation(r, plan);
    out.fault = fault_of(r, plan);
    out.valid = out.fault.empty();
    if (!plan.containers.empty()) {
        const order_check c = loading_walls(plan.containers[0].blocks, rules_of(r.cartons)).check;
        out.order = c.fault;
        out.order_step = c.step;
    }
    return out;
}

// The runs of classes lo to hi.
template <typename Run>
std::vector<Run> in_classes(const std::vector<Run>& all, std::size_t lo, std::size_t hi) {
    std::vector<Run> g;
    std::copy_if(all.begin(), all.end(), std::back_inserter(g),
                 [&](const Run& r) { return r.cls >= lo && r.cls <= hi; });
    return g;
}

std::vector<int> problems(std::size_t sample) {
    std::vector<int> v;
    const std::size_t n = std::clamp<std::size_t>(sample, 1, 100);
    for (std::size_t i = 0; i < n; ++i) v.push_back(static_cast<int>(1 + i * 100 / n));
    return v;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The peer's utilisation per instance: lines "class problem utilisation".
std::map<std::pair<std::size_t, int>, double> read_peer(const std::string& file) {
    std::map<std::pair<std::size_t, int>, double> peer;
    std::ifstream in(file);
    std::size_t c = 0;
    int p = 0;
    double u = 0.0;
    while (in >> c >> p >> u) peer[{c, p}] = u;
    return peer;
}

void print_row(const std::string& name, const std::vector<run>& runs,
               const std::map<std::pair<std::size_t, int>, double>& peer) {
    if (runs.empty()) return;
    std::vector<double> u, ms, peers;
    std::size_t faults = 0, unordered = 0;
    for (const run& r : runs) {
        unordered += r.order != order_fault::none;
        u.push_back(r.utilisation);
        ms.push_back(r.cpu_ms);
        faults += !r.valid;
        const auto it = peer.find({r.cls, r.problem});
        if (it != peer.end()) peers.push_back(it->second);
    }
    const double mean = std::accumulate(u.begin(), u.end(), 0.0) / static_cast<double>(u.size());
    std::printf("%-8s %5zu %8.2f %9.0f %9.0f %7zu %7zu", name.c_str(), runs.size(), mean,
                median(ms), *std::max_element(ms.begin(), ms.end()), faults, unordered);
    if (!peers.empty()) {
        std::printf(
            " %8.2f %5zu",
            std::accumulate(peers.begin(), peers.end(), 0.0) / static_cast<double>(peers.size()),
            peers.size());
    }
    std::printf("\n");
}

void print_instances(const options& o) {
    // One line a carton type: class, problem, container L W H (cm), then
    // sides, vertical flags and quantity.
    for (std::size_t c = o.first; c <= o.last; ++c) {
        for (const int p : problems(o.sample)) {
            const br_instance b = br_problem(c, p);
            std::printf("%zu %d %d %d %d %zu", c, p, b.container[0], b.container[1], b.container[2],
                        b.types.size());
            for (const br_type& t : b.types) {
                std::printf(" %d %d %d %d %d %d %lld", t.sides[0], t.sides[1], t.sides[2],
                            t.vertical[0], t.vertical[1], t.vertical[2],
                            static_cast<long long>(t.quantity));
            }
            std::printf("\n");
        }
    }
}

// 100 carton types with sides drawn as the BR classes draw them, `cartons`
// in all, into 40-foot high-cube containers until every one is loaded.
int scaling(std::int64_t cartons, const mixed_parameters& parameters) {
    mixed_request r;
    r.container = {2352, 12032, 2698};
    r.parameters = parameters;
    std::mt19937 random(23);
    for (std::size_t t = 0; t < 100; ++t) {
        const br_instance b = br_problem(15, static_cast<int>(1 + t % 100));
        const br_type& source = b.types[t];
        carton_type c;
        c.size = {source.sides[0] * 10.0, source.sides[1] * 10.0, source.sides[2] * 10.0};
        unsigned mask = 0;
        for (unsigned j = 0; j < 3; ++j) mask |= source.vertical[j] ? 1u << j : 0u;
        c.allowed = orientation_set::with_vertical_sides(mask);
        c.quantity = cartons / 100 + (static_cast<std::int64_t>(t) < cartons % 100 ? 1 : 0);
        r.cartons.push_back(c);
    }
    const std::clock_t cpu = std::clock();
    const mixed_plan plan = plan_mixed_load(r);
    const double seconds = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    std::int64_t left = 0;
    for (const std::int64_t u : plan.unloaded) left += u;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "%lld cartons: %lld containers (%zu planned), %lld left, %s%.2f s, peak %ld MB, %s\n",
        static_cast<long long>(cartons), static_cast<long long>(container_count(plan)),
        plan.containers.size(), static_cast<long long>(left), plan.cut_short ? "cut short, " : "",
        seconds, usage.ru_maxrss / 1024,
        fault_of(r, plan).empty() ? "valid" : fault_of(r, plan).c_str());
    return 0;
}

// One carton size as a one-type list against the optimised plan of that
// carton, on the optimised plan's seeded set.
int single(std::size_t n, const mixed_parameters& parameters) {
    std::size_t fewer = 0, fewer_supported = 0, more = 0, runs = 0;
    std::int64_t ours = 0, theirs = 0;
    double ms = 0.0, their_ms = 0.0;
    const std::vector<bench_instance> set = benchmark_set(n);
    for (std::size_t i = 0; i < set.size(); ++i) {
        const bench_instance& b = set[i];
        const calculation_input& in = b.input;
        std::clock_t cpu = std::clock();
        const optimised_plan their = optimise_plan({in, false, b.allowed()});
        their_ms += 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        mixed_request r = one_type_request(b, their.upper_bound + 1);
        r.parameters = parameters;
        cpu = std::clock();
        const mixed_plan plan = plan_mixed_load(r);
        ms += 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        const std::int64_t got = plan.containers.empty() ? 0 : plan.containers[0].loaded[0];
        const std::string fault = fault_of(r, plan);
        if (!fault.empty()) std::printf("%zu: %s\n", i, fault.c_str());
        // The optimised plan may stand cartons partly on air; only a fully
        // supported one is a plan the mixed planner could have made.
        const std::int64_t short_of_support = unsupported_cartons(
            their.blocks, std::vector{single_carton(in.carton_length, in.carton_width,
                                                    in.carton_height, b.allowed())});
        if (got < their.cartons) {
            ++fewer;
            fewer_supported += short_of_support == 0;
            std::printf("%zu%s: %lld < %lld (bound %lld, %lld cartons short of support)\n", i,
                        b.upright ? " upright" : "", static_cast<long long>(got),
                        static_cast<long long>(their.cartons),
                        static_cast<long long>(their.upper_bound),
                        static_cast<long long>(short_of_support));
        }
        more += got > their.cartons;
        ours += got;
        theirs += their.cartons;
        ++runs;
    }
    std::printf(
        "%zu cartons: fewer %zu (%zu against a fully supported plan), more %zu; %lld against %lld "
        "cartons; %.0f ms against %.0f ms a carton\n",
        runs, fewer, fewer_supported, more, static_cast<long long>(ours),
        static_cast<long long>(theirs), ms / static_cast<double>(runs),
        their_ms / static_cast<double>(runs));
    return 0;
}

// The weighed classes: each instance with the weights of br_weights, planned
// with no weight rules, with the load each carton bears (and those nothing
// may stand on), with heavy not on light too, and with the balance band of
// 5 % as well; every plan checked by the shared checker and carton by
// carton by an independent one.
struct weighed_run {
    std::size_t cls = 0;
    std::array<double, 4> utilisation{};
    double bound = 100.0;        // per cent: what the cartons nothing may stand on allow
    double heavy_bound = 100.0;  // the same, heavy not on light
    double cpu_ms = 0.0;         // the most of the four
    bool balanced = false;
    std::size_t faults = 0;
};

// The tallest side of `type` that may stand upright in `b`'s container: a
// carton of it on its least footprint; 0 when none fits the height.
double tallest_upright(const br_type& type, const br_instance& b) {
    double high = 0.0;
    for (std::size_t j = 0; j < 3; ++j) {
        if (type.vertical[j] && type.sides[j] <= b.container[2])
            high = std::max(high, static_cast<double>(type.sides[j]));
    }
    return high;
}

// A bound on the utilisation of a list whose `stackable` types may carry
// cartons: nothing stands on a carton that may carry none, so under full
// support no two of them lie one over the other and their bases, each at
// least its least footprint (the carton standing on its tallest allowed
// side), share the floor. The most volume they bring is a fractional
// knapsack of the floor by height; every other carton may come.
double stacking_bound(const br_instance& b, const std::vector<br_weight>& w) {
    const double floor = static_cast<double>(b.container[0]) * b.container[1];
    const double room = floor * b.container[2];
    double volume = 0.0;
    std::vector<std::pair<double, double>> tops;  // height, footprint of all of a type
    for (std::size_t t = 0; t < b.types.size(); ++t) {
        const br_type& type = b.types[t];
        const double one = static_cast<double>(type.sides[0]) * type.sides[1] * type.sides[2];
        const auto n = static_cast<double>(type.quantity);
        if (w[t].stackable) {
            volume += one * n;
            continue;
        }
        const double high = tallest_upright(type, b);
        if (high > 0.0) tops.emplace_back(high, one / high * n);
    }
    std::sort(tops.begin(), tops.end(), std::greater<>());
    double left = floor;
    for (const auto& [high, area] : tops) {
        const double used = std::min(area, left);
        volume += used * high;
        left -= used;
    }
    return 100.0 * std::min(volume, room) / room;
}

// The least of a function convex on [0, 1], by ternary search.
template <typename F>
double least_over_unit(F&& f) {
    double lo = 0.0, hi = 1.0;
    for (int k = 0; k < 100; ++k) {
        const double a = lo + (hi - lo) / 3, c = hi - (hi - lo) / 3;
        if (f(a) < f(c)) {
            hi = c;
        } else {
            lo = a;
        }
    }
    return f((lo + hi) / 2);
}

// A bound on the utilisation when, besides, no carton stands on a lighter
// type. An unstackable type heavier than every stackable one stands on the
// floor with nothing over it, so the room above it is lost; every type
// nothing may stand on still shares the floor. With n_u cartons of such a
// type u standing on their tallest allowed side (height h_u, footprint
// f_u): the volume T loaded is at most the room less the room lost over
// the floor-bound types, at most what the cartons bring, and their
// footprints at most the floor. The linear relaxation, by its Lagrangian
// dual: for each weight L between the two limits on T the best choice is a
// fractional knapsack of the floor, and the least over L bounds T.
double heavy_stacking_bound(const br_instance& b, const std::vector<br_weight>& w) {
    const double floor = static_cast<double>(b.container[0]) * b.container[1];
    const double high = static_cast<double>(b.container[2]);
    const double room = floor * high;
    double heaviest_stackable = 0.0, stackable_volume = 0.0;
    for (std::size_t t = 0; t < b.types.size(); ++t) {
        if (w[t].stackable) heaviest_stackable = std::max(heaviest_stackable, w[t].weight);
    }
    struct top {
        double height = 0.0, footprint = 0.0, count = 0.0;
        bool on_floor = false;
    };
    std::vector<top> tops;
    for (std::size_t t = 0; t < b.types.size(); ++t) {
        const br_type& type = b.types[t];
        const double one = static_cast<double>(type.sides[0]) * type.sides[1] * type.sides[2];
        if (w[t].stackable) {
            stackable_volume += one * static_cast<double>(type.quantity);
            continue;
        }
        const double h = tallest_upright(type, b);
        if (h > 0.0)
            tops.push_back(
                {h, one / h, static_cast<double>(type.quantity), w[t].weight > heaviest_stackable});
    }
    // The best of lambda * (room - lost) + (1 - lambda) * (volume brought).
    const auto dual = [&](double lambda) {
        std::vector<std::pair<double, const top*>> worth;  // value per floor area
        for (const top& u : tops) {
            const double value = (1 - lambda) * u.height * u.footprint -
                                 (u.on_floor ? lambda * u.footprint * (high - u.height) : 0.0);
            if (value > 0.0) worth.emplace_back(value / u.footprint, &u);
        }
        std::sort(worth.begin(), worth.end(),
                  [](const auto& x, const auto& y) { return x.first > y.first; });
        double left = floor, total = lambda * room + (1 - lambda) * stackable_volume;
        for (const auto& [per_area, u] : worth) {
            const double area = std::min(left, u->footprint * u->count);
            total += per_area * area;
            left -= area;
        }
        return total;
    };
    return 100.0 * std::min(least_over_unit(dual), room) / room;
}

// A bound that counts the tops cartons nothing may stand on need. Under
// full support such a carton stands on the floor, the room over it lost,
// or wholly on the tops of cartons that may carry it (heavy not on light:
// of types at least as heavy), each carrying top at most the largest
// footprint of its carton and used once; so the footprints of those on
// tops heavier than any weight w are at most the carrying tops of the
// types at least w heavy. The linear relaxation by the same Lagrangian
// dual: for a weight L on the room, each carton's footprint is worth its
// floor value at least, and placed on a top what it gains over that, a
// greedy fill of the nested carrying tops (a laminar system: greedy by
// gain is optimal). The floor's area is left out: the other bounds hold it.
double carrying_top_bound(const br_instance& b, const std::vector<br_weight>& w, bool heavy) {
    const double high = static_cast<double>(b.container[2]);
    const double room = static_cast<double>(b.container[0]) * b.container[1] * high;
    struct carrier {
        double weight = 0.0, top = 0.0;  // all its cartons' largest footprints
    };
    struct unstackable {
        double weight = 0.0, height = 0.0, footprint = 0.0;  // footprint: of all its cartons
    };
    std::vector<carrier> carriers;
    std::vector<unstackable> tops;
    double stackable_volume = 0.0;
    for (std::size_t t = 0; t < b.types.size(); ++t) {
        const br_type& type = b.types[t];
        const double one = static_cast<double>(type.sides[0]) * type.sides[1] * type.sides[2];
        const auto n = static_cast<double>(type.quantity);
        const double h = tallest_upright(type, b);
        if (w[t].stackable) {
            stackable_volume += one * n;
            double largest = 0.0;
            for (std::size_t j = 0; j < 3; ++j) {
                if (type.vertical[j] && type.sides[j] <= b.container[2])
                    largest = std::max(largest, one / type.sides[j]);
            }
            carriers.push_back({heavy ? w[t].weight : 0.0, largest * n});
        } else if (h > 0.0) {
            tops.push_back({heavy ? w[t].weight : 0.0, h, one / h * n});
        }
    }
    // The carrying top at least as heavy as each unstackable type.
    std::vector<double> capacity(tops.size(), 0.0);
    for (std::size_t u = 0; u < tops.size(); ++u) {
        for (const carrier& k : carriers) capacity[u] += k.weight >= tops[u].weight ? k.top : 0.0;
    }
    const auto dual = [&](double lambda) {
        double total = lambda * room + (1 - lambda) * stackable_volume;
        std::vector<std::pair<double, std::size_t>> gains;  // per area on a top
        for (std::size_t u = 0; u < tops.size(); ++u) {
            const unstackable& x = tops[u];
            const double on_floor =
                std::max(0.0, (1 - lambda) * x.height - lambda * (high - x.height));
            total += on_floor * x.footprint;
            gains.emplace_back((1 - lambda) * x.height - on_floor, u);
        }
        std::sort(gains.begin(), gains.end(), std::greater<>());
        // The area each type takes on tops; a type may take what is left of
        // every carrying top at or below its weight.
        std::vector<double> taken(tops.size(), 0.0);
        for (const auto& [gain, u] : gains) {
            double area = tops[u].footprint;
            for (std::size_t v = 0; v < tops.size(); ++v) {
                if (tops[v].weight > tops[u].weight) continue;
                double used = 0.0;
                for (std::size_t z = 0; z < tops.size(); ++z)
                    used += tops[z].weight >= tops[v].weight ? taken[z] : 0.0;
                area = std::min(area, capacity[v] - used);
            }
            taken[u] = std::max(0.0, area);
            total += gain * taken[u];
        }
        return total;
    };
    return 100.0 * std::min(least_over_unit(dual), room) / room;
}

weighed_run run_weighed(std::size_t cls, int p, const mixed_parameters& parameters,
                        bool all_rules_only, bool bounds_only) {
    const br_instance b = br_problem(cls, p);
    const std::vector<br_weight> w = br_weights(cls, p, b);
    weighed_run out;
    out.cls = cls;
    out.bound = std::min(stacking_bound(b, w), carrying_top_bound(b, w, false));
    out.heavy_bound =
        std::min({out.bound, heavy_stacking_bound(b, w), carrying_top_bound(b, w, true)});
    for (std::size_t rules = all_rules_only ? 3 : bounds_only ? 4 : 0; rules < 4; ++rules) {
        mixed_request r = request_of(b, parameters);
        for (std::size_t t = 0; t < w.size(); ++t) {
            r.cartons[t].weight = w[t].weight;
            if (rules >= 1) {
                r.cartons[t].max_load = w[t].max_load;
                r.cartons[t].stackable = w[t].stackable;
            }
        }
        r.weights = {rules >= 2, rules >= 3 ? std::optional<double>(0.05) : std::nullopt};
        const std::clock_t cpu = std::clock();
        const mixed_plan plan = plan_mixed_load(r);
        out.cpu_ms =
            std::max(out.cpu_ms, 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
        out.utilisation[rules] = utilisation(r, plan);
        const std::string fault = fault_of(r, plan, {r.weights.heavy_not_on_light, std::nullopt});
        if (!fault.empty()) {
            ++out.faults;
            std::fprintf(stderr, "BR%zu #%d rules %zu: %s\n", cls, p, rules, fault.c_str());
        }
        if (rules == 3 && !plan.containers.empty()) {
            const std::optional<balance_figures> f = balance_of(
                plan.containers[0].blocks, rules_of(r.cartons), {r.container, r.payload}, 0.05);
            out.balanced = !f || f->holds;
        }
    }
    return out;
}

void print_weighed(const std::string& name, const std::vector<weighed_run>& runs) {
    if (runs.empty()) return;
    std::array<double, 4> u{};
    double most = 0.0, bound = 0.0, heavy_bound = 0.0;
    std::size_t balanced = 0, faults = 0;
    for (const weighed_run& r : runs) {
        for (std::size_t k = 0; k < 4; ++k) u[k] += r.utilisation[k];
        bound += r.bound;
        heavy_bound += r.heavy_bound;
        most = std::max(most, r.cpu_ms);
        balanced += r.balanced;
        faults += r.faults;
    }
    const auto n = static_cast<double>(runs.size());
    std::printf("%-8s %5zu %8.2f %8.2f %8.2f %8.2f %8.0f %9.0f %7zu %8.2f %8.2f\n", name.c_str(),
                runs.size(), u[0] / n, u[1] / n, u[2] / n, u[3] / n,
                100.0 * static_cast<double>(balanced) / n, most, faults, bound / n,
                heavy_bound / n);
}

int weighed(const options& o) {
    std::printf("%-8s %5s %8s %8s %8s %8s %8s %9s %7s %8s %8s\n", "class", "runs", "none%",
                "bears%", "+heavy%", "all%", "balanced", "max ms", "faults", "bound%", "hbound%");
    std::vector<weighed_run> all;
    std::ofstream results;
    if (!o.results.empty()) results.open(o.results);
    for (std::size_t c = std::max<std::size_t>(o.first, 1); c <= o.last; ++c) {
        std::vector<weighed_run> runs;
        for (const int p : problems(o.sample)) {
            runs.push_back(run_weighed(c, p, o.parameters, o.all_rules_only, o.bounds_only));
            const weighed_run& r = runs.back();
            if (!results.is_open()) continue;
            results << c << ' ' << p;
            for (const double u : r.utilisation) results << ' ' << u;
            results << ' ' << r.bound << ' ' << r.heavy_bound << ' '
                    << (r.balanced ? "balanced" : "unbalanced") << ' ' << r.cpu_ms << '\n';
            results.flush();
        }
        print_weighed("BR" + std::to_string(c), runs);
        std::fflush(stdout);
        all.insert(all.end(), runs.begin(), runs.end());
    }
    print_weighed("BR1-7", in_classes(all, 1, 7));
    print_weighed("BR8-15", in_classes(all, 8, 15));
    return 0;
}

options parse(int argc, char** argv) {
    options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (a == "--classes") {
            std::sscanf(value, "%zu-%zu", &o.first, &o.last);
            ++i;
        } else if (a == "--sample") {
            o.sample = std::strtoul(value, nullptr, 10), ++i;
        } else if (a == "--peer") {
            o.peer = value, ++i;
        } else if (a == "--results") {
            o.results = value, ++i;
        } else if (a == "--weights") {
            o.weights = true;
        } else if (a == "--all-rules") {
            o.all_rules_only = true;
        } else if (a == "--bounds") {
            o.weights = o.bounds_only = true;
        } else if (a == "--instances") {
            o.instances = true;
        } else if (a == "--single") {
            o.single = std::strtoul(value, nullptr, 10), ++i;
        } else if (a == "--scaling") {
            o.scaling = std::strtoll(value, nullptr, 10), ++i;
        } else if (a == "--set") {
            const std::string v = value;
            const auto eq = v.find('=');
            if (eq == std::string::npos ||
                !set_parameter(o.parameters, v.substr(0, eq), v.substr(eq + 1))) {
                std::fprintf(stderr, "no parameter: %s\n", value);
                std::exit(2);
            }
            ++i;
        }
    }
    o.last = std::min<std::size_t>(o.last, 15);
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    const options o = parse(argc, argv);
    if (o.instances) {
        print_instances(o);
        return 0;
    }
    if (o.scaling > 0) return scaling(o.scaling, o.parameters);
    if (o.single > 0) return single(o.single, o.parameters);
    if (o.weights) return weighed(o);
    const auto peer =
        o.peer.empty() ? std::map<std::pair<std::size_t, int>, double>{} : read_peer(o.peer);
    std::ofstream results;
    if (!o.results.empty()) results.open(o.results);
    std::vector<run> all;
    std::printf("%-8s %5s %8s %9s %9s %7s %7s %8s\n", "class", "runs", "util%", "median ms",
                "max ms", "faults", "order", "peer%");
    for (std::size_t c = o.first; c <= o.last; ++c) {
        std::vector<run> runs;
        for (const int p : problems(o.sample)) {
            runs.push_back(run_one(c, p, o.parameters));
            const run& r = runs.back();
            if (results.is_open()) {
                results << c << ' ' << p << ' ' << r.utilisation << ' ' << r.cpu_ms << ' '
                        << (r.valid ? "ok" : r.fault) << '\n';
                results.flush();
            }
            if (!r.valid) std::fprintf(stderr, "BR%zu #%d: %s\n", c, p, r.fault.c_str());
            if (r.order_step) {
                std::fprintf(stderr, "BR%zu #%d: loading order rule %d at step %zu\n", c, p,
                             static_cast<int>(r.order), *r.order_step + 1);
            }
        }
        print_row("BR" + std::to_string(c), runs, peer);
        std::fflush(stdout);
        all.insert(all.end(), runs.begin(), runs.end());
    }
    print_row("BR1-7", in_classes(all, 1, 7), peer);
    print_row("BR8-15", in_classes(all, 8, 15), peer);
    print_row("BR1-15", in_classes(all, 1, 15), peer);
    return 0;
}
