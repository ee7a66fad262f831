#include "catalogue/catalogue_store.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "catalogue/catalogue_schema.h"
#include "catalogue/messages.h"
#include "catalogue/sql_support.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

// REAL holds every float exactly, so a size read back is the size written.
float read_size(const QVariant& value) { return static_cast<float>(value.toDouble()); }

// Out-of-range values saturate, so a flag that SQL sees as non-zero stays
// non-zero here.
template <typename Int>
Int read_whole(const QVariant& value, Int if_null) {
    if (value.isNull()) return if_null;
    const qlonglong v = value.toLongLong();
    return static_cast<Int>(
        std::clamp<qlonglong>(v, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max()));
}

// An empty name is still a name; a null QString would be bound as NULL.
QVariant name_value(const QString& name) {
    return name.isNull() ? QVariant(QStringLiteral("")) : QVariant(name);
}

// The statements of each table. A change or delete names the row it picked by
// rowid and by the name it read, so a row that changed in between is not hit.
struct container_table {
    using row = container_type;
    static constexpr const char* select_all =
        "SELECT rowid, ji_name, ji_x, ji_y, ji_z, ji_load, ji_flage FROM jicicun ORDER BY rowid";
    static constexpr const char* select_writable =
        "SELECT rowid, ji_name, ji_x, ji_y, ji_z, ji_load, ji_flage FROM jicicun"
        " WHERE ji_flage = 0 ORDER BY rowid";
    static constexpr const char* insert =
        "INSERT INTO jicicun (ji_name, ji_x, ji_y, ji_z, ji_load, ji_flage)"
        " VALUES (?, ?, ?, ?, 0, 0)";
    static constexpr const char* update =
        "UPDATE jicicun SET ji_name = ?, ji_x = ?, ji_y = ?, ji_z = ?"
        " WHERE rowid = ? AND ji_name IS ? AND ji_flage = 0";
    static constexpr const char* remove =
        "DELETE FROM jicicun WHERE rowid = ? AND ji_name IS ? AND ji_flage = 0";

    static row read(const QSqlQuery& q) {
        // A row without a flag is treated as built in: the safe side.
        return {q.value(1).toString(),
                read_size(q.value(2)),
                read_size(q.value(3)),
                read_size(q.value(4)),
                read_whole<std::int32_t>(q.value(5), 0),
                read_whole<std::int16_t>(q.value(6), 1)};
    }
};

struct carton_table {
    using row = catalogue_carton;
    static constexpr const char* select_all =
        "SELECT rowid, bao_name, bao_a, bao_b, bao_c FROM bao_stream ORDER BY rowid";
    static constexpr const char* select_writable = select_all;
    static constexpr const char* insert =
        "INSERT INTO bao_stream (bao_name, bao_a, bao_b, bao_c) VALUES (?, ?, ?, ?)";
    static constexpr const char* update =
        "UPDATE bao_stream SET bao_name = ?, bao_a = ?, bao_b = ?, bao_c = ?"
        " WHERE rowid = ? AND bao_name IS ?";
    static constexpr const char* remove =
        "DELETE FROM bao_stream WHERE rowid = ? AND bao_name IS ?";

    static row read(const QSqlQuery& q) {
        return {q.value(1).toString(), read_size(q.value(2)), read_size(q.value(3)),
                read_size(q.value(4))};
    }
};

struct pallet_table {
    using row = pallet_type;
    static constexpr const char* select_all =
        "SELECT rowid, tp_name, tp_x, tp_y, tp_z, tp_weight, tp_load_z, tp_load FROM tuopan"
        " ORDER BY rowid";
    static constexpr const char* select_writable = select_all;
    static constexpr const char* insert =
        "INSERT INTO tuopan (tp_name, tp_x, tp_y, tp_z, tp_weight, tp_load_z, tp_load)"
        " VALUES (?, ?, ?, ?, ?, ?, ?)";
    static constexpr const char* update =
        "UPDATE tuopan SET tp_name = ?, tp_x = ?, tp_y = ?, tp_z = ?, tp_weight = ?,"
        " tp_load_z = ?, tp_load = ? WHERE rowid = ? AND tp_name IS ?";
    static constexpr const char* remove = "DELETE FROM tuopan WHERE rowid = ? AND tp_name IS ?";
    static constexpr const char* name_exists = "SELECT 1 FROM tuopan WHERE tp_name = ? LIMIT 1";

    static row read(const QSqlQuery& q) {
        return {q.value(1).toString(), read_size(q.value(2)), read_size(q.value(3)),
                read_size(q.value(4)), read_size(q.value(5)), read_size(q.value(6)),
                read_size(q.value(7))};
    }
    // The name, then every figure, as the statements bind them.
    static QVariantList values(const row& p) {
        return {name_value(p.name), double{p.length},      double{p.width},      double{p.height},
                double{p.weight},   double{p.load_height}, double{p.load_weight}};
    }
};

template <typename Row>
struct stored_row {
    qlonglong rowid = 0;
    Row row;
};

template <typename Table>
using stored_rows = std::vector<stored_row<typename Table::row>>;

template <typename Table>
read_result<stored_rows<Table>> read_rows(const QSqlDatabase& db, const char* statement) {
    read_result<stored_rows<Table>> result;
    QSqlQuery q(db);
    if (!sql::run(q, statement)) {
        result.error = sql::error_text(q.lastError());
        return result;
    }
    while (q.next()) result.value.push_back({q.value(0).toLongLong(), Table::read(q)});
    if (q.lastError().isValid()) result.error = sql::error_text(q.lastError());
    return result;
}

// An exact spelling wins over a mere match, so of "abc" and "ABC" each can
// still be reached by its own name.
template <typename Row>
const stored_row<Row>* pick_row(const std::vector<stored_row<Row>>& rows, const QString& name) {
    const stored_row<Row>* first_match = nullptr;
    for (const stored_row<Row>& r : rows) {
        if (r.row.name == name) return &r;
        if (!first_match && catalogue_names_match(r.row.name, name)) first_match = &r;
    }
    return first_match;
}

template <typename Table>
read_result<std::vector<typename Table::row>> list_rows(const QSqlDatabase& db,
                                                        const char* statement) {
    read_result<stored_rows<Table>> rows = read_rows<Table>(db, statement);
    read_result<std::vector<typename Table::row>> result;
    result.error = std::move(rows.error);
    if (!result.ok()) return result;
    result.value.reserve(rows.value.size());
    for (auto& r : rows.value) result.value.push_back(std::move(r.row));
    return result;
}

template <typename Table>
read_result<std::optional<typename Table::row>> find_row(const QSqlDatabase& db,
                                                         const QString& name) {
    const read_result<stored_rows<Table>> rows = read_rows<Table>(db, Table::select_all);
    read_result<std::optional<typename Table::row>> result;
    result.error = rows.error;
    if (!result.ok()) return result;
    if (const auto* r = pick_row(rows.value, name)) result.value = r->row;
    return result;
}

write_result write_statement(const QSqlDatabase& db, const char* statement,
                             const QVariantList& values) {
    QSqlQuery q(db);
    if (!sql::run(q, statement, values)) {
        return {write_status::failed, sql::error_text(q.lastError())};
    }
    return {q.numRowsAffected() > 0 ? write_status::done : write_status::not_found, {}};
}

// `values` are the new name and figures in the update's order.
template <typename Table>
write_result change_row(const QSqlDatabase& db, const QString& name, QVariantList values) {
    const read_result<stored_rows<Table>> rows = read_rows<Table>(db, Table::select_writable);
    if (!rows.ok()) return {write_status::failed, rows.error};
    const auto* target = pick_row(rows.value, name);
    if (!target) return {write_status::not_found, {}};
    values << target->rowid << QVariant(target->row.name);
    return write_statement(db, Table::update, values);
}

read_result<bool> name_exists(const QSqlDatabase& db, const char* statement, const QString& name) {
    read_result<bool> result;
    QSqlQuery q(db);
    if (!sql::run(q, statement, {name_value(name)})) {
        result.error = sql::error_text(q.lastError());
        return result;
    }
    result.value = q.next();
    if (q.lastError().isValid()) result.error = sql::error_text(q.lastError());
    return result;
}

template <typename Table>
write_result delete_row(const QSqlDatabase& db, const QString& name) {
    const read_result<stored_rows<Table>> rows = read_rows<Table>(db, Table::select_writable);
    if (!rows.ok()) return {write_status::failed, rows.error};
    const auto* target = pick_row(rows.value, name);
    if (!target) return {write_status::not_found, {}};
    return write_statement(db, Table::remove, {target->rowid, QVariant(target->row.name)});
}

QStringView without_trailing_blanks(QStringView s) {
    while (!s.isEmpty() && s.back() == u' ') s.chop(1);
    return s;
}

}  // namespace

bool catalogue_names_match(QStringView stored, QStringView given) {
    return without_trailing_blanks(stored).compare(without_trailing_blanks(given),
                                                   Qt::CaseInsensitive) == 0;
}

catalogue_store::catalogue_store(QSqlDatabase db, QString path, bool pallets_kept)
    : db_(std::move(db)), path_(std::move(path)), pallets_kept_(pallets_kept) {}

catalogue_store::~catalogue_store() { sql::drop_connection(db_); }

read_result<std::vector<container_type>> catalogue_store::all_containers() const {
    return list_rows<container_table>(db_, container_table::select_all);
}

read_result<std::vector<container_type>> catalogue_store::user_containers() const {
    return list_rows<container_table>(db_, container_table::select_writable);
}

read_result<std::optional<container_type>> catalogue_store::find_container(
    const QString& name) const {
    return find_row<container_table>(db_, name);
}

read_result<int> catalogue_store::container_payload(const QString& name) const {
    const auto found = find_container(name);
    return {found.value ? found.value->payload_kg() : 0, found.error};
}

read_result<bool> catalogue_store::container_name_exists(const QString& name) const {
    return name_exists(db_, "SELECT 1 FROM jicicun WHERE ji_name = ? LIMIT 1", name);
}

write_result catalogue_store::add_container(const QString& name, float length, float width,
                                            float height) {
    return write_statement(db_, container_table::insert,
                           {name_value(name), double{length}, double{width}, double{height}});
}

write_result catalogue_store::change_container(const QString& name, const QString& new_name,
                                               float length, float width, float height) {
    return change_row<container_table>(
        db_, name, {name_value(new_name), double{length}, double{width}, double{height}});
}

write_result catalogue_store::delete_container(const QString& name) {
    return delete_row<container_table>(db_, name);
}

read_result<std::vector<catalogue_carton>> catalogue_store::all_cartons() const {
    return list_rows<carton_table>(db_, carton_table::select_all);
}

read_result<std::optional<catalogue_carton>> catalogue_store::find_carton(
    const QString& name) const {
    return find_row<carton_table>(db_, name);
}

write_result catalogue_store::add_carton(const QString& name, float length, float width,
                                         float height) {
    return write_statement(db_, carton_table::insert,
                           {name_value(name), double{length}, double{width}, double{height}});
}

write_result catalogue_store::change_carton(const QString& name, const QString& new_name,
                                            float length, float width, float height) {
    return change_row<carton_table>(
        db_, name, {name_value(new_name), double{length}, double{width}, double{height}});
}

write_result catalogue_store::delete_carton(const QString& name) {
    return delete_row<carton_table>(db_, name);
}

read_result<std::vector<pallet_type>> catalogue_store::all_pallets() const {
    return list_rows<pallet_table>(db_, pallet_table::select_all);
}

read_result<std::optional<pallet_type>> catalogue_store::find_pallet(const QString& name) const {
    return find_row<pallet_table>(db_, name);
}

read_result<bool> catalogue_store::pallet_name_exists(const QString& name) const {
    return name_exists(db_, pallet_table::name_exists, name);
}

// The lent table of a catalogue that could not be upgraded lives only as
// long as the connection: a write to it would be lost without a word.
write_result catalogue_store::add_pallet(const pallet_type& pallet) {
    if (!pallets_kept_) return {write_status::failed, qtext(text::pallets_not_kept)};
    return write_statement(db_, pallet_table::insert, pallet_table::values(pallet));
}

write_result catalogue_store::change_pallet(const QString& name, const pallet_type& pallet) {
    if (!pallets_kept_) return {write_status::failed, qtext(text::pallets_not_kept)};
    return change_row<pallet_table>(db_, name, pallet_table::values(pallet));
}

write_result catalogue_store::delete_pallet(const QString& name) {
    if (!pallets_kept_) return {write_status::failed, qtext(text::pallets_not_kept)};
    return delete_row<pallet_table>(db_, name);
}

read_result<int> catalogue_store::version() const {
    const std::optional<int> v = stored_version(db_);
    read_result<int> result;
    if (v)
        result.value = *v;
    else
        result.error = sql::error_text(db_.lastError());
    return result;
}

}  // namespace varnel
