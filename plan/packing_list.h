#pragma once

// The packing list of a mixed load: one carton type per row, read from CSV
// or from the cells of a spreadsheet the same way. Pure C++: the fuzz target
// builds it without Qt.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/core/placement.h"
#include "engine/mixed/request.h"
#include "engine/shipment.h"

namespace varnel {

// One row of text cells and the line (or spreadsheet row) it starts on,
// counted from 1.
struct text_row {
    std::size_t line = 0;
    std::vector<std::string> cells;
};

using text_table = std::vector<text_row>;

// The columns a packing list knows, in the order the program writes them.
enum class list_field {
    name,
    length,
    width,
    height,
    quantity,
    weight,
    vertical,
    stackable,
    max_load,
    max_layers,
    pallet
};

inline constexpr std::size_t list_field_count = 11;

// The Chinese header of a field (名称, 长, ...), as the program writes it and
// names it in refusals.
std::string_view field_header(list_field field);

// Why a list was refused, naming where: the line and, when one cell is at
// fault, its column (counted from 0) and the field read there.
struct list_refusal {
    std::string message;  // the whole text, line and column included
    std::size_t line = 0;
    std::optional<std::size_t> column;
    std::optional<list_field> field;
};

struct packing_list {
    std::vector<carton_type> cartons;  // sizes in millimetres, as the planner takes them
    std::vector<std::size_t> lines;    // the line each type was read from
    // Each type's pallet type, by its catalogue name; empty: loose cartons.
    std::vector<std::string> pallets;
    // Where each field's column stands in the table (none: absent).
    std::array<std::optional<std::size_t>, list_field_count> columns{};
};

// The ways of standing a loader knows by name, as the list window offers
// them, with the sides each lets stand vertical (as orientation_set's mask:
// bit 0 the length, 1 the width, 2 the height).
struct named_stance {
    unsigned sides;
    const char* name;
};
extern const std::array<named_stance, 3> named_stances;

// The sides as a 可竖放 cell writes them: letters of 长宽高, empty for all
// three (a blank cell allows any).
std::string vertical_letters(unsigned sides);
// The name of any set of sides: a loader's name, or 仅, the sides and 可竖放.
std::string vertical_name(unsigned sides);

// The largest quantity of one carton type.
inline constexpr std::int64_t max_list_quantity = 1'000'000'000;

// The heaviest carton, in kilograms: as heavy as the shipment of one carton
// size takes.
inline constexpr double max_list_weight = max_carton_weight;

// The most carton types one list holds. Each container's plan keeps a count
// of every type, so lists far longer would outgrow memory and the planner's
// time; lists of real orders hold tens or hundreds.
inline constexpr std::size_t max_list_types = 1000;

// Whether rows of the same carton (size, the sides that may stand vertical,
// stackable and weight alike) stay apart, as a table shows them, or are
// merged into one type, their quantities added and their names joined with
// "、" (a blank name adds none), while the sum stays within
// max_list_quantity: an order whose lines repeat a carton is planned as
// simply as the carton is.
enum class same_cartons { kept_apart, merged };

// Splits CSV bytes into rows of cells: commas between cells, quotes around a
// cell that holds commas, quotes or line breaks ("" for a quote), CR LF, LF
// or CR ending a row; a UTF-8 BOM at the start is dropped. Refuses a quote
// left open or followed by more text in its cell. Cells keep their bytes:
// the reading checks that they are UTF-8.
std::variant<text_table, list_refusal> split_csv(std::string_view bytes);

// Reads a table whose first row that is not blank names the columns, in
// either language (名称/name, 长/length, 宽/width, 高/height, 数量/quantity,
// 毛重/weight, 可竖放/vertical, 可堆码/stackable, 承重/max_load, 最多层数/
// max_layers, 托盘/pallet), in any order; other columns
// are ignored, as are rows of blank cells. A 可竖放 cell holds the sides'
// letters (长宽高 or LWH) or any name vertical_name gives. Sizes are centimetres and weights
// kilograms, read by the program's number parser. The length, width, height
// and quantity columns are required; a blank name becomes "包装箱" and the
// type's number, a blank weight is unknown, a blank 可竖放 allows every side
// and a blank 可堆码 means stackable; a blank 托盘 means loose cartons. The first fault refuses the
// whole list, and so do more than max_list_types types.
std::variant<packing_list, list_refusal> read_packing_list(
    const text_table& table, same_cartons merge = same_cartons::kept_apart);

// split_csv, then read_packing_list, a row at a time: the memory it takes
// grows with the types, not with the file's rows.
std::variant<packing_list, list_refusal> read_packing_list_csv(
    std::string_view bytes, same_cartons merge = same_cartons::kept_apart);

// What only the container tells: a carton that stands in no allowed way
// inside it, one so small against it that a row would count more than
// 32767 cartons, or one heavier than the payload. Names the line and column
// as the reading does.
std::optional<list_refusal> check_packing_list(const packing_list& list,
                                               const container_space& container);

// The refusal of the list's type `type` at `field`'s column, its line and
// column named as the reading names them.
list_refusal type_refusal(const packing_list& list, std::size_t type, list_field field,
                          std::string_view reason);

// Whether any type of the list goes on pallets.
bool palletised(const packing_list& list);

// The list as CSV with the Chinese headers, sizes in centimetres as the
// program writes numbers: the file read_packing_list_csv reads back. With
// `pallets` (one per type) that name any, a 托盘 column after the others.
std::string write_packing_list_csv(const std::vector<carton_type>& cartons,
                                   const std::vector<std::string>& pallets = {});

}  // namespace varnel
