// Any bytes may arrive as a packing list: the reader must neither crash nor
// read out of bounds; it accepts only types a plan can take or refuses
// naming a line, and a list that loads writes out as a list that reads back
// to the same types.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "plan/packing_list.h"
#include "plan/utf8.h"

namespace {

using namespace varnel;

void check_types(const packing_list& list) {
    if (list.cartons.empty() || list.lines.size() != list.cartons.size()) std::abort();
    for (const carton_type& t : list.cartons) {
        if (t.quantity < 1 || t.quantity > max_list_quantity || t.allowed.empty()) std::abort();
        if (t.name.empty() || !is_utf8(t.name) || !has_no_controls(t.name)) std::abort();
        for (double side : t.size) {
            if (!std::isfinite(side) || !(side > 0.0)) std::abort();
        }
        if (t.weight && !(*t.weight > 0.0)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read =
        read_packing_list_csv(std::string_view(reinterpret_cast<const char*>(data), size));
    if (const auto* refusal = std::get_if<list_refusal>(&read)) {
        if (refusal->message.empty() || refusal->line == 0) std::abort();
        return 0;
    }
    const packing_list& list = std::get<packing_list>(read);
    check_types(list);

    // What only the container refuses still names a line of the list.
    const auto refusal = check_packing_list(list, {{2350, 12032, 2392}, 26730.0});
    if (refusal) {
        if (std::find(list.lines.begin(), list.lines.end(), refusal->line) == list.lines.end())
            std::abort();
        return 0;
    }
    const auto again = read_packing_list_csv(write_packing_list_csv(list.cartons));
    if (!std::holds_alternative<packing_list>(again)) std::abort();
    const packing_list& copy = std::get<packing_list>(again);
    if (copy.cartons.size() != list.cartons.size()) std::abort();
    for (std::size_t i = 0; i < list.cartons.size(); ++i) {
        const carton_type &a = list.cartons[i], &b = copy.cartons[i];
        if (a.name != b.name || a.quantity != b.quantity || a.allowed != b.allowed ||
            a.stackable != b.stackable || a.weight.has_value() != b.weight.has_value())
            std::abort();
    }
    return 0;
}
