#include "tools/catalogue_container.h"

#include "catalogue/catalogue_store.h"
#include "catalogue/pallet_measures.h"
#include "engine/numbers.h"
#include "tools/messages.h"

namespace varnel {

namespace {

// The planner only reads, and may run beside a window that holds the
// default connection. It still opens for writing where the file allows
// it: only then can SQLite roll back a write that a killed window left
// unfinished (a read-only connection refuses the whole file instead).
open_result open_for_planner(const QString& folder) {
    return open_catalogue(folder, {QStringLiteral("varnel_plan_catalogue"), false});
}

QString typed_name(const std::string& name) {
    return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

std::variant<container_field_texts, std::string> container_fields_from_catalogue(
    const std::string& name, const QString& folder) {
    const open_result opened = open_for_planner(folder);
    if (!opened.store) return opened.error.toStdString();

    const QString wanted = typed_name(name);
    const auto found = opened.store->find_container(wanted);
    if (!found.ok()) {
        return std::string(text::catalogue_read_error) + "：" + found.error.toStdString();
    }
    if (!found.value)
        return std::string(text::unknown_container_type) + "：" + wanted.toStdString();
    const container_type& c = *found.value;
    return container_field_texts{size_text_cm(c.length), size_text_cm(c.width),
                                 size_text_cm(c.height), c.payload_kg()};
}

std::variant<pallet_type, std::string> pallet_from_catalogue(const std::string& name,
                                                             const QString& folder) {
    const open_result opened = open_for_planner(folder);
    if (!opened.store) return opened.error.toStdString();
    const QString wanted = typed_name(name);
    const auto found = opened.store->find_pallet(wanted);
    if (!found.ok()) {
        return std::string(text::catalogue_read_error) + "：" + found.error.toStdString();
    }
    if (!found.value) return std::string(text::unknown_pallet_type) + "：" + wanted.toStdString();
    return *found.value;
}

std::variant<std::map<std::string, pallet_measures>, std::string> pallets_from_catalogue(
    const QString& folder) {
    const open_result opened = open_for_planner(folder);
    if (!opened.store) return opened.error.toStdString();
    const auto rows = opened.store->all_pallets();
    if (!rows.ok())
        return std::string(text::catalogue_read_error) + "：" + rows.error.toStdString();
    return pallets_by_name(rows.value);
}

}  // namespace varnel
