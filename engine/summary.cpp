#include "engine/summary.h"

#include <cmath>
#include <limits>

#include "engine/core/expects.h"
#include "engine/messages.h"
#include "engine/numbers.h"

namespace varnel {

plan_totals count_plan(const stack_table& stacks) {
    plan_totals totals;
    double carton_volume = 0.0;
    const std::int16_t n = stack_count(stacks);
    for (std::int16_t i = 0; i < n; ++i) {
        const stack_record& r = stacks[static_cast<std::size_t>(i)];
        const std::int64_t k = std::int64_t{r.count_x} * r.count_y * r.count_z;
        ++totals.stacks;
        totals.cartons += k;
        carton_volume +=
            static_cast<double>(r.box_width) * r.box_length * r.box_height * static_cast<double>(k);
    }
    const stack_record& whole = stacks[0];
    const double container_volume =
        static_cast<double>(whole.space_y) * whole.space_x * whole.space_z;
    if (carton_volume != 0.0 && container_volume != 0.0) {
        const double share = carton_volume / container_volume * 100.0;
        // Any share a single-precision value can hold is cut and shown, however
        // large a hand-edited plan makes it; one beyond that range cannot be
        // stored, so the value keeps its starting 1.0, as a failed store leaves it.
        if (std::fabs(share) <= static_cast<double>(std::numeric_limits<float>::max()))
            totals.utilisation = cut_percent(share);
    }
    return totals;
}

float cut_percent(double percent) {
    const float single = static_cast<float>(percent);
    return static_cast<float>(std::floor(static_cast<double>(single) * 100.0) / 100.0);
}

namespace {

std::string utilisation_text(float percent) {
    return std::string(text::utilisation_prefix) + format_number(percent) +
           text::utilisation_suffix;
}

}  // namespace

summary_texts write_summary(const stack_table& stacks) {
    const plan_totals t = count_plan(stacks);
    return {utilisation_text(t.utilisation),
            std::string(text::arrangement_prefix) + std::to_string(t.stacks) +
                text::arrangement_middle + std::to_string(t.cartons) + text::arrangement_suffix};
}

summary_texts mixed_summary_texts(double utilisation, std::int64_t cartons, std::size_t types) {
    return {utilisation_text(cut_percent(utilisation)),
            text::mixed_arrangement_prefix + std::to_string(cartons) +
                text::mixed_arrangement_middle + std::to_string(types) +
                text::mixed_arrangement_suffix};
}

namespace {

// Millimetres as metres to the centimetre: "6.02". Whole numbers, so no
// locale's decimal comma gets in.
std::string metres_text(double millimetres) {
    const long long cm = std::llround(millimetres / 10.0);
    const long long whole = std::llabs(cm);
    const long long hundredths = whole % 100;
    return (cm < 0 ? "-" : "") + std::to_string(whole / 100) + (hundredths < 10 ? ".0" : ".") +
           std::to_string(hundredths);
}

std::string offset_text(double millimetres, const char* below, const char* above,
                        const char* centred) {
    const long long cm = std::llround(millimetres / 10.0);
    if (cm == 0) return centred;
    return (cm > 0 ? above : below) + std::to_string(std::llabs(cm)) + text::centre_cm;
}

}  // namespace

std::string centre_text(const balance_figures& f) {
    return text::centre_from_far_end + metres_text(f.centre[1]) + text::centre_metres +
           text::centre_from_left + metres_text(f.centre[0]) + text::centre_metres;
}

std::string centre_offset_text(const balance_figures& f) {
    // y grows towards the door, x to the right seen from the door.
    return offset_text(f.offset[1], text::towards_far_end_by, text::towards_door_by,
                       text::centred_along) +
           text::offset_separator +
           offset_text(f.offset[0], text::to_left_by, text::to_right_by, text::centred_across);
}

std::string container_number_text(std::size_t k, std::size_t n) {
    VARNEL_EXPECTS(k >= 1 && k <= n);
    return text::container_number_prefix + std::to_string(k) + text::container_number_middle +
           std::to_string(n) + text::container_number_suffix;
}

std::string containers_text(std::int64_t first, std::int64_t repeat, std::int64_t n) {
    VARNEL_EXPECTS(first >= 1 && repeat >= 1 && first - 1 <= n - repeat);
    if (repeat <= 1)
        return container_number_text(static_cast<std::size_t>(first), static_cast<std::size_t>(n));
    return text::container_range_prefix + std::to_string(first) + text::container_range_middle +
           std::to_string(first + repeat - 1) + text::container_range_suffix;
}

}  // namespace varnel

namespace varnel {

std::string balance_text(const balance_figures& f) {
    if (f.holds) return text::balance_holds;
    std::size_t worst = 0;
    double beyond = -1.0;
    for (std::size_t k = 0; k < 2; ++k) {
        const double out = std::fabs(f.offset[k]) - f.band[k];
        if (out > beyond) worst = k, beyond = out;
    }
    const auto cm = [](double mm) { return std::to_string(std::lround(std::fabs(mm) / 10)); };
    return text::balance_off_prefix + cm(f.offset[worst]) + text::balance_off_middle +
           cm(f.band[worst]) + text::balance_off_suffix;
}

}  // namespace varnel
