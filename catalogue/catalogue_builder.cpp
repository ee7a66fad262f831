#include "catalogue/catalogue_builder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

#include "catalogue/catalogue_schema.h"
#include "catalogue/catalogue_store.h"
#include "catalogue/messages.h"
#include "catalogue/sql_support.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

// Skips a quoted run starting at `i` (on the opening quote); a doubled quote
// stands for itself. Returns the index after the closing quote.
qsizetype skip_quoted(QStringView s, qsizetype i) {
    const QChar quote = s[i];
    for (++i; i < s.size(); ++i) {
        if (s[i] != quote) continue;
        if (i + 1 < s.size() && s[i + 1] == quote) {
            ++i;
        } else {
            return i + 1;
        }
    }
    return i;
}

std::optional<QString> run_script(QSqlDatabase& db, const QString& script) {
    if (!db.transaction()) return sql::error_text(db.lastError());
    for (const QString& statement : split_sql_statements(script)) {
        QSqlQuery q(db);
        if (!q.exec(statement)) {
            const QString reason =
                sql::error_text(q.lastError()) + QStringLiteral(": ") + statement;
            db.rollback();
            return reason;
        }
    }
    if (!db.commit()) return sql::error_text(db.lastError());
    return std::nullopt;
}

std::optional<QString> fill_file(const QString& file, const QString& script) {
    const QString connection = QStringLiteral("varnel_catalogue_builder");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(file);
    std::optional<QString> problem;
    if (!db.isValid() || !db.open()) {
        problem = sql::error_text(db.lastError());
    } else {
        problem = run_script(db, script);
        // The seed holds the first version's tables; what came later comes
        // by the same steps an older user's catalogue takes.
        if (!problem) problem = upgrade_catalogue(db);
    }
    sql::drop_connection(db);
    return problem;
}

std::optional<QString> check_catalogue(const QString& file) {
    const open_result opened =
        open_catalogue_file(file, {QStringLiteral("varnel_catalogue_check"), true});
    if (!opened.store) return opened.error;
    const read_result<int> version = opened.store->version();
    if (!version.ok()) return version.error;
    if (version.value != catalogue_version)
        return QStringLiteral("the catalogue is of version %1, not %2")
            .arg(version.value)
            .arg(catalogue_version);
    const QString required = qtext(text::default_container);
    const auto containers = opened.store->all_containers();
    if (!containers.ok()) return containers.error;
    for (const container_type& c : containers.value) {
        if (c.name == required && c.built_in()) return std::nullopt;
    }
    return QStringLiteral("no built-in container type \"%1\" in the catalogue").arg(required);
}

std::filesystem::path fs_path(const QString& path) {
    return std::filesystem::path(QDir::toNativeSeparators(path).toStdU16String());
}

}  // namespace

QStringList split_sql_statements(QStringView script) {
    QStringList statements;
    QString current;
    const auto finish = [&] {
        if (!current.trimmed().isEmpty()) statements.append(current.trimmed());
        current.clear();
    };
    for (qsizetype i = 0; i < script.size();) {
        const QChar ch = script[i];
        const QChar next = i + 1 < script.size() ? script[i + 1] : QChar();
        if (ch == u'\'' || ch == u'"' || ch == u'`') {
            const qsizetype end = skip_quoted(script, i);
            current += script.sliced(i, end - i);
            i = end;
        } else if (ch == u'-' && next == u'-') {
            const qsizetype end = script.indexOf(u'\n', i);
            i = end < 0 ? script.size() : end;
        } else if (ch == u'/' && next == u'*') {
            const qsizetype end = script.indexOf(u"*/", i + 2);
            i = end < 0 ? script.size() : end + 2;
            current += u' ';
        } else if (ch == u';') {
            finish();
            ++i;
        } else {
            current += ch;
            ++i;
        }
    }
    finish();
    return statements;
}

std::optional<QString> build_catalogue(const QString& script, const QString& path) {
    const QFileInfo target(path);
    QTemporaryFile part(
        target.absoluteDir().filePath(target.fileName() + QStringLiteral(".XXXXXX.part")));
    if (!part.open()) return part.errorString();
    part.close();  // SQLite writes it through its own handle

    if (auto problem = fill_file(part.fileName(), script)) return problem;
    if (auto problem = check_catalogue(part.fileName())) return problem;

    // A temporary file is private to its owner; the catalogue is not.
    part.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    std::error_code error;
    std::filesystem::rename(fs_path(part.fileName()), fs_path(target.absoluteFilePath()), error);
    if (error) return QString::fromStdString(error.message());
    part.setAutoRemove(false);  // the file now has its final name
    return std::nullopt;
}

}  // namespace varnel
