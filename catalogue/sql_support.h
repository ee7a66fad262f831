#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

// Helpers the catalogue's files share; not part of its interface.
namespace varnel::sql {

// The store's own reason (SQLite's message), never empty.
QString error_text(const QSqlError& error);

// Prepares one statement and runs it with `values` bound in order.
bool run(QSqlQuery& query, const char* sql, const QVariantList& values = {});

// Closes the connection and forgets its name, so the name can be used again.
void drop_connection(QSqlDatabase& db);

}  // namespace varnel::sql
