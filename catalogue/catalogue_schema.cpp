#include "catalogue/catalogue_schema.h"

#include <QSqlQuery>

#include <array>

#include "catalogue/sql_support.h"

namespace varnel {

namespace {

// Sizes in millimetres and weights in kilograms, as the other tables keep
// sizes. Every pallet type may be changed or deleted: there is no flag.
constexpr const char* pallet_columns =
    " tuopan ("
    "tp_name TEXT, "
    "tp_x REAL, "       // length
    "tp_y REAL, "       // width
    "tp_z REAL, "       // the pallet's own height
    "tp_weight REAL, "  // the pallet's own weight
    "tp_load_z REAL, "  // the most load height above it
    "tp_load REAL)";    // the most load weight

// The delivered pallet types: EUR 1200 x 800, ISO 1200 x 1000, the North
// American 48 x 40 inches and the Asian 1100 x 1100, each 25 kg, loaded to
// 150 cm and 1,000 kg.
constexpr std::array<const char*, 4> delivered_pallets{
    "('欧标托盘', 1200, 800, 144, 25, 1500, 1000)",
    "('标准托盘', 1200, 1000, 150, 25, 1500, 1000)",
    "('美标托盘', 1219, 1016, 150, 25, 1500, 1000)",
    "('亚标托盘', 1100, 1100, 150, 25, 1500, 1000)",
};

// The pallet table with its rows, made in `schema` ("" or "TEMP ").
std::optional<QString> make_pallet_table(QSqlDatabase& db, const char* schema) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("CREATE %1TABLE%2")
                    .arg(QString::fromLatin1(schema), QString::fromLatin1(pallet_columns))))
        return sql::error_text(q.lastError());
    for (const char* row : delivered_pallets) {
        if (!q.exec(QStringLiteral("INSERT INTO tuopan VALUES ") + QString::fromUtf8(row)))
            return sql::error_text(q.lastError());
    }
    return std::nullopt;
}

// One step from version `from` to from + 1.
std::optional<QString> step(QSqlDatabase& db, int from) {
    switch (from) {
        case 0: return make_pallet_table(db, "");
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<int> stored_version(const QSqlDatabase& db) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) return std::nullopt;
    return q.value(0).toInt();
}

std::optional<QString> upgrade_catalogue(QSqlDatabase& db) {
    const std::optional<int> version = stored_version(db);
    if (!version) return sql::error_text(db.lastError());
    if (*version >= catalogue_version) return std::nullopt;
    if (!db.transaction()) return sql::error_text(db.lastError());
    std::optional<QString> problem;
    for (int from = *version; from < catalogue_version && !problem; ++from)
        problem = step(db, from);
    if (!problem) {
        // A PRAGMA takes no bound value; the version is ours, not typed.
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(catalogue_version)))
            problem = sql::error_text(q.lastError());
    }
    if (!problem && !db.commit()) problem = sql::error_text(db.lastError());
    if (problem) db.rollback();
    return problem;
}

std::optional<QString> read_only_pallets(QSqlDatabase& db) {
    return make_pallet_table(db, "TEMP ");
}

}  // namespace varnel
