#pragma once

// Packing lists kept as spreadsheets (.xlsx, .ods): the first sheet's cells
// as text rows, for read_packing_list, so a spreadsheet's header is matched
// and its cells refused exactly as a CSV file's. No Qt.

#include <string_view>
#include <variant>

#include "plan/packing_list.h"

namespace varnel {

enum class spreadsheet_kind { xlsx, ods };

// The first sheet's rows, each with its row number in the sheet (from 1);
// a cell's column is its place in the row (column A is 0). Numbers become
// their shortest exact text, true and false 1 and 0, a formula its stored
// result. Bytes that are not such a file are refused with line 0.
std::variant<text_table, list_refusal> read_spreadsheet_rows(std::string_view bytes,
                                                             spreadsheet_kind kind);

// read_spreadsheet_rows, then read_packing_list.
std::variant<packing_list, list_refusal> read_packing_list_spreadsheet(
    std::string_view bytes, spreadsheet_kind kind, same_cartons merge = same_cartons::kept_apart);

// A list file of any kind the program reads, the kind told by the name's
// suffix: .xlsx and .ods (in any case) as spreadsheets, anything else as
// CSV. The window's import and varnel-plan --mixed both read through it.
std::variant<packing_list, list_refusal> read_packing_list_file(
    std::string_view file_name, std::string_view bytes,
    same_cartons merge = same_cartons::kept_apart);

}  // namespace varnel
