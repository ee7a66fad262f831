#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "catalogue/catalogue_builder.h"

namespace varnel {
namespace {

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(split_sql_statements, SplitsOnSemicolonsOutsideQuotesAndComments) {
    const struct {
        const char* script;
        QStringList statements;
    } cases[] = {
        {"A;\n\n  B  ", {"A", "B"}},
        {"INSERT INTO t VALUES ('x;y');", {"INSERT INTO t VALUES ('x;y')"}},
        {"SELECT 'it''s; fine'; B", {"SELECT 'it''s; fine'", "B"}},
        {"SELECT \"a;b\" FROM t", {"SELECT \"a;b\" FROM t"}},
        {"-- one; two\nA; -- three;\n", {"A"}},
        {"A /* ; */ B; C", {"A   B", "C"}},
        {"SELECT '-- no comment;'", {"SELECT '-- no comment;'"}},
        {";;  ;", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(split_sql_statements(q(c.script)), c.statements) << c.script;
    }
}

// A failed build leaves no partial file, and an older file as it was.
TEST(build_catalogue, FailureLeavesNoFileAndTheOldOneAlone) {
    const QString tables =
        "CREATE TABLE jicicun (ji_name TEXT, ji_x REAL, ji_y REAL, ji_z REAL, ji_load INTEGER,"
        " ji_flage INTEGER);";
    const QString cartons = "CREATE TABLE bao_stream (bao_name TEXT, bao_a, bao_b, bao_c);";
    const QString good =
        tables + cartons + q("INSERT INTO jicicun VALUES ('40尺柜', 1, 2, 3, 0, 1);");
    const struct {
        QString seed;
        const char* reason;  // empty: the build works
    } cases[] = {
        {good, ""},
        {QString(good).replace(q("40尺柜"), q("40尺箱")),
         "no built-in container type \"40尺柜\" in the catalogue"},
        {QString(good).replace("0, 1)", "0, 0)"),
         "no built-in container type \"40尺柜\" in the catalogue"},
        {good + "INSERT INTO nowhere VALUES (1);",
         "no such table: nowhere: INSERT INTO nowhere VALUES (1)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        const QTemporaryDir dir;
        const QString file = dir.filePath("qr_ji.qrd");
        const QString problem = build_catalogue(c.seed, file).value_or("");
        EXPECT_TRUE(problem.endsWith(q(c.reason)) && problem.isEmpty() == !*c.reason)
            << problem.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), *c.reason ? 0 : 1);

        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write("old");
        old.close();
        if (!*c.reason) continue;
        EXPECT_TRUE(build_catalogue(c.seed, file));
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"qr_ji.qrd"});
    }
}

}  // namespace
}  // namespace varnel
