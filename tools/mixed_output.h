#pragma once

#include <QJsonObject>

#include <string>
#include <vector>

#include "engine/mixed/mixed_summary.h"
#include "plan/mixed_plan_format.h"

namespace varnel {

// The planner's texts of a mixed plan: per container its number, the
// utilisation, the cartons, types and cargo weight and a line per type; then
// the total, what is left unloaded and a note when the payload went
// unchecked.
std::vector<std::string> mixed_lines(const mixed_plan_file& plan, const mixed_summary& summary);

// The plan as one JSON object: container, types, containers (with their
// blocks) and unloaded; sizes and positions in millimetres, weights in kg.
QJsonObject mixed_json(const mixed_plan_file& plan, const mixed_summary& summary);

}  // namespace varnel
