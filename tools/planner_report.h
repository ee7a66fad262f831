#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/core/block.h"
#include "engine/loading_steps.h"
#include "engine/shipment.h"

namespace varnel {

// The planner's --report FILE (.pdf or .xlsx) and --paper A4|Letter.
struct report_arguments {
    std::optional<std::string> file;
    std::optional<std::string> paper;

    // A paper size needs a report to print on it.
    bool complete() const { return file || !paper; }
};

// Their lines of the planner's usage text.
extern const char* const report_usage;

// Takes the report option at args[i] with its value and moves i past it;
// false when args[i] is neither, repeats one, or lacks its value.
bool take_report_argument(const std::vector<std::string>& args, std::size_t& i,
                          report_arguments& r);

// The refusal of a report's file name or paper, before anything is planned.
std::optional<std::string> check_report_arguments(const report_arguments& r);

// What the planner knows of the plan it made.
struct planner_plan {
    calculation_input sizes;
    block_list blocks;  // the whole plan's: the optimised search's or the standard
    bool optimised = false;
    std::string container_name;     // as typed after --container-type; empty for typed sizes
    std::string plan_file;          // -o FILE, if any
    std::optional<double> payload;  // kg
    std::optional<shipment_order> order;
    std::optional<shipment> shipped;  // with --quantity: the report is of its last container
};

// The report of the plan, or of a shipment's last container.
loading_report planner_report(const planner_plan& plan);

// Writes any report to the --report file, atomically: a plan of one size
// fills it with planner_report, a mixed order with a load per container.
// On failure prints the message to `err` and gives the exit status.
std::optional<int> write_report(const report_arguments& r, const loading_report& report,
                                std::ostream& err);

}  // namespace varnel
