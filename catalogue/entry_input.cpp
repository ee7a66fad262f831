#include "catalogue/entry_input.h"

#include <array>

#include "catalogue/messages.h"
#include "engine/calculation.h"
#include "engine/messages.h"
#include "engine/numbers.h"

namespace varnel {

namespace {

struct size_rule {
    entry_field field;
    const char* empty;
    const char* wrong;
    // Below the least size, once all three sizes are numbers.
    const char* too_small;
    bool kilograms = false;  // a weight, read as typed; else centimetres read as mm
};

constexpr std::array<size_rule, 3> container_rules{{
    {entry_field::length, text::container_length_empty, text::container_length_wrong,
     text::container_length_not_positive},
    {entry_field::width, text::container_width_empty, text::container_width_wrong,
     text::container_width_not_positive},
    {entry_field::height, text::container_height_empty, text::container_height_wrong,
     text::container_height_not_positive},
}};

// A container typed for the plan at hand must hold the smallest carton.
constexpr std::array<size_rule, 3> plan_container_rules{{
    {entry_field::length, text::container_length_empty, text::container_length_wrong,
     text::container_length_too_small},
    {entry_field::width, text::container_width_empty, text::container_width_wrong,
     text::container_width_too_small},
    {entry_field::height, text::container_height_empty, text::container_height_wrong,
     text::container_height_too_small},
}};

constexpr std::array<size_rule, 3> carton_rules{{
    {entry_field::length, text::carton_length_empty, text::catalogue::carton_length_wrong,
     text::engine::carton_length_too_small},
    {entry_field::width, text::carton_width_empty, text::catalogue::carton_width_wrong,
     text::engine::carton_width_too_small},
    {entry_field::height, text::carton_height_empty, text::catalogue::carton_height_wrong,
     text::engine::carton_height_too_small},
}};

constexpr std::array<size_rule, 6> pallet_rules{{
    {entry_field::length, text::pallet_length_empty, text::pallet_length_wrong,
     text::pallet_length_not_positive},
    {entry_field::width, text::pallet_width_empty, text::pallet_width_wrong,
     text::pallet_width_not_positive},
    {entry_field::height, text::pallet_height_empty, text::pallet_height_wrong,
     text::pallet_height_not_positive},
    {entry_field::weight, text::pallet_weight_empty, text::pallet_weight_wrong,
     text::pallet_weight_not_positive, true},
    {entry_field::load_height, text::pallet_load_height_empty, text::pallet_load_height_wrong,
     text::pallet_load_height_not_positive},
    {entry_field::load_weight, text::pallet_load_weight_empty, text::pallet_load_weight_wrong,
     text::pallet_load_weight_not_positive, true},
}};

bool above_zero(float mm) { return mm > 0.0f; }

// The first of the figures that `fits` finds too small.
template <std::size_t N, typename Fits>
std::optional<entry_refusal> first_too_small(const std::array<float, N>& mm,
                                             const std::array<size_rule, N>& rules, Fits fits) {
    for (std::size_t i = 0; i < mm.size(); ++i) {
        if (!fits(mm[i])) return entry_refusal{rules[i].too_small, rules[i].field};
    }
    return std::nullopt;
}

// Only a field with no text at all is empty: blanks are text that is no number.
// `fits` says whether a figure (a size in millimetres) is large enough.
template <std::size_t N, typename Fits>
std::variant<std::array<float, N>, entry_refusal> read_figures(
    const std::array<std::string_view, N>& texts, const std::array<size_rule, N>& rules,
    Fits fits) {
    std::array<float, N> mm{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty()) return entry_refusal{rules[i].empty, rules[i].field};
        const std::optional<float> value =
            rules[i].kilograms ? parse_number(texts[i]) : read_size_cm(texts[i]);
        if (!value) return entry_refusal{rules[i].wrong, rules[i].field};
        mm[i] = *value;
    }
    if (auto refusal = first_too_small(mm, rules, fits)) return *refusal;
    return mm;
}

template <typename Fits>
entry_reading read_sizes(const std::array<std::string_view, 3>& texts,
                         const std::array<size_rule, 3>& rules, Fits fits) {
    const auto read = read_figures(texts, rules, fits);
    if (const auto* refusal = std::get_if<entry_refusal>(&read)) return *refusal;
    const auto& mm = std::get<std::array<float, 3>>(read);
    return entry_sizes{mm[0], mm[1], mm[2]};
}

}  // namespace

entry_reading read_container_sizes(std::string_view length, std::string_view width,
                                   std::string_view height) {
    // A container of no size holds nothing; the calculation would only
    // clear the drawing without a word.
    return read_sizes({length, width, height}, container_rules, above_zero);
}

entry_reading read_plan_container_sizes(std::string_view length, std::string_view width,
                                        std::string_view height) {
    entry_reading reading = read_container_sizes(length, width, height);
    if (const auto* mm = std::get_if<entry_sizes>(&reading)) {
        if (auto refusal = first_too_small(std::array<float, 3>{mm->length, mm->width, mm->height},
                                           plan_container_rules,
                                           [](float side) { return side >= min_carton_side; }))
            return *refusal;
    }
    return reading;
}

std::optional<entry_refusal> container_sizes_refusal(float length, float width, float height) {
    return first_too_small(std::array<float, 3>{length, width, height}, container_rules,
                           above_zero);
}

pallet_reading read_pallet_entry(const pallet_texts& t) {
    if (t.name.empty()) return entry_refusal{text::pallet_name_empty, entry_field::name};
    const auto read =
        read_figures<6>({t.length, t.width, t.height, t.weight, t.load_height, t.load_weight},
                        pallet_rules, above_zero);
    if (const auto* refusal = std::get_if<entry_refusal>(&read)) return *refusal;
    const auto& v = std::get<std::array<float, 6>>(read);
    return pallet_entry{v[0], v[1], v[2], v[3], v[4], v[5]};
}

entry_reading read_container_entry(std::string_view name, std::string_view length,
                                   std::string_view width, std::string_view height) {
    if (name.empty()) return entry_refusal{text::container_name_empty, entry_field::name};
    return read_container_sizes(length, width, height);
}

entry_reading read_carton_entry(std::string_view name, std::string_view length,
                                std::string_view width, std::string_view height) {
    if (name.empty()) return entry_refusal{text::carton_name_empty, entry_field::name};
    return read_sizes({length, width, height}, carton_rules,
                      [](float mm) { return mm >= min_carton_side; });
}

}  // namespace varnel
