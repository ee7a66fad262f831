// Any packing list the planner accepts is planned on a small budget: every
// container keeps the rules, its counts are its blocks', and the containers,
// each run of identical ones counted, and what is left add up to the list. The input: one byte
// choosing the container (and whether it has a payload), then the list as CSV.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "engine/core/placement.h"
#include "engine/single/mixed_one_type.h"
#include "plan/packing_list.h"

namespace {

using namespace varnel;

// A small budget keeps each input quick; the search's loops still run.
constexpr std::uint64_t fuzz_budget = 200'000;

// Inner sizes x across, y along, z up, in millimetres.
constexpr std::array<std::array<double, 3>, 4> containers{{
    {2350, 5900, 2390},
    {2350, 12032, 2392},
    {2000, 3000, 1500},
    {800, 1200, 1000},
}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const container_space room{containers[data[0] % containers.size()],
                               (data[0] & 4) ? std::optional<double>(5000.0) : std::nullopt};
    auto read =
        read_packing_list_csv(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    auto* list = std::get_if<packing_list>(&read);
    if (list == nullptr || check_packing_list(*list, room)) return 0;

    mixed_request request;
    request.container = room.size;
    request.payload = room.payload;
    request.cartons = list->cartons;
    // Lists of a billion cartons would take as many containers.
    request.max_containers = 2;
    request.parameters.work_budget = fuzz_budget;
    const mixed_plan plan = plan_mixed_load(request);

    const auto rules = rules_of(request.cartons);
    if (plan.unloaded.size() != request.cartons.size()) std::abort();
    std::vector<std::int64_t> total = plan.unloaded;
    for (const container_load& load : plan.containers) {
        if (!check_placement(load.blocks, rules, room).valid()) std::abort();
        if (load.loaded.size() != total.size()) std::abort();
        if (load.repeat < 1) std::abort();
        for (const carton_block& b : load.blocks) {
            total.at(b.type) += std::int64_t{b.count_x} * b.count_y * b.count_z * load.repeat;
        }
    }
    for (std::size_t t = 0; t < total.size(); ++t) {
        if (total[t] != request.cartons[t].quantity) std::abort();
    }
    return 0;
}
