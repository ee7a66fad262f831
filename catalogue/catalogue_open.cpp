#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <optional>
#include <utility>

#include "catalogue/catalogue_schema.h"
#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "catalogue/sql_support.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

// Everything the store's statements use: a file that lacks some of it is
// refused now, not in the middle of some later user action.
constexpr const char* schema_probes[] = {
    "SELECT rowid, ji_name, ji_x, ji_y, ji_z, ji_load, ji_flage FROM jicicun LIMIT 0",
    "SELECT rowid, bao_name, bao_a, bao_b, bao_c FROM bao_stream LIMIT 0",
};

QString open_error(const QString& path, const QString& reason) {
    return qtext(text::catalogue_open_error) + QStringLiteral("“") +
           QDir::toNativeSeparators(path) + QStringLiteral("”：") + reason;
}

// SQLite reads the name as a URI so that mode=rw forbids creating the file
// (mode=ro forbids writing too). Percent-encoding keeps '%', '?' and '#' in
// folder names from being read as URI syntax.
QString sqlite_uri(const QString& absolute_path, bool read_only) {
    return QUrl::fromLocalFile(absolute_path).toString(QUrl::FullyEncoded) +
           (read_only ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

constexpr const char* pallet_probe =
    "SELECT rowid, tp_name, tp_x, tp_y, tp_z, tp_weight, tp_load_z, tp_load FROM tuopan LIMIT 0";

std::optional<QSqlError> probe(const QSqlDatabase& db, const char* statement) {
    QSqlQuery q(db);
    if (!q.exec(QString::fromLatin1(statement))) return q.lastError();
    return std::nullopt;
}

std::optional<QSqlError> schema_problem(const QSqlDatabase& db) {
    for (const char* statement : schema_probes) {
        if (auto problem = probe(db, statement)) return problem;
    }
    return std::nullopt;
}

// Whether the file keeps pallet types of its own. An older catalogue gains
// them now; one that cannot (opened for reading, or a file the user may
// not write, as a catalogue installed for every user is) lends the
// delivered types for this connection instead, so pallets can be planned
// all the same.
bool keeps_pallets(QSqlDatabase& db, bool read_only) {
    if (!read_only) (void)upgrade_catalogue(db);
    if (!probe(db, pallet_probe)) return true;
    (void)read_only_pallets(db);
    return false;
}

// A program writing the catalogue right now holds its lock, and its journal
// lies beside the file: that asks for patience. A journal without a live
// writer is a write that never finished, which opening rolls back, and that
// needs write access; say so, not just "read only".
QString open_problem(const QSqlError& error, const QString& absolute_path) {
    constexpr int sqlite_busy = 5;
    if (error.nativeErrorCode().toInt() == sqlite_busy) return qtext(text::catalogue_busy);
    QString reason = sql::error_text(error);
    if (QFileInfo::exists(absolute_path + QStringLiteral("-journal"))) {
        reason += qtext(text::catalogue_unfinished_write);
    }
    return reason;
}

}  // namespace

struct catalogue_opener {
    static open_result open(const QString& path, const catalogue_options& options) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (!QFileInfo(absolute).isFile()) {
            return {nullptr, open_error(absolute, qtext(text::catalogue_missing))};
        }
        // Adding a second connection under a name in use would silently cut
        // off the store that holds it.
        if (QSqlDatabase::contains(options.connection_name)) {
            return {nullptr, open_error(absolute, qtext(text::catalogue_in_use))};
        }

        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), options.connection_name);
        db.setDatabaseName(sqlite_uri(absolute, options.read_only));
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(options.busy_wait_ms) +
            (options.read_only ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
        std::optional<QSqlError> problem;
        if (!db.isValid() || !db.open()) {
            problem = db.lastError();
        } else {
            problem = schema_problem(db);
        }
        if (problem) {
            sql::drop_connection(db);
            return {nullptr, open_error(absolute, open_problem(*problem, absolute))};
        }
        const bool pallets_kept = keeps_pallets(db, options.read_only);
        return {std::unique_ptr<catalogue_store>(
                    new catalogue_store(std::move(db), absolute, pallets_kept)),
                {}};
    }
};

open_result open_catalogue_file(const QString& path, const catalogue_options& options) {
    return catalogue_opener::open(path, options);
}

open_result open_catalogue(const QString& folder, const catalogue_options& options) {
    return catalogue_opener::open(QDir(folder).filePath(QString::fromLatin1(catalogue_file_name)),
                                  options);
}

}  // namespace varnel
