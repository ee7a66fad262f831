#pragma once

#include <QJsonObject>

#include <string>
#include <vector>

#include "engine/mixed/mixed_summary.h"
#include "plan/mixed_plan_format.h"

namespace varnel {

// The planner's texts of a mixed plan: per container, or run of identical
// containers, its number, the utilisation, the cartons, types and cargo
// weight and a line per type; then the total, what is left unloaded, a note
// when the payload went unchecked and one when the plan was cut short.
std::vector<std::string> mixed_lines(const mixed_plan_file& plan, const mixed_summary& summary);

// The plan as one JSON object: container, types, containers (each run of
// identical ones once, with its repeat and blocks), unloaded and cut_short;
// sizes and positions in millimetres, weights in kg.
QJsonObject mixed_json(const mixed_plan_file& plan, const mixed_summary& summary);

}  // namespace varnel
