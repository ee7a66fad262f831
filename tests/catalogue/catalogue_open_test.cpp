#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "catalogue/catalogue_store.h"
#include "tests/catalogue/catalogue_copy.h"

namespace varnel {
namespace {

using test_support::catalogue_copy;

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

QString open_error(const QString& file, const char* reason) {
    return q("无法打开数据库文件“") + QDir::toNativeSeparators(file) + q("”：") + q(reason);
}

// Writes `bytes` into qr_ji.qrd, or with no bytes but statements makes it a
// database holding what they create.
void make_file(const QString& file, const QByteArray& bytes, const QStringList& statements) {
    if (statements.isEmpty()) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "maker");
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        for (const QString& s : statements) ASSERT_TRUE(QSqlQuery(db).exec(s)) << s.toStdString();
    }
    QSqlDatabase::removeDatabase("maker");
}

TEST(open_catalogue, RefusesWhatIsNoCatalogueAndCreatesNothing) {
    const QString containers =
        "CREATE TABLE jicicun (ji_name TEXT, ji_x REAL, ji_y REAL, ji_z REAL,"
        " ji_load INTEGER";
    const QString cartons = "CREATE TABLE bao_stream (bao_name TEXT, bao_a, bao_b, bao_c)";
    const struct {
        const char* what;
        QByteArray bytes;
        QStringList statements;
        const char* reason;
    } cases[] = {
        {"missing", {}, {}, "文件不存在"},
        {"text",
         QByteArray("Only some text, long enough to be read as a header.\n").repeated(4),
         {},
         "file is not a database"},
        {"empty", "", {}, "no such table: jicicun"},
        {"no cartons", {}, {containers + ", ji_flage INTEGER)"}, "no such table: bao_stream"},
        {"no flag", {}, {containers + ")", cartons}, "no such column: ji_flage"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString file = dir.filePath("qr_ji.qrd");
        if (!c.bytes.isNull() || !c.statements.isEmpty()) make_file(file, c.bytes, c.statements);
        const QStringList files_before = QDir(dir.path()).entryList(QDir::Files);

        const open_result opened = open_catalogue(dir.path());
        EXPECT_FALSE(opened.store);
        EXPECT_EQ(opened.error, open_error(file, c.reason));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), files_before);
        EXPECT_FALSE(QSqlDatabase::contains("varnel_catalogue"));  // the name is free again
    }
}

TEST(open_catalogue, FolderNamesWithUriCharacters) {
    const catalogue_copy copy(q("目录 50%#?&=;'"));
    const open_result opened = open_catalogue(copy.folder());
    ASSERT_TRUE(opened.store) << opened.error.toStdString();
    EXPECT_EQ(opened.store->file_path(), copy.file());
    EXPECT_EQ(opened.store->all_containers().value.size(), 8u);
}

TEST(open_catalogue, OneStorePerConnectionName) {
    const catalogue_copy first;
    const catalogue_copy second;
    auto a = open_catalogue(first.folder(), {"first", false}).store;
    auto b = open_catalogue(second.folder(), {"second", false}).store;
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->add_carton("only in the first", 150, 150, 150).status, write_status::done);
    EXPECT_FALSE(b->find_carton("only in the first").value);

    const open_result again = open_catalogue(second.folder(), {"first", false});
    EXPECT_EQ(again.error, open_error(second.file(), "该数据库连接已经打开"));
    EXPECT_TRUE(a->find_carton("only in the first").value);  // the first store still works
    a.reset();
    EXPECT_TRUE(open_catalogue(second.folder(), {"first", false}).store);
}

// Reads work; every write fails with the store's reason and changes nothing.
void expect_read_only(const catalogue_copy& copy, const catalogue_options& options) {
    {
        // A user row, so that changing and deleting a container is tried on a row that exists.
        auto writable = open_catalogue(copy.folder(), {"writable", false}).store;
        ASSERT_EQ(writable->add_container("mine", 1, 2, 3).status, write_status::done);
    }
    if (!options.read_only) {
        ASSERT_TRUE(QFile::setPermissions(copy.file(), QFile::ReadOwner));
    }
    const auto store = open_catalogue(copy.folder(), options).store;
    ASSERT_TRUE(store);
    const auto containers = store->all_containers().value;
    const auto cartons = store->all_cartons().value;
    ASSERT_EQ(containers.size(), 9u);
    ASSERT_FALSE(cartons.empty());
    EXPECT_TRUE(store->find_container(q("40尺柜 ")).value);

    const QString carton = cartons.front().name;
    for (const write_result& w :
         {store->add_container("new", 1, 2, 3), store->change_container("mine", "new", 4, 5, 6),
          store->delete_container("mine"), store->add_carton("new", 150, 150, 150),
          store->change_carton(carton, "new", 150, 150, 150), store->delete_carton(carton)}) {
        EXPECT_EQ(w.status, write_status::failed);
        EXPECT_EQ(w.error, "attempt to write a readonly database");
    }
    EXPECT_EQ(store->all_containers().value, containers);
    EXPECT_EQ(store->all_cartons().value, cartons);
}

TEST(open_catalogue, ReadOnlyOpen) { expect_read_only(catalogue_copy(), {"read_only", true}); }

TEST(open_catalogue, FileWithoutWritePermission) {
#ifdef Q_OS_UNIX
    if (geteuid() == 0) GTEST_SKIP() << "root writes whatever the permissions (see ReadOnlyOpen)";
#endif
    expect_read_only(catalogue_copy(), {"no_permission", false});
}

}  // namespace
}  // namespace varnel
