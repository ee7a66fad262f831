#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace varnel {

// The statements of an SQL script, each without its closing semicolon.
// Semicolons inside quotes do not end a statement; comments are dropped.
QStringList split_sql_statements(QStringView script);

// Builds the delivered catalogue at `path` from an SQL script, then checks
// that it opens as a catalogue and holds the default container type as a
// built-in type. The file is made under a temporary name and renamed over
// `path` only when all is well, so a failure leaves no partial file and any
// old one untouched. On failure returns the reason.
std::optional<QString> build_catalogue(const QString& script, const QString& path);

}  // namespace varnel
