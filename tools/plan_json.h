#pragma once

#include <QJsonArray>
#include <QJsonObject>

#include <cstdint>
#include <string_view>

#include "engine/calculation.h"
#include "engine/core/block.h"
#include "engine/load_model.h"

namespace varnel {

// What the planner knows of one plan, for scripts and other programs.
struct plan_facts {
    calculation_input input;  // millimetres
    bool single = false;
    bool upright = false;
    bool optimised = false;
    std::int64_t upper_bound = 0;
    block_list blocks;                    // positions in millimetres
    const stack_table* stacks = nullptr;  // the millimetre table the summary reads
    bool cut_short = false;               // the clock's safety net ended the search early
};

// A number as the program writes it (format_number: "80.03", "1E+14"), as
// a JSON number; the same in every locale.
double json_number(std::string_view written);

// Blocks as JSON objects: x, y, z, orientation, count_x, count_y, count_z.
QJsonArray blocks_json(const block_list& blocks);

// One JSON object: container and carton sizes, the options, the counts, the
// utilisation as its text shows it, the bound and every block; for an
// optimised plan also whether the clock cut its search short.
QJsonObject plan_json(const plan_facts& facts);

}  // namespace varnel
