#pragma once

// The loading instructions of a plan as data: the steps a loader follows and
// the figures of each loaded container. Every kind of plan fills the same
// report: a standard or optimised plan, a shipment's container and each
// container of a mixed order. Pure C++, no Qt: the PDF and the spreadsheet
// only lay it out.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/core/block.h"
#include "engine/core/load_summary.h"
#include "engine/core/loading_walls.h"
#include "engine/core/placement.h"
#include "engine/mixed/mixed_summary.h"
#include "engine/mixed/request.h"

namespace varnel {

// One carton type as the report names it.
struct report_carton {
    std::string name;                  // empty: the report names it by its size
    std::array<double, 3> size{};      // length, width, height in millimetres
    std::optional<double> weight;      // kg per carton, when known
    std::size_t colour = 0;            // its colour in the type palette
    std::optional<double> max_load{};  // kg one carton may carry on its top
    // A loaded pallet of an order: what it holds, "（纸箱A，每托48箱）";
    // empty for a carton.
    std::string pallet_load{};
    // The cartons one item holds: a loaded pallet's; 1 for a carton. The
    // running total of the steps counts cartons by it.
    std::int64_t cartons_each = 1;
};

// A pallet type of an order on pallets, as its page shows it: the layers
// seen from above and the lines that word them.
struct report_pallet {
    std::string title;             // "欧标托盘（纸箱A）"
    std::array<double, 2> deck{};  // the deck's length and width, mm
    // Each layer's cartons: x and length along the deck's length, y and
    // width across it, mm; the second, when layers alternate, the mirror.
    std::vector<std::vector<std::array<double, 4>>> layers;
    std::vector<std::string> lines;
};

// "3个欧标托盘（纸箱A，每托48箱）": a step or a container's count of a
// loaded pallet, named by the pallet's item name.
std::string pallets_text(std::int64_t count, const std::string& item_name);

// The container as the report names it.
struct report_container {
    std::string name;               // a catalogue type; empty for a typed size
    std::array<double, 3> size{};   // x across (width), y along (length), z up; mm
    std::optional<double> payload;  // kg, when known
};

// One step: whole rows of a block of the plan, or neighbouring such parts
// forming one box, in the order a loader puts them in.
struct loading_step {
    carton_block part;      // the step's cartons
    std::size_t block = 0;  // index into the load's blocks: where its first carton comes from
    std::size_t wall = 0;   // counted from 0 at the far end
    std::size_t type = 0;
    std::int16_t orientation = 1;
    std::int16_t columns = 0;  // across the container
    std::int16_t rows = 0;     // along it
    std::int16_t layers = 0;   // up
    std::int64_t cartons = 0;
    // One carton's extent across, along and up, in millimetres.
    std::array<double, 3> carton{};
    // Where the block's first carton stands: from the left wall (seen from
    // the door), from the far end and from the floor, in millimetres.
    double from_left = 0.0;
    double from_far_end = 0.0;
    double from_floor = 0.0;
    std::int64_t running_total =
        0;  // cartons loaded once this step is done, a pallet by its cartons
};

// The steps of a load in the order a crew follows from the door
// (loading_walls), with its walls, and where the plan admits no such order,
// the first step that breaks a rule. Blocks with no cartons, or of a type
// not in `types`, are left out.
struct loading_instructions {
    std::vector<loading_step> steps;
    std::vector<wall_span> walls;
    order_check check;
};

loading_instructions instructions_of(const block_list& blocks,
                                     std::span<const report_carton> types);

// The steps alone.
std::vector<loading_step> loading_steps(const block_list& blocks,
                                        std::span<const report_carton> types);

// How a carton of this orientation stands, in a loader's words: which of its
// sides runs along the container's length and which points up.
std::string stance_text(std::int16_t orientation);

// "3列 × 2排 × 5层": columns across, rows along, layers up.
std::string count_text(const loading_step& step);

// "85 × 60 × 40 cm": a size in millimetres written in centimetres.
std::string size_text(const std::array<double, 3>& millimetres);

// Millimetres as the whole centimetres a tape measure reads (halves away
// from zero), never "-0": the report's positions.
double whole_cm(double millimetres);

// A type's name as the report prints it: its own, else its size.
std::string type_name(const report_carton& carton);

// The band a load is balanced within unless the user sets another, and the
// band a plan of one size is judged by: the centre of gravity within 5 % of
// the container's length and width from its middle.
inline constexpr double default_balance_share = 0.05;

// What a load's weights come to beyond its summary: its balance against
// the band and the carton nearest what it may carry.
struct weight_figures {
    // With a balance band: where the centre lies against it.
    std::optional<balance_figures> balance;
    // The most a carton carries, kg, and what its type may carry: the
    // carton nearest its limit, or the most carried when no type has one.
    std::optional<double> most_carried;
    std::optional<double> carried_allowed;
};

// The weight figures of `blocks`; none unless every carton's weight is known.
weight_figures weight_figures_of(const block_list& blocks, std::span<const report_carton> types,
                                 const report_container& container,
                                 std::optional<double> balance_share = std::nullopt);

// One container's load in a report.
struct report_load {
    std::string heading;      // "第2个集装箱" when the report holds several; else empty
    block_list blocks;        // in any order
    std::int64_t repeat = 1;  // containers in a row that load exactly this
    // One container's figures: summarise_container over the report's types
    // and container, worked out once where the load is made (add_load).
    container_summary figures{};
    weight_figures weights{};
};

// Everything a report shows. The caller fills the names and the date; a
// mixed order fills one load per run of identical containers.
struct loading_report {
    report_container container;
    std::vector<report_carton> types;
    std::vector<report_load> loads;
    std::string plan_kind;                // what kind of plan, in the report's words
    std::string plan_name;                // the plan's or its file's name; may be empty
    std::string date;                     // as printed
    std::int64_t order_containers = 0;    // containers the whole order takes; 0: not an order
    std::vector<std::string> notes;       // lines the summary adds as they are
    std::optional<double> balance_share;  // the band the plan was balanced within
    // An order on pallets: a page per pallet type before the containers.
    std::vector<report_pallet> pallets{};
};

// The report of a mixed order: the packing list as its types (each in the
// colour of its place in the list, as the window draws it) and one load per
// run of identical containers, headed "第k个集装箱（共n个）" or
// "第1至1064个集装箱（每个相同）" when there are several. The caller names
// the plan's kind, its file and the date.
// `summary` is the plan's, whose figures the loads take as they are.
loading_report mixed_loading_report(const std::string& container_name,
                                    const container_space& container,
                                    const std::vector<carton_type>& cartons, const mixed_plan& plan,
                                    const mixed_summary& summary,
                                    std::optional<double> balance_share = std::nullopt);

// Adds a load of `blocks` to `report`, summarised over the report's types,
// container and balance band, which must be set first.
void add_load(loading_report& report, std::string heading, block_list blocks,
              std::int64_t repeat = 1);

}  // namespace varnel
