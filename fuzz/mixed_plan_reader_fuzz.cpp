// Any bytes may arrive as a mixed plan file: the reader must neither crash
// nor read out of bounds, gives a plan only when it read the whole file, and
// what it gives writes out to a file that reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/mixed/mixed_summary.h"
#include "plan/mixed_plan_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    const mixed_read_result r =
        read_mixed_plan(std::string_view(reinterpret_cast<const char*>(data), size));
    if (r.plan.has_value() != (r.status == mixed_read_status::ok)) std::abort();
    if (r.status == mixed_read_status::malformed && r.line == 0) std::abort();
    if (r.status == mixed_read_status::breaks_rules && r.container == 0) std::abort();
    if (!r.plan) return 0;

    const mixed_plan_file& plan = *r.plan;
    const mixed_summary s = summarise_mixed(plan.plan, plan.cartons, plan.container.size);
    if (s.unloaded != plan.plan.unloaded) std::abort();

    const std::string once = write_mixed_plan(plan);
    const mixed_read_result again = read_mixed_plan(once);
    if (again.status != mixed_read_status::ok || write_mixed_plan(*again.plan) != once)
        std::abort();
    return 0;
}
