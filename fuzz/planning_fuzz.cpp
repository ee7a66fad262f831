// Any six sizes the window or varnel-plan accepts are planned: the standard
// calculation, the bound and, on a small budget, the optimised plan and its
// part loads. None may convert a number out of range, run away or break a
// rule: the bound is never below a count, every optimised plan and part load
// passes the placement checker, every part load fits the tables.
//
// The input: one byte of options (bit 0 单一摆放, bit 1 不可侧放, bit 2 the
// optimised plan), then the six sizes as typed, in centimetres, container
// first as varnel-plan reads them, separated by blanks.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/block_tables.h"
#include "engine/calculation.h"
#include "engine/core/placement.h"
#include "engine/single/optimise.h"
#include "engine/single/partial_load.h"
#include "engine/summary.h"

namespace {

using namespace varnel;

// A small budget keeps each input quick; the search's loops still run.
constexpr std::uint64_t fuzz_budget = 100'000;
// Up to here the checker's tolerance of a thousandth of a millimetre is far
// above the rounding of any sum of sides; beyond it only the bounds on
// counts and blocks are checked.
constexpr double checked_size = 1e7;

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\n' || c == '\t') {
            if (!word.empty()) out.push_back(word);
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) out.push_back(word);
    return out;
}

void check_plan(const block_list& blocks, const calculation_input& in, orientation_set allowed) {
    const carton_rules rules =
        single_carton(in.carton_length, in.carton_width, in.carton_height, allowed);
    if (!check_placement(blocks, std::span(&rules, 1), optimised_room(in)).valid()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const unsigned options = data[0];
    const bool single = (options & 1u) != 0;
    const orientation_set allowed = orientations_of((options & 2u) == 0);
    const std::vector<std::string> sizes =
        words(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    if (sizes.size() != 6) return 0;
    const auto read =
        read_calculation_input({sizes[3], sizes[4], sizes[5], sizes[0], sizes[1], sizes[2]});
    const auto* in = std::get_if<calculation_input>(&read);
    if (in == nullptr) return 0;

    load_model model;
    run_calculation(model, *in, single, side_placement_allowed(allowed));
    const std::int64_t standard = count_plan(model.stacks).cartons;
    const std::int64_t bound = upper_bound(*in, single, allowed);
    if (bound < standard) std::abort();
    if ((options & 4u) == 0) return 0;

    const optimised_plan plan = optimise_plan({*in, single, allowed, fuzz_budget});
    if (plan.blocks.size() > 29 || plan.cartons > plan.upper_bound ||
        carton_count(plan.blocks) != plan.cartons ||
        (plan.standard_supported && plan.cartons < standard))
        std::abort();
    const bool checked = in->container_length < checked_size &&
                         in->container_width < checked_size && in->container_height < checked_size;
    if (checked) check_plan(plan.blocks, *in, allowed);
    const box_size carton{in->carton_length, in->carton_width, in->carton_height};
    for (std::int64_t k : {std::int64_t{1}, plan.cartons / 2, plan.cartons - 1}) {
        if (k <= 0 || k >= plan.cartons) continue;
        const block_list part = partial_load(plan.blocks, carton, k);
        if (part.size() > 31 || carton_count(part) != k) std::abort();
        if (checked) check_plan(part, *in, allowed);
    }
    return 0;
}
