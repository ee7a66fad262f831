#pragma once

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/core/placement.h"

namespace varnel {

struct mixed_plan_file;

// A carton type of the catalogue, as the packing list window offers it.
struct offered_carton {
    QString name;
    std::array<float, 3> size{};  // length, width, height in millimetres
};

// The main window's container: its type's name when the size fields hold
// that type's size, and the size along x (width), y (length), z (up) in
// millimetres with the type's payload when the catalogue knows it.
struct chosen_container {
    std::string type_name;
    container_space container;
};

// What the packing list window asks of the main window.
class mixed_host {
public:
    virtual ~mixed_host() = default;

    virtual std::vector<offered_carton> offered_cartons() = 0;
    // The container the main window has chosen, or why its size fields
    // hold none.
    virtual std::variant<chosen_container, QString> container_choice() = 0;
    // Plans `order` (its container and list) off the interface thread and
    // shows its first container: true once shown, and `order` then holds
    // the plan. False when the user cancelled: nothing changed.
    virtual bool plan_and_show(mixed_plan_file& order) = 0;
};

}  // namespace varnel
