#pragma once

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace varnel {

// The catalogue's version, kept in the file as SQLite's user_version: 0 for
// a catalogue of container and carton types alone, 1 once it holds pallet
// types.
inline constexpr int catalogue_version = 1;

// The version the file says it has; nullopt when it cannot be read.
std::optional<int> stored_version(const QSqlDatabase& db);

// Takes the catalogue from its own version to catalogue_version: every step
// between, and the version itself, in one transaction, so the file either
// gains all of it or stays as it was. A file of this version or a later one
// is left alone. On failure, the store's reason.
std::optional<QString> upgrade_catalogue(QSqlDatabase& db);

// The pallet table as the upgrade makes it, delivered rows and all, in the
// connection's temporary schema: for a catalogue that cannot be written, so
// that the pallet types can still be read. On failure, the store's reason.
std::optional<QString> read_only_pallets(QSqlDatabase& db);

}  // namespace varnel
