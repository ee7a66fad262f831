// What a user types into a catalogue dialog: a name and three sizes. Any bytes
// must give either sizes that are finite floats (a carton's at least the
// minimum, a container's above 0) or a refusal naming one of the four fields.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "catalogue/entry_input.h"
#include "engine/calculation.h"

namespace {

using namespace varnel;

void check(const entry_reading& reading, bool carton) {
    if (const auto* refusal = std::get_if<entry_refusal>(&reading)) {
        if (refusal->message == nullptr || *refusal->message == '\0') std::abort();
        return;
    }
    const entry_sizes& s = std::get<entry_sizes>(reading);
    for (float v : {s.length, s.width, s.height}) {
        if (!std::isfinite(v)) std::abort();
        if (carton ? v < min_carton_side : !(v > 0.0f)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input is the four fields, separated by line feeds.
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::array<std::string_view, 4> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t end = i + 1 < fields.size() ? rest.find('\n') : std::string_view::npos;
        fields[i] = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }
    check(read_container_entry(fields[0], fields[1], fields[2], fields[3]), false);
    check(read_carton_entry(fields[0], fields[1], fields[2], fields[3]), true);
    check(read_container_sizes(fields[1], fields[2], fields[3]), false);
    return 0;
}
