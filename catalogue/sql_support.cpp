#include "catalogue/sql_support.h"

#include "catalogue/messages.h"
#include "ui/qtext.h"

namespace varnel::sql {

QString error_text(const QSqlError& error) {
    // Qt's text() appends its own words ("Unable to execute statement") to
    // SQLite's; the user is better served by SQLite's alone.
    const QString reason = error.databaseText().trimmed();
    if (!reason.isEmpty()) return reason;
    if (!error.text().trimmed().isEmpty()) return error.text().trimmed();
    return qtext(text::catalogue_unknown_error);
}

bool run(QSqlQuery& query, const char* sql, const QVariantList& values) {
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromLatin1(sql))) return false;
    for (const QVariant& value : values) query.addBindValue(value);
    return query.exec();
}

void drop_connection(QSqlDatabase& db) {
    const QString name = db.connectionName();
    db.close();
    db = QSqlDatabase();  // Qt removes a connection only when no handle is left
    QSqlDatabase::removeDatabase(name);
}

}  // namespace varnel::sql
