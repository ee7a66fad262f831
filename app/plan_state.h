#pragma once

// The plan the main window shows, as one value: the design's two tables and
// the kind of plan they belong to (a plan of one size, one container of an
// order shipped by it, or a mixed plan with the run of containers shown),
// with the moves from plan to plan as its functions. It holds no widget, so
// the moves are tested without a window; the window draws and words what it
// holds, and each kind gives the container shown in one form, as a loading
// report: its blocks, its carton types (sizes, names, colours, weights) and,
// through loading_steps, their order.

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "dialogs/kzhuangyun.h"
#include "engine/core/block.h"
#include "engine/load_model.h"
#include "engine/loading_steps.h"
#include "engine/mixed/mixed_summary.h"
#include "engine/shipment.h"
#include "plan/mixed_plan_format.h"
#include "view/mixed_drawing.h"

namespace varnel {

// A plan of one carton size; its tables are the state's.
struct single_plan {
    // The blocks the optimised search found, which the tables' floats cannot
    // give back exactly; none for a standard or an opened plan.
    std::optional<block_list> searched;
    // What was typed into "装运计划" over this plan last.
    std::optional<shipment_entries> shipment_typed;
};

// One container of an order shipped by a plan of one size, shown in the
// plan's place: the state's tables hold its part load.
struct shipment_part {
    single_plan plan;  // the plan shipped
    load_model whole;  // its tables: Save writes them, the next shipment ships by them
    // The part load as partial_load made it: read back from the tables it
    // would carry their float noise.
    block_list blocks;
    std::optional<shipment_order> order;  // as typed into the dialog
    std::optional<shipment> shipped;      // as the dialog worked it out
    std::int64_t cartons = 0;             // in the container shown
};

// A mixed plan, one run of identical containers shown at a time; the
// state's tables stay cleared.
struct mixed_shown {
    mixed_plan_file file;
    std::optional<QString> path;               // the .qrm it was opened from or saved to
    mixed_summary summary;                     // worked out once, for every view of the plan
    std::vector<std::array<double, 3>> sizes;  // each type's, for the drawing
    std::size_t container = 0;                 // the run shown
    std::vector<std::size_t> order;            // its blocks in loading order
    typed_steps steps;                         // the draw button's walk through them

    const container_load& load() const { return file.plan.containers[container]; }
    const container_summary& figures() const { return summary.containers[container]; }
    typed_load drawn() const { return {load().blocks, sizes, file.container.size}; }
    // The number of the run's first container among every container.
    std::int64_t first_number() const;
};

// What the catalogue calls the container and the carton of a plan of one
// size: the window looks them up when it makes a report.
struct catalogue_names {
    std::string container;
    std::optional<double> payload;  // kg
    std::string carton;
};

class plan_state {
public:
    using kind = std::variant<single_plan, shipment_part, mixed_shown>;

    // The design's two tables. Every plan of one size is calculated, read,
    // drawn, stepped through, summed up and saved through them, in place,
    // as the design does; a mixed plan leaves them cleared.
    load_model& tables() { return tables_; }
    const load_model& tables() const { return tables_; }

    const kind& shown() const { return kind_; }
    const mixed_shown* mixed() const { return std::get_if<mixed_shown>(&kind_); }
    mixed_shown* mixed() { return std::get_if<mixed_shown>(&kind_); }
    const shipment_part* part() const { return std::get_if<shipment_part>(&kind_); }

    // --- the moves ---------------------------------------------------------
    // The tables hold a plan anew, or none: calculated (with the optimised
    // search's blocks) or read from a file. What was kept of the plan
    // before goes, a shipment and a mixed plan with it.
    void replaced(std::optional<block_list> searched = std::nullopt);
    // The plan reset: no carton, both tables clear.
    void reset();
    // What was typed into the shipment dialog over the plan of one size.
    void keep_shipment_typed(shipment_entries typed);
    // The container of `cartons` of an order shipped by `whole` (the plan's
    // tables, with their sizes) replaces the tables, `whole` kept beside.
    // False, and nothing changed, when its part load does not go into the
    // tables.
    bool ship(load_model whole, std::int64_t cartons, std::optional<shipment_order> order,
              std::optional<shipment> shipped);
    // A mixed plan planned or opened, summarised once, its first run of
    // containers shown; the tables are cleared.
    void show_mixed(mixed_plan_file file, std::optional<QString> path = std::nullopt);
    // Run k of the mixed plan shown, its walk from the start; false, and
    // nothing changed, past the last run or without a mixed plan.
    bool show_container(std::size_t k);
    // The mixed plan was saved as `path`.
    void saved_as(QString path);

    // --- what is shown -----------------------------------------------------
    // The plan Save writes and a shipment ships by: the whole plan while one
    // of its containers is shown.
    const load_model& whole() const;
    // What the shipment dialog showed over this plan last.
    std::optional<shipment_entries> shipment_typed() const;
    // The tables draw a stack, or a mixed plan is shown.
    bool drawn() const;
    // The tables hold a planned stack, or a mixed plan is shown.
    bool reportable() const;
    // The run of the mixed plan holding container `number`, counted among
    // every container from 1; none outside.
    std::optional<std::size_t> run_of(std::int64_t number) const;
    // The blocks of the container shown as they were planned: the part load,
    // the optimised search's own, those the tables hold, or the run's.
    block_list blocks() const;
    // The loading report of the plan shown: a plan of one size or the
    // container shipped (named by `names`, with the order as typed), or
    // every container of a mixed plan. The caller adds its name and date.
    loading_report report(const catalogue_names& names) const;
    // Which of the report's loads is the container shown.
    std::size_t load_shown() const;

    // The plan shown as a view reads it, in one value: its kind, which of
    // the report's loads is the container shown, and the report, whose
    // loads hold the blocks with their carton types' sizes and the
    // container's size along x, y, z.
    struct view_of {
        const kind& shown;
        std::size_t load;
        loading_report report;
    };
    view_of view(const catalogue_names& names = {}) const;

private:
    const single_plan* single() const;

    load_model tables_;
    kind kind_;
};

}  // namespace varnel
