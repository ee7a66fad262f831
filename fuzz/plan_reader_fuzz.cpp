// Any bytes may arrive as a plan file: the reader must neither crash nor read
// out of bounds, and what it stores must survive a write and a second read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "plan/plan_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    stack_table draw{}, mm{};
    const plan_read_result r =
        read_plan(std::string_view(reinterpret_cast<const char*>(data), size), draw, mm);
    const int n = r.records_to_draw();
    if (n < 0 || n > stack_table_size) std::abort();

    // A refused file leaves nothing behind.
    const bool accepted = r.status == plan_read_status::ok;
    if (!accepted && (draw != stack_table{} || mm != stack_table{})) std::abort();

    // What was read writes out and reads back to the same records, and is
    // accepted again exactly when it was accepted.
    const std::string again = write_plan(draw, mm);
    stack_table draw2{}, mm2{};
    const plan_read_result r2 = read_plan(again, draw2, mm2);
    if (r2.had_errors) std::abort();
    if ((r2.status == plan_read_status::ok) != accepted) std::abort();
    const int written = stack_count(draw);
    for (int i = 0; i < written; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (draw2[k].in_use != 1 || draw2[k].count_x != draw[k].count_x) std::abort();
    }
    return 0;
}
