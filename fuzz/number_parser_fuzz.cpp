// Any text may be typed into a size field or stand on a plan file's value
// line: the parser must neither crash nor read out of bounds, and whatever it
// accepts must be a finite float that the formatter writes back to the same
// value at seven digits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "engine/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<float> value = parse_number(text);
    if (!value) return 0;
    if (!std::isfinite(*value)) std::abort();

    // Seven digits are a float's precision for display, not exactly the
    // value: the written text must read back within that precision, and a
    // second round must be exact.
    const std::optional<float> again = parse_number(format_number(*value));
    if (!again || !std::isfinite(*again)) std::abort();
    if (std::fabs(static_cast<double>(*again) - static_cast<double>(*value)) >
        std::fabs(static_cast<double>(*value)) * 1e-6 + 1e-38) {
        std::abort();
    }
    if (parse_number(format_number(*again)) != again) std::abort();

    // Sizes, conversions and 16-bit rounding stay defined on every value.
    if (const std::optional<float> mm = read_size_cm(text); mm && !std::isfinite(*mm)) std::abort();
    (void)size_text_cm(*value);
    if (const std::optional<std::int16_t> whole = to_int16(*value)) {
        if (std::fabs(static_cast<double>(*whole) - static_cast<double>(*value)) > 0.5)
            std::abort();
    }
    return 0;
}
