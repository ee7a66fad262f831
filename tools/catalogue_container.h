#pragma once

#include <QString>

#include "catalogue/catalogue_store.h"

#include <map>
#include <string>
#include <variant>

#include "engine/single/pallet_load.h"

namespace varnel {

// A container type's inner size as the container fields show it:
// centimetres, formatted as every size is.
struct container_field_texts {
    std::string length;
    std::string width;
    std::string height;
    int payload_kg = 0;  // 0: not known
};

// Looks up container type `name` (as typed on the command line) in the
// catalogue in `folder`. On failure, the message to print.
std::variant<container_field_texts, std::string> container_fields_from_catalogue(
    const std::string& name, const QString& folder);

// Looks up pallet type `name` in the catalogue in `folder` as above. On
// failure, the message to print.
std::variant<pallet_type, std::string> pallet_from_catalogue(const std::string& name,
                                                             const QString& folder);

// Every pallet type of the catalogue in `folder`, by name; or the message
// to print.
std::variant<std::map<std::string, pallet_measures>, std::string> pallets_from_catalogue(
    const QString& folder);

}  // namespace varnel
