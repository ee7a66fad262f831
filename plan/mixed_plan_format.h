#pragma once

// The mixed plan file (.qrm): the container, the packing list and every
// container's blocks in loading order, as UTF-8 text. docs/mixed-plan-format.md
// describes it line by line. Pure C++: the fuzz target builds it without Qt.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/placement.h"
#include "engine/mixed/request.h"
#include "engine/single/pallet_order.h"

namespace varnel {

// The newest version this program writes and reads. A plan without a run of
// identical containers is written as version 1, which earlier programs
// read; one with such a run as version 2, which they refuse as written by a
// later program rather than misread.
// A plan whose list limits what cartons bear, or made under other weight
// rules than the default, is written as version 3.
// An order on pallets is written as version 4: version 3 with its pallets.
inline constexpr int mixed_plan_version = 4;

struct mixed_plan_file {
    std::string container_type;  // the catalogue's name; empty for a typed size
    container_space container;   // x across (its width), y along, z up, mm; payload kg
    std::vector<carton_type> cartons;
    // Containers in order, each with its blocks in loading order; `loaded`
    // and `unloaded` follow from the blocks and the quantities.
    mixed_plan plan;
    // Heavy not on light and the balance band the plan was made with.
    weight_rules weights{true, 0.05};
    // An order on pallets: each palletised type with its pallet plan (its
    // blocks are not kept), whose full pallets, part pallet or loose rest are
    // items of `cartons`. Empty for an order of loose cartons.
    std::vector<palletised_type> pallets{};
};

// The file's bytes: LF line ends, every number in the shortest text that
// reads back to the same value, so a plan opens exactly as it was saved.
std::string write_mixed_plan(const mixed_plan_file& plan);

enum class mixed_read_status {
    ok,
    not_mixed_plan,  // the first line is not a mixed plan's
    newer_version,   // written by a later version of the format
    malformed,       // a line that is not what the format has there, or a missing one
    breaks_rules,    // read whole, but a container's load breaks a loading rule
};

struct mixed_read_result {
    mixed_read_status status = mixed_read_status::malformed;
    std::size_t line = 0;                 // malformed: the first line at fault, counted from 1
    std::size_t container = 0;            // breaks_rules: the container at fault, counted from 1
    std::optional<mixed_plan_file> plan;  // only when the status is ok
};

// Reads a whole file or nothing: any line the format does not allow refuses
// it, and so does a load that breaks the rules every plan obeys (inside, no
// overlap, allowed orientations, full support, stackable, payload) or that
// loads more of a type than the list holds. Time linear in the bytes apart
// from the rule check, whatever the bytes.
mixed_read_result read_mixed_plan(std::string_view bytes);

// The refusal in the program's words, for a status other than ok.
std::string mixed_read_message(const mixed_read_result& result);

}  // namespace varnel
