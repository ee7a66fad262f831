// Weighed orders into as many containers as they take (best in a Release
// build): BR instances made into orders, each type's quantity times
// --times, planned without weights and with the weights of br_weights under
// every rule (what each carton bears, those nothing may stand on, heavy not
// on light, the balance band of 5 %). Every container is checked by the
// placement checker, carton by carton by the independent weight check and
// for a loading order a crew can follow. Prints per order the containers of
// both plans against two lower bounds: the volume's (and the payload's,
// when given), and the planner's own (fewest_containers), which also counts
// the room lost over cartons that stand only on the floor with nothing on
// them; the last container's utilisation, the share of containers
// balanced, the CPU time of each plan; and the totals.
//
//   weighed_order_report [--classes FIRST-LAST] [--instances P,P,...] [--times N]
//                        [--payload KG] [--budget UNITS] [--weighed-only] [--detail]
//                        [--set NAME=VALUE]...
//
// --detail prints each container's cartons per type on the error output;
// --set changes a parameter of the order's planning (favour_put_off,
// poor_container, replan_divisor, balance_trade).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/loading_walls.h"
#include "engine/mixed/mixed_load.h"
#include "engine/single/mixed_one_type.h"
#include "tests/support/carton_loads.h"
#include "tests/support/mixed_lists.h"

namespace {

using namespace varnel;

struct options {
    std::size_t first = 1, last = 15;
    std::vector<int> instances{1, 51};
    std::int64_t times = 3;
    std::optional<double> payload;
    std::optional<std::uint64_t> budget;
    bool weighed_only = false;
    bool detail = false;
    std::vector<std::pair<std::string, double>>
        sets;  // parameters by name  // each container's cartons per type on the error output
};

// Instance p of class c times `times`; weighed, with every rule, when
// `weighed`.
mixed_request order_of(std::size_t c, int p, const options& o, bool weighed) {
    mixed_request r = test_support::br_order(c, p, o.times, weighed);
    r.payload = o.payload;
    if (o.budget) r.parameters.work_budget = *o.budget;
    for (const auto& [name, value] : o.sets) {
        if (name == "favour_put_off") r.parameters.favour_put_off = value;
        if (name == "poor_container") r.parameters.poor_container = value;
        if (name == "replan_divisor")
            r.parameters.replan_divisor = static_cast<std::uint64_t>(value);
        if (name == "balance_trade") r.parameters.balance_trade = value;
    }
    return r;
}

// The containers the volume of `r` fills at the least, or its weight the
// payload when given.
std::int64_t volume_bound(const mixed_request& r) {
    double volume = 0.0, weight = 0.0;
    for (const carton_type& t : r.cartons) {
        volume += static_cast<double>(t.quantity) * t.size[0] * t.size[1] * t.size[2];
        weight += static_cast<double>(t.quantity) * t.weight.value_or(0.0);
    }
    double most = volume / (r.container[0] * r.container[1] * r.container[2]);
    if (r.payload) most = std::max(most, weight / *r.payload);
    return static_cast<std::int64_t>(std::ceil(most * (1 - 1e-12)));
}

struct result {
    std::int64_t containers = 0;
    double last = 0.0;  // the last container's utilisation, per cent
    std::int64_t balanced = 0;
    std::int64_t unloaded = 0;
    std::size_t faults = 0;
    double cpu_ms = 0.0;
    std::string utilisations;  // each container's, per cent
};

double utilisation(const mixed_request& r, const container_load& load) {
    double v = 0.0;
    for (std::size_t t = 0; t < r.cartons.size(); ++t) {
        const auto& s = r.cartons[t].size;
        v += static_cast<double>(load.loaded[t]) * s[0] * s[1] * s[2];
    }
    return 100.0 * v / (r.container[0] * r.container[1] * r.container[2]);
}

result plan(const mixed_request& r, const std::string& name, bool detail) {
    result out;
    const std::clock_t cpu = std::clock();
    const mixed_plan plan = plan_mixed_load(r);
    out.cpu_ms = 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    const std::vector<carton_rules> rules = rules_of(r.cartons);
    const bool heavy = r.weights.heavy_not_on_light && weighed(r.cartons);
    std::ostringstream each;
    for (const container_load& load : plan.containers) {
        const placement_report report =
            check_placement(load.blocks, rules, {r.container, r.payload}, {heavy, std::nullopt});
        const std::string weights = test_support::weight_fault(load.blocks, rules, heavy);
        const bool ordered = loading_walls(load.blocks, rules).check.valid();
        if (!report.valid() || !weights.empty() || !ordered) {
            ++out.faults;
            std::fprintf(stderr, "%s: rule %d, %s, order %s\n", name.c_str(),
                         static_cast<int>(report.fault), weights.c_str(),
                         ordered ? "ok" : "broken");
        }
        const std::optional<balance_figures> f =
            balance_of(load.blocks, rules, {r.container, r.payload}, 0.05);
        if (!f || f->holds) out.balanced += load.repeat;
        out.containers += load.repeat;
        if (detail) {
            std::fprintf(stderr, "%s container %lld:", name.c_str(),
                         static_cast<long long>(out.containers));
            for (std::size_t t = 0; t < load.loaded.size(); ++t) {
                if (load.loaded[t] > 0)
                    std::fprintf(stderr, " %s:%lld", r.cartons[t].name.c_str(),
                                 static_cast<long long>(load.loaded[t]));
            }
            std::fprintf(stderr, "\n");
        }
        out.last = utilisation(r, load);
        char text[32];
        std::snprintf(text, sizeof text, "%s%.1f%s", each.tellp() > 0 ? " " : "", out.last,
                      load.repeat > 1 ? ("x" + std::to_string(load.repeat)).c_str() : "");
        each << text;
    }
    for (const std::int64_t n : plan.unloaded) out.unloaded += n;
    out.utilisations = each.str();
    return out;
}

std::vector<int> numbers(const std::string& list) {
    std::vector<int> out;
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) out.push_back(std::atoi(item.c_str()));
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        if (a == "--classes" && more) {
            const std::string v = argv[++i];
            const std::size_t dash = v.find('-');
            o.first = std::strtoul(v.c_str(), nullptr, 10);
            o.last = dash == std::string::npos ? o.first
                                               : std::strtoul(v.c_str() + dash + 1, nullptr, 10);
        } else if (a == "--instances" && more) {
            o.instances = numbers(argv[++i]);
        } else if (a == "--times" && more) {
            o.times = std::atoll(argv[++i]);
        } else if (a == "--payload" && more) {
            o.payload = std::strtod(argv[++i], nullptr);
        } else if (a == "--budget" && more) {
            o.budget = std::strtoull(argv[++i], nullptr, 10);
        } else if (a == "--set" && more) {
            const std::string v = argv[++i];
            const std::size_t eq = v.find('=');
            if (eq == std::string::npos) return 2;
            o.sets.emplace_back(v.substr(0, eq), std::strtod(v.c_str() + eq + 1, nullptr));
        } else if (a == "--detail") {
            o.detail = true;
        } else if (a == "--weighed-only") {
            o.weighed_only = true;
        } else {
            std::fprintf(stderr,
                         "usage: weighed_order_report [--classes FIRST-LAST] [--instances P,...] "
                         "[--times N] [--payload KG] [--budget UNITS] [--weighed-only] [--detail] "
                         "[--set NAME=VALUE]...\n");
            return 2;
        }
    }
    std::printf("%-9s %5s %5s %5s %5s %7s %8s %7s %8s %8s  %s\n", "order", "bound", "cols", "none",
                "all", "last%", "balanced", "faults", "none ms", "all ms", "weighed utilisations");
    std::int64_t bound = 0, column = 0, none = 0, all = 0, balanced = 0, unloaded = 0;
    std::size_t faults = 0, orders = 0;
    double none_ms = 0.0, all_ms = 0.0, last = 0.0;
    for (std::size_t c = o.first; c <= o.last; ++c) {
        for (const int p : o.instances) {
            const std::string name = "BR" + std::to_string(c) + " #" + std::to_string(p);
            const mixed_request weighed_order = order_of(c, p, o, true);
            const std::int64_t volume = volume_bound(weighed_order);
            const std::int64_t columns = fewest_containers(weighed_order);
            result plain;
            if (!o.weighed_only) plain = plan(order_of(c, p, o, false), name + " none", o.detail);
            const result w = plan(weighed_order, name + " all", o.detail);
            std::printf("%-9s %5lld %5lld %5lld %5lld %7.1f %7.0f%% %7zu %8.0f %8.0f  %s\n",
                        name.c_str(), static_cast<long long>(volume),
                        static_cast<long long>(columns), static_cast<long long>(plain.containers),
                        static_cast<long long>(w.containers), w.last,
                        100.0 * static_cast<double>(w.balanced) /
                            static_cast<double>(std::max<std::int64_t>(1, w.containers)),
                        plain.faults + w.faults, plain.cpu_ms, w.cpu_ms, w.utilisations.c_str());
            std::fflush(stdout);
            ++orders;
            bound += volume;
            column += columns;
            none += plain.containers;
            all += w.containers;
            balanced += w.balanced;
            unloaded += plain.unloaded + w.unloaded;
            faults += plain.faults + w.faults;
            none_ms += plain.cpu_ms;
            all_ms += w.cpu_ms;
            last += w.last;
        }
    }
    const auto n = static_cast<double>(std::max<std::size_t>(1, orders));
    std::printf(
        "%-9s %5lld %5lld %5lld %5lld %7.1f %7.0f%% %7zu %8.0f %8.0f  unloaded %lld\n", "total",
        static_cast<long long>(bound), static_cast<long long>(column), static_cast<long long>(none),
        static_cast<long long>(all), last / n,
        100.0 * static_cast<double>(balanced) / static_cast<double>(std::max<std::int64_t>(1, all)),
        faults, none_ms, all_ms, static_cast<long long>(unloaded));
    return faults == 0 ? 0 : 1;
}
