#pragma once

#include <optional>
#include <string_view>
#include <variant>

namespace varnel {

// The fields of a catalogue entry, in the order the dialogs read them; the
// last three a pallet type's alone.
enum class entry_field { name, length, width, height, weight, load_height, load_weight };

// The first thing wrong with what was typed: the message to show and the
// field that gets the focus.
struct entry_refusal {
    const char* message;
    entry_field field;
};

// Sizes read from the fields, in millimetres (the typed centimetres × 10).
struct entry_sizes {
    float length = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

using entry_reading = std::variant<entry_sizes, entry_refusal>;

// A pallet type read from its fields: sizes in millimetres (the typed
// centimetres × 10), weights in kilograms.
struct pallet_entry {
    float length = 0.0f;
    float width = 0.0f;
    float height = 0.0f;  // the pallet's own
    float weight = 0.0f;  // the pallet's own
    float load_height = 0.0f;
    float load_weight = 0.0f;
};

using pallet_reading = std::variant<pallet_entry, entry_refusal>;

// What a pallet type's fields hold as typed: length, width and height in
// centimetres, its own weight in kilograms, the most load height in
// centimetres and the most load weight in kilograms.
struct pallet_texts {
    std::string_view name, length, width, height, weight, load_height, load_weight;
};

// Three container sizes in centimetres. Each must be a number whose tenfold
// fits a float; then, once all three are numbers, each must be above 0 in the
// same order.
entry_reading read_container_sizes(std::string_view length, std::string_view width,
                                   std::string_view height);

// A container typed for the plan at hand (手动输入): as above, then each side
// at least the smallest carton side the program takes (15 cm), in the same
// order; a smaller container holds no carton.
entry_reading read_plan_container_sizes(std::string_view length, std::string_view width,
                                        std::string_view height);

// The rule above for container sizes already read as numbers, in
// millimetres: the first that is not above 0, or none.
std::optional<entry_refusal> container_sizes_refusal(float length, float width, float height);

// A container type: a name, then the three sizes as above.
entry_reading read_container_entry(std::string_view name, std::string_view length,
                                   std::string_view width, std::string_view height);

// A pallet type: a name, then the six figures in the order above, each a
// number (a size whose tenfold fits a float), then, once all six are
// numbers, each above 0 in the same order, as a container type's sizes.
pallet_reading read_pallet_entry(const pallet_texts& typed);

// A carton type: a name, the three sizes, and then, only once all three read
// as numbers, the 150 mm minimum of each side in the same order.
entry_reading read_carton_entry(std::string_view name, std::string_view length,
                                std::string_view width, std::string_view height);

}  // namespace varnel
