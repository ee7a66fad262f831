#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "engine/core/block.h"
#include "engine/core/work_meter.h"
#include "engine/single/optimise.h"

namespace varnel {

// A pallet as the catalogue keeps one: its deck, its own height and weight,
// and what it may carry.
struct pallet_measures {
    double length = 0.0;                  // mm
    double width = 0.0;                   // mm
    double height = 0.0;                  // mm, the pallet's own
    double weight = 0.0;                  // kg, the pallet's own
    double load_height = 0.0;             // mm: the load rises at most this far above the deck
    std::optional<double> load_weight{};  // kg; none: no limit (a pallet typed by its sizes)
};

struct pallet_request {
    pallet_measures pallet;
    std::array<double, 3> carton{};         // length, width, height, mm
    std::optional<double> carton_weight{};  // kg
    // Cartons may lie on a side; otherwise their top face stays up (不可侧放).
    bool any_side = false;
    std::uint64_t work_budget = default_work_budget;
    // Polled between steps; set from another thread to stop early.
    const std::atomic<bool>* cancel = nullptr;
    double seconds_cap = 10.0;  // a far safety net, as for optimise_plan
};

// One carton of a layer seen from above: its corner on the deck and its
// extents, x and `length` along the pallet's length, y and `width` along
// its width (mm).
struct layer_carton {
    double x = 0.0, y = 0.0, length = 0.0, width = 0.0;
    bool operator==(const layer_carton&) const = default;
};
using layer_pattern = std::vector<layer_carton>;

// What stops the pallet from taking more: its load height, or its load
// weight.
enum class pallet_limit { height, weight };

struct pallet_plan {
    std::int64_t cartons = 0;
    std::int64_t per_layer = 0;  // cartons in a full layer
    std::int64_t layers = 0;     // the top one may be part full (by weight)
    std::int64_t top_layer = 0;  // cartons in the top layer
    // No pallet of these cartons can carry more, whatever its pattern; for
    // cartons that may lie on a side, in any mix of stances.
    std::int64_t upper_bound = 0;
    std::size_t standing_side = 2;  // the carton side that stands (0 length, 1 width, 2 height)
    // The first layer's pattern and, when layers alternate, the second's.
    // Both lie centred on the deck.
    std::vector<layer_pattern> layer_patterns;
    // Layers alternate between two mirror images that hold as many cartons,
    // each carton of one standing wholly on cartons of the other and some
    // bridging two; otherwise every layer is the same (columns).
    bool interlocked = false;
    pallet_limit limit = pallet_limit::height;
    // The loaded pallet: its outer length, width and height (mm) and, when
    // the carton weight is known, its gross weight (kg).
    std::array<double, 3> size{};
    std::optional<double> weight;
    // Every carton as blocks above the deck: x across the pallet's width, y
    // along its length, z up from the deck, as in a container.
    block_list blocks;
    stop_reason stop = stop_reason::none;
    std::array<double, 3> carton{};  // the carton's length, width and height, mm

    bool proven_optimal() const { return cartons >= upper_bound; }
};

// Why no carton goes on the pallet; the message is in engine/messages.h.
struct pallet_refusal {
    const char* message;
};

// Stacks as many cartons as the load height and weight allow in layers of
// one pattern (or two alternating), found by the floor search of the
// optimiser of one size with the layer search of the pallet loading problem
// (engine/single/layer_search), in the stance that carries most: upright,
// or on any side when allowed. Refuses a carton that fits on the deck in
// no allowed stance, one taller than the load height in every stance that
// fits, and one heavier than the load weight.
std::variant<pallet_plan, pallet_refusal> plan_pallet(const pallet_request& request);

}  // namespace varnel
