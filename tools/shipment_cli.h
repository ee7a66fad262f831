#pragma once

#include <QJsonObject>

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/calculation.h"
#include "engine/core/block.h"
#include "engine/load_model.h"
#include "engine/shipment.h"

namespace varnel {

// The planner's shipment options as typed.
struct shipment_arguments {
    std::optional<std::string> quantity;       // --quantity N
    std::optional<std::string> carton_weight;  // --carton-weight KG
    std::optional<std::string> payload;        // --payload KG

    // A weight or payload needs a quantity to ship.
    bool complete() const { return quantity || (!carton_weight && !payload); }
};

// Their lines of the planner's usage text.
extern const char* const shipment_usage;

// Takes the shipment option at args[i] with its value and moves i past it;
// false when args[i] is none of them, or repeats one, or lacks its value.
bool take_shipment_argument(const std::vector<std::string>& args, std::size_t& i,
                            shipment_arguments& s);

// The shipment part of one planner run: nothing unless --quantity is given.
class planner_shipment {
public:
    // Reads the options; the payload is --payload when given, else
    // `catalogue_payload` (kg from --container-type, 0 when not known). The
    // refusal's message, or none.
    std::optional<std::string> read(const shipment_arguments& s, int catalogue_payload);
    // Ships the order in containers loaded as `model` plans them.
    std::optional<std::string> plan(const load_model& model);
    // The shipment's lines, after the plan's texts.
    void print(std::ostream& out) const;
    // Adds the object "shipment" to the plan's JSON: containers,
    // per_container, limit ("volume" or "weight") and last (cartons, weight
    // in kg or null, and the blocks of its part load of `plan`).
    void add_json(QJsonObject& json, const block_list& plan, const calculation_input& sizes) const;

    // The order as read and how it ships, for the loading instructions.
    const std::optional<shipment_order>& order() const { return order_; }
    const std::optional<shipment>& result() const { return result_; }
    // The container's payload in kg: the order's, else the catalogue's.
    std::optional<double> payload(int catalogue_payload) const;

private:
    std::optional<shipment_order> order_;
    std::optional<shipment> result_;
};

}  // namespace varnel
