#pragma once

#include <QJsonArray>
#include <QJsonObject>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "engine/calculation.h"
#include "engine/core/block.h"
#include "engine/core/load_summary.h"
#include "engine/core/placement.h"
#include "engine/load_model.h"
#include "engine/single/pallet_load.h"

namespace varnel {

// What the planner knows of one plan, for scripts and other programs.
struct plan_facts {
    calculation_input input;  // millimetres
    bool single = false;
    bool upright = false;
    bool optimised = false;
    std::int64_t upper_bound = 0;
    block_list blocks;                      // positions in millimetres
    const stack_table* stacks = nullptr;    // the millimetre table the summary reads
    bool cut_short = false;                 // the clock's safety net ended the search early
    std::optional<double> carton_weight{};  // kg, when the order gives it
};

// A number as the program writes it (format_number: "80.03", "1E+14"), as
// a JSON number; the same in every locale.
double json_number(std::string_view written);

// Blocks as JSON objects: x, y, z, orientation, count_x, count_y, count_z.
QJsonArray blocks_json(const block_list& blocks);

// A pallet's layer patterns: per layer its cartons' x, y, length and width
// on the deck, in millimetres as the program writes them.
QJsonArray layer_patterns_json(const pallet_plan& plan);

// The rules of a plan of the input's one carton size.
std::vector<carton_rules> one_carton(const calculation_input& in);

// The loading order of `blocks` as the report's steps: each step's corner
// (x, y, z), one carton's size as it stands, its counts and its wall
// (from 1 at the far end), in millimetres; with its type when `typed`.
QJsonArray steps_json(const block_list& blocks, std::span<const carton_rules> types, bool typed);

// A load's weight in the shape every plan's JSON gives it: "weight" (kg)
// and "centre_of_gravity" ({x, y, z}, mm), each null where a weight is
// unknown; with `balance` also "balanced" and "offset" ({x, y}, mm from the
// container's middle).
void add_weight_json(QJsonObject& json, const cargo_figures& figures,
                     const std::optional<balance_figures>& balance);

// The weight of `blocks` of one carton size weighing `carton_weight` each,
// judged by the default band, added as add_weight_json adds it.
void add_carton_weight_json(QJsonObject& json, const block_list& blocks,
                            const calculation_input& input, double carton_weight);

// One JSON object: container and carton sizes, the options, the counts, the
// utilisation as its text shows it, the bound, every block and the loading
// steps; for an
// optimised plan also whether the clock cut its search short; with a carton
// weight, the load's weight, centre of gravity and balance.
QJsonObject plan_json(const plan_facts& facts);

}  // namespace varnel
