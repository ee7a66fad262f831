#pragma once

#include <QByteArray>

#include <optional>

#include "engine/loading_steps.h"

namespace varnel {

// The steps as a spreadsheet (.xlsx): a sheet per container, a row per
// step, numbers as numbers (centimetres, counts), each type's name on its
// colour. Written by libxlsxwriter; none when it fails.
std::optional<QByteArray> report_xlsx(const loading_report& report);

}  // namespace varnel
