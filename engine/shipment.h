#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace varnel {

// The largest order quantity taken.
inline constexpr std::int64_t max_order_quantity = 1'000'000'000;
// The heaviest carton taken, in kg: far above anything a container lifts,
// yet low enough that the cargo of a whole order stays a finite figure.
inline constexpr float max_carton_weight = 100'000.0f;

// The three fields of a shipment as typed: the order quantity, one carton's
// gross weight and the container's payload, both in kilograms. A weight or
// payload field left blank is not given.
struct shipment_texts {
    std::string_view quantity;
    std::string_view carton_weight;
    std::string_view payload;
};

struct shipment_order {
    std::int64_t quantity = 0;
    std::optional<float> carton_weight;  // kg
    std::optional<float> payload;        // kg; none when unknown
};

// What a refusal is about; `plan` when the plan holds no carton.
enum class shipment_field { quantity, carton_weight, payload, plan };

struct shipment_refusal {
    const char* message;
    shipment_field field;
};

// Which limit sets the cartons per container.
enum class shipment_limit { volume, weight };

struct shipment {
    std::int64_t quantity = 0;
    std::int64_t per_container = 0;  // cartons in every container but the last
    shipment_limit limit = shipment_limit::volume;
    std::int64_t containers = 0;
    std::int64_t last_cartons = 0;               // per_container when the quantity fills them all
    std::optional<double> per_container_weight;  // kg, when a carton weight is given
    std::optional<double> last_weight;           // kg, likewise
    bool payload_known = false;
};

// Reads the three fields in their order: the quantity a whole number from 1
// to 10^9, the weight blank or a positive number up to max_carton_weight,
// the payload blank or a positive number.
std::variant<shipment_order, shipment_refusal> read_shipment_order(const shipment_texts& fields);

// How an order ships in containers loaded by a plan of `plan_cartons`
// cartons: each takes the plan's cartons, or as many as the payload carries
// when fewer (floor(payload / weight), counted on the decimals as typed).
std::variant<shipment, shipment_refusal> plan_shipment(const shipment_order& order,
                                                       std::int64_t plan_cartons);

// Both steps at once, as a dialog calls them.
std::variant<shipment, shipment_refusal> plan_shipment(const shipment_texts& fields,
                                                       std::int64_t plan_cartons);

// The result in short lines: containers, cartons per container and the
// binding limit, the last container, and a note when the weight went
// unchecked.
std::vector<std::string> shipment_lines(const shipment& s);

// A cargo weight as the lines and the planner show it, in kilograms.
std::string weight_text(double kilograms);

}  // namespace varnel
