#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include "catalogue/catalogue_store.h"
#include "tests/catalogue/catalogue_copy.h"

namespace varnel {
namespace {

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// A catalogue as the program wrote it before pallet types: both tables, a
// built-in and a user's container type, a carton type, user_version 0.
const QStringList older_catalogue = {
    "CREATE TABLE jicicun (ji_name TEXT, ji_x REAL, ji_y REAL, ji_z REAL, ji_load INTEGER,"
    " ji_flage INTEGER)",
    "CREATE TABLE bao_stream (bao_name TEXT, bao_a REAL, bao_b REAL, bao_c REAL)",
    q("INSERT INTO jicicun VALUES ('40尺柜', 12032, 2350, 2392, 26730, 1)"),
    "INSERT INTO jicicun VALUES ('My Box', 5890, 2350, 2390, 0, 0)",
    q("INSERT INTO bao_stream VALUES ('纸箱 60×40×40', 600, 400, 400)"),
};

const std::vector<container_type> older_containers = {
    {q("40尺柜"), 12032, 2350, 2392, 26730, 1},
    {"My Box", 5890, 2350, 2390, 0, 0},
};
const std::vector<catalogue_carton> older_cartons = {{q("纸箱 60×40×40"), 600, 400, 400}};

// The pallet types every catalogue gains, typed afresh.
const std::vector<pallet_type> delivered_pallets = {
    {q("欧标托盘"), 1200, 800, 144, 25, 1500, 1000},
    {q("标准托盘"), 1200, 1000, 150, 25, 1500, 1000},
    {q("美标托盘"), 1219, 1016, 150, 25, 1500, 1000},
    {q("亚标托盘"), 1100, 1100, 150, 25, 1500, 1000},
};

void make_file(const QString& file, const QStringList& statements) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "maker");
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        for (const QString& s : statements) ASSERT_TRUE(QSqlQuery(db).exec(s)) << s.toStdString();
    }
    QSqlDatabase::removeDatabase("maker");
}

QByteArray bytes_of(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An older catalogue gains the pallet table in one step on its first open
// for writing and keeps every row; one that cannot take the step (opened
// for reading, or a step that fails) is left as it was and lends the
// delivered pallet types for reading only. Opening again changes nothing.
TEST(catalogue_upgrade, OlderCataloguesGainPalletTypesAndKeepEveryRow) {
    const struct {
        const char* what;
        QStringList extra;  // statements after the older catalogue's
        bool read_only;
        int version;  // after opening
        bool kept;    // the pallet table is the file's own
    } cases[] = {
        {"opened for writing", {}, false, 1, true},
        {"opened for reading", {}, true, 0, false},
        // The step's CREATE TABLE fails: nothing of it stays.
        {"a table in the step's way", {"CREATE TABLE tuopan (x)"}, false, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString file = dir.filePath("qr_ji.qrd");
        make_file(file, older_catalogue + c.extra);
        const QByteArray before = bytes_of(file);
        for (int round = 0; round < 2; ++round) {
            const open_result opened = open_catalogue(dir.path(), {"upgrade_test", c.read_only});
            ASSERT_TRUE(opened.store) << opened.error.toStdString();
            catalogue_store& store = *opened.store;
            EXPECT_EQ(store.version().value, c.version);
            EXPECT_EQ(store.all_containers().value, older_containers);
            EXPECT_EQ(store.all_cartons().value, older_cartons);
            EXPECT_EQ(store.all_pallets().value, delivered_pallets) << "round " << round;
            EXPECT_EQ(store.find_pallet(q("欧标托盘 ")).value, delivered_pallets[0]);
            const write_status written = store.delete_pallet(q("亚标托盘")).status;
            EXPECT_EQ(written, c.kept ? write_status::done : write_status::failed);
            if (c.kept) {
                ASSERT_EQ(store.add_pallet(delivered_pallets[3]).status, write_status::done);
            }
        }
        if (!c.kept) {
            EXPECT_EQ(bytes_of(file), before);
        }
    }
}

TEST(catalogue_upgrade, TheDeliveredCatalogueIsOfTheCurrentVersion) {
    const test_support::catalogue_copy copy;
    const QByteArray before = bytes_of(copy.file());
    const open_result opened = open_catalogue(copy.folder(), {"delivered_test", false});
    ASSERT_TRUE(opened.store);
    EXPECT_EQ(opened.store->version().value, 1);
    EXPECT_EQ(opened.store->all_pallets().value, delivered_pallets);
    EXPECT_EQ(bytes_of(copy.file()), before);  // opening wrote nothing
}

}  // namespace
}  // namespace varnel
