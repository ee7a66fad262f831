#pragma once

#include <string>
#include <string_view>

#include "engine/load_model.h"

namespace varnel {

// A plan file as bytes: CR LF line ends, line 3 in GBK, both stack tables in
// 18-line blocks (drawing units first, then millimetres).
std::string write_plan(const stack_table& draw_stacks, const stack_table& stacks);

enum class plan_read_status {
    ok,               // both sections read; see had_errors
    section_missing,  // no "load_team()" or the file ends at "load_team_atu()"
    no_stack          // a section without a stack in use (record 0 unused)
};

struct plan_read_result {
    plan_read_status status = plan_read_status::ok;
    // Index of the last millimetre block read (0 when there was none); the
    // caller draws that many records plus one.
    int last_index = 0;
    // A value or index that did not convert, an index outside 0..30 or a
    // block cut short by the end of the file.
    bool had_errors = false;

    // How many records to draw (at most the whole table), and whether the
    // last index asked for more than the table holds.
    int records_to_draw() const;
    bool draws_past_table() const;
};

// Reads a plan file into both tables, storing every value that converts and
// keeping the old value of every field that does not. Unless the status is
// ok, the tables are left as they were. Never reads out of bounds and takes
// time linear in the input, whatever the bytes.
plan_read_result read_plan(std::string_view bytes, stack_table& draw_stacks, stack_table& stacks);

}  // namespace varnel
