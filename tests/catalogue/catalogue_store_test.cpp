#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

#include "catalogue/catalogue_store.h"
#include "tests/catalogue/catalogue_copy.h"

namespace varnel {
namespace {

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

class catalogue_store_test : public ::testing::Test {
protected:
    void SetUp() override {
        open_result opened = open_catalogue(copy.folder(), {"test", false});
        ASSERT_TRUE(opened.store) << opened.error.toStdString();
        store = std::move(opened.store);
    }
    // The row found, or an exception that fails the test.
    container_type found_container(const QString& name) const {
        return store->find_container(name).value.value();
    }
    catalogue_carton found_carton(const QString& name) const {
        return store->find_carton(name).value.value();
    }
    std::vector<QString> user_names() const {
        std::vector<QString> names;
        for (const auto& c : store->user_containers().value) names.push_back(c.name);
        return names;
    }

    test_support::catalogue_copy copy;
    std::unique_ptr<catalogue_store> store;
};

TEST_F(catalogue_store_test, DeliveredRows) {
    const std::vector<container_type> built_in = {
        {q("20尺柜"), 5896, 2350, 2393, 28180, 1},
        {q("40尺柜"), 12032, 2350, 2392, 26730, 1},
        {q("40尺高柜"), 12032, 2350, 2697, 26540, 1},
        {q("45尺高柜"), 13556, 2347, 2696, 25660, 1},
        {q("20尺冷藏柜"), 5440, 2280, 2180, 27400, 1},
        {q("40尺冷藏高柜"), 11590, 2285, 2400, 25680, 1},
        {q("20尺开顶柜"), 5890, 2340, 2380, 28120, 1},
        {q("40尺开顶柜"), 12030, 2340, 2380, 26580, 1},
    };
    EXPECT_EQ(store->all_containers().value, built_in);
    EXPECT_TRUE(store->user_containers().value.empty());
    const auto cartons = store->all_cartons().value;
    ASSERT_FALSE(cartons.empty());
    for (const catalogue_carton& c : cartons) {
        EXPECT_GE(std::min({c.length, c.width, c.height}), 150.0f) << c.name.toStdString();
    }
}

TEST(catalogue_names_match, IgnoresLetterCaseAndTrailingBlanksOnly) {
    const struct {
        const char* stored;
        const char* given;
        bool match;
    } cases[] = {
        {"40尺柜", "40尺柜 ", true},   {"40尺柜  ", "40尺柜", true},
        {"Abc ", "aBC   ", true},      {"ÄÖÜ", "äöü", true},
        {"ＡＢＣ", "ａｂｃ", true},    {"", "   ", true},
        {"40尺柜", " 40尺柜", false},  {"40尺柜", "40尺柜\u3000", false},
        {"40尺柜", "40尺柜\t", false}, {"40尺柜", "40尺", false},
        {"a_c", "abc", false},         {"a%", "abc", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(catalogue_names_match(q(c.stored), q(c.given)), c.match)
            << c.stored << " / " << c.given;
    }
}

TEST_F(catalogue_store_test, ContainerOperations) {
    ASSERT_EQ(store->add_container("My box", 5890, 2350, 2390).status, write_status::done);
    EXPECT_EQ(store->all_containers().value.back(),
              (container_type{"My box", 5890, 2350, 2390, 0, 0}));
    EXPECT_EQ(user_names(), std::vector<QString>{"My box"});
    EXPECT_EQ(found_container(q("40尺柜  ")).length, 12032.0f);

    EXPECT_EQ(store->change_container("MY BOX ", "Yours", 100, 200, 300).status,
              write_status::done);
    EXPECT_FALSE(store->find_container("My box").value);
    EXPECT_EQ(found_container("yours"), (container_type{"Yours", 100, 200, 300, 0, 0}));

    EXPECT_EQ(store->delete_container("yours").status, write_status::done);
    EXPECT_EQ(store->delete_container("yours").status, write_status::not_found);
    EXPECT_EQ(store->change_container("yours", "x", 1, 1, 1).status, write_status::not_found);
    EXPECT_TRUE(user_names().empty());
}

TEST_F(catalogue_store_test, PayloadsOfDeliveredAndOwnTypes) {
    ASSERT_EQ(store->add_container(q("My box"), 5890, 2350, 2390).status, write_status::done);
    const struct {
        QString name;
        int payload;
    } cases[] = {{q("40尺柜"), 26730}, {q("20尺柜 "), 28180}, {q("My box"), 0}, {q("火星柜"), 0}};
    for (const auto& c : cases) {
        const read_result<int> payload = store->container_payload(c.name);
        EXPECT_TRUE(payload.ok());
        EXPECT_EQ(payload.value, c.payload) << c.name.toStdString();
    }
}

// A catalogue installed before the payloads keeps 0 in its built-in rows;
// heavy-duty types carry more than a 16-bit count holds.
TEST(catalogue_payload, ReadAsStored) {
    const test_support::catalogue_copy copy;
    const struct {
        const char* name;
        const char* stored;
        int payload;
    } cases[] = {{"40尺柜", "0", 0},
                 {"20尺柜", "NULL", 0},
                 {"40尺高柜", "-7", 0},
                 {"45尺高柜", "40000", 40000},
                 {"20尺冷藏柜", "32768", 32768},
                 {"40尺冷藏高柜", "9999999999", 2147483647}};
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
        db.setDatabaseName(copy.file());
        ASSERT_TRUE(db.open());
        for (const auto& c : cases) {
            const QString s = q("UPDATE jicicun SET ji_load = %1 WHERE ji_name = '%2'")
                                  .arg(q(c.stored), q(c.name));
            QSqlQuery update(db);
            ASSERT_TRUE(update.exec(s)) << s.toStdString();
            ASSERT_EQ(update.numRowsAffected(), 1) << c.name;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("older"));
    const open_result opened = open_catalogue(copy.folder(), {QStringLiteral("older_store"), true});
    ASSERT_TRUE(opened.store);
    for (const auto& c : cases) {
        EXPECT_EQ(opened.store->container_payload(q(c.name)).value, c.payload) << c.name;
    }
    EXPECT_EQ(opened.store->find_container(q("40尺柜")).value->length, 12032.0f);
}

TEST_F(catalogue_store_test, CartonOperations) {
    const auto delivered = store->all_cartons().value;
    ASSERT_EQ(store->add_carton("Crate", 235, 300, 400).status, write_status::done);
    EXPECT_EQ(store->all_cartons().value.back(), (catalogue_carton{"Crate", 235, 300, 400}));

    EXPECT_EQ(store->change_carton("crate ", "Crate 2", 150, 160, 170).status, write_status::done);
    EXPECT_FALSE(store->find_carton("Crate").value);
    EXPECT_EQ(found_carton("CRATE 2"), (catalogue_carton{"Crate 2", 150, 160, 170}));

    EXPECT_EQ(store->delete_carton("crate 2").status, write_status::done);
    EXPECT_EQ(store->delete_carton("crate 2").status, write_status::not_found);
    EXPECT_EQ(store->change_carton("crate 2", "x", 150, 150, 150).status, write_status::not_found);
    EXPECT_EQ(store->all_cartons().value, delivered);
    EXPECT_EQ(store->delete_carton(delivered.front().name).status,
              write_status::done);  // presets too
}

// Every figure goes in and comes back as typed, and a change writes all of
// them or none; delivered pallet types are the user's to change too.
TEST_F(catalogue_store_test, PalletOperations) {
    const auto delivered = store->all_pallets().value;
    ASSERT_EQ(delivered.size(), 4u);
    const pallet_type skid{"Skid", 1143, 1143, 122.5f, 18.5f, 1650, 1200.5f};
    ASSERT_EQ(store->add_pallet(skid).status, write_status::done);
    EXPECT_EQ(store->all_pallets().value.back(), skid);
    EXPECT_TRUE(store->pallet_name_exists("Skid").value);
    EXPECT_FALSE(store->pallet_name_exists("skid").value);

    const pallet_type changed{"Skid 2", 1000, 1200, 100, 20, 1800, 900};
    EXPECT_EQ(store->change_pallet("skid ", changed).status, write_status::done);
    EXPECT_FALSE(store->find_pallet("Skid").value);
    EXPECT_EQ(store->find_pallet("SKID 2").value, changed);

    EXPECT_EQ(store->delete_pallet("skid 2").status, write_status::done);
    EXPECT_EQ(store->delete_pallet("skid 2").status, write_status::not_found);
    EXPECT_EQ(store->change_pallet("skid 2", skid).status, write_status::not_found);
    EXPECT_EQ(store->all_pallets().value, delivered);
    EXPECT_EQ(store->change_pallet(delivered.front().name, skid).status, write_status::done);
}

// The exact add check lets "40尺柜 " and both "abc" and "ABC" in: each stays
// reachable by its own name, without touching its look-alike, and built-in
// types are never changed or deleted.
TEST_F(catalogue_store_test, LookAlikeNames) {
    for (const char* name : {"40尺柜 ", "abc", "ABC"}) {
        ASSERT_EQ(store->add_container(q(name), 1, 2, 3).status, write_status::done);
    }
    EXPECT_TRUE(store->container_name_exists(q("40尺柜 ")).value);
    EXPECT_FALSE(store->container_name_exists(q("40尺柜  ")).value);
    EXPECT_FALSE(store->container_name_exists("Abc").value);
    EXPECT_EQ(found_container(q("40尺柜 ")).flag, 0);
    EXPECT_EQ(found_container(q("40尺柜")).flag, 1);
    EXPECT_EQ(found_container("Abc").name, "abc");  // no exact one: the first

    EXPECT_EQ(store->change_container("ABC", "ABC", 7, 8, 9).status, write_status::done);
    EXPECT_EQ(found_container("abc").length, 1.0f);
    EXPECT_EQ(store->delete_container(q("40尺柜 ")).status, write_status::done);
    EXPECT_EQ(store->delete_container("ABC").status, write_status::done);
    EXPECT_EQ(user_names(), std::vector<QString>{"abc"});

    const auto before = store->all_containers().value;
    EXPECT_EQ(store->delete_container(q("40尺柜 ")).status, write_status::not_found);
    EXPECT_EQ(store->change_container(q("40尺柜"), "x", 1, 1, 1).status, write_status::not_found);
    EXPECT_EQ(store->all_containers().value, before);
}

TEST_F(catalogue_store_test, AwkwardNamesStoreMatchAndDelete) {
    for (const char* raw : {"O'Brien's", "'", "'); DROP TABLE jicicun; --", "\"x\"", "100%", "%",
                            "a_b", "_", "back\\slash", "tab\there", "集装箱？*[]"}) {
        const QString name = q(raw);
        SCOPED_TRACE(raw);
        EXPECT_FALSE(store->find_container(name).value);
        ASSERT_EQ(store->add_container(name, 1, 2, 3).status, write_status::done);
        ASSERT_EQ(store->add_carton(name, 150, 160, 170).status, write_status::done);
        EXPECT_TRUE(store->container_name_exists(name).value);
        EXPECT_EQ(found_carton(name).name, name);
        EXPECT_EQ(store->change_container(name, name, 4, 5, 6).status, write_status::done);
        EXPECT_EQ(found_container(name).length, 4.0f);
        EXPECT_EQ(store->delete_container(name).status, write_status::done);
        EXPECT_EQ(store->delete_carton(name).status, write_status::done);
    }
    EXPECT_EQ(store->all_containers().value.size(), 8u);
    EXPECT_TRUE(user_names().empty());
}

TEST_F(catalogue_store_test, SizesReadBackAsTheSameFloat) {
    for (const float s : {0.1f, 123.456f, 3.0f / 7, 1e-45f, FLT_MIN, FLT_MAX, -5.0f, 16777217.0f,
                          std::nextafter(150.0f, 0.0f)}) {
        const QString name = QString::number(static_cast<double>(s), 'g', 9);
        ASSERT_EQ(store->add_carton(name, s, s, s).status, write_status::done);
        ASSERT_EQ(store->add_container(name, s, s, s).status, write_status::done);
        EXPECT_EQ(found_carton(name).width, s) << name.toStdString();
        EXPECT_EQ(found_container(name).height, s) << name.toStdString();
    }
}

}  // namespace
}  // namespace varnel
