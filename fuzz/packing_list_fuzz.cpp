// Any bytes may arrive as a packing list: the reader must neither crash nor
// read out of bounds; it accepts only types a plan can take or refuses
// naming a line, and a list that loads writes out as a list that reads back
// to the same types.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
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
        if (t.weight && !(*t.weight > 0.0 && *t.weight <= max_list_weight)) std::abort();
    }
}

// The message of a refusal, or the types' count.
std::string outcome(const std::variant<packing_list, list_refusal>& read) {
    if (const auto* refusal = std::get_if<list_refusal>(&read)) return refusal->message;
    return std::to_string(std::get<packing_list>(read).cartons.size());
}

// Read a row at a time, the CSV reads as its whole table does; merged, its
// types hold the same cartons, in no more types.
void check_readings_agree(std::string_view bytes,
                          const std::variant<packing_list, list_refusal>& read) {
    const auto table = split_csv(bytes);
    const auto whole =
        std::holds_alternative<text_table>(table)
            ? read_packing_list(std::get<text_table>(table))
            : std::variant<packing_list, list_refusal>(std::get<list_refusal>(table));
    if (outcome(whole) != outcome(read)) std::abort();
    const auto merged = read_packing_list_csv(bytes, same_cartons::merged);
    if (!std::holds_alternative<packing_list>(read)) return;
    // Merging never refuses a list read with its rows apart.
    if (!std::holds_alternative<packing_list>(merged)) std::abort();
    std::int64_t apart = 0, together = 0;
    for (const carton_type& t : std::get<packing_list>(read).cartons) apart += t.quantity;
    for (const carton_type& t : std::get<packing_list>(merged).cartons) together += t.quantity;
    if (apart != together ||
        std::get<packing_list>(merged).cartons.size() > std::get<packing_list>(read).cartons.size())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = read_packing_list_csv(bytes);
    check_readings_agree(bytes, read);
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
