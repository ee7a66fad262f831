#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace varnel {

// The catalogue file; it lives beside the executable.
inline constexpr const char* catalogue_file_name = "qr_ji.qrd";

// A row of `jicicun`. Inner sizes in millimetres, from the columns `ji_x`,
// `ji_y` and `ji_z`.
struct container_type {
    QString name;
    float length = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    // Payload in kg; 0 (or less) when not known. Heavy-duty types carry
    // more than a 16-bit count holds.
    std::int32_t load = 0;
    std::int16_t flag = 0;  // 0: the user's own type; anything else: built in

    bool built_in() const { return flag != 0; }
    // The payload in kg, 0 when the catalogue does not know it.
    int payload_kg() const { return load > 0 ? load : 0; }
    bool operator==(const container_type&) const = default;
};

// A row of `bao_stream`. Sizes in millimetres, from the columns `bao_a`,
// `bao_b` and `bao_c`.
struct catalogue_carton {
    QString name;
    float length = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    bool operator==(const catalogue_carton&) const = default;
};

// A row of `tuopan`: a pallet type. Sizes in millimetres, weights in
// kilograms.
struct pallet_type {
    QString name;
    float length = 0.0f;
    float width = 0.0f;
    float height = 0.0f;       // the pallet's own
    float weight = 0.0f;       // the pallet's own
    float load_height = 0.0f;  // the most the load may rise above the pallet
    float load_weight = 0.0f;  // the most the load may weigh

    bool operator==(const pallet_type&) const = default;
};

// What a read gives back. `error` is the store's reason when the read
// failed, and empty when it worked.
template <typename T>
struct read_result {
    T value{};
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// A change or delete that finds no row is not a failure of the store: the
// dialogs tell the user different things.
enum class write_status { done, not_found, failed };

struct write_result {
    write_status status = write_status::failed;
    QString error;  // the store's reason when `status` is failed
};

// How the by-name operations compare a stored name with a given one: letter
// case (Unicode case folding, not only A to Z) and blanks (U+0020) at the end
// of either name do not count. Everything else does, leading blanks included.
bool catalogue_names_match(QStringView stored, QStringView given);

// The one connection to the catalogue. The main window opens it at start-up
// and keeps it until the process ends; the dialogs borrow it. Every
// operation runs to its end and leaves nothing open behind it.
//
// The by-name operations act on one row: of the rows whose names match, one
// spelled exactly like the given name, else the first in store order. Writes
// to containers never touch a built-in type.
class catalogue_store {
public:
    ~catalogue_store();
    catalogue_store(const catalogue_store&) = delete;
    catalogue_store& operator=(const catalogue_store&) = delete;

    const QString& file_path() const { return path_; }

    // Container types, in store order.
    read_result<std::vector<container_type>> all_containers() const;
    read_result<std::vector<container_type>> user_containers() const;
    read_result<std::optional<container_type>> find_container(const QString& name) const;
    // The payload in kg of the type of that name: 0 when it is not known (a
    // user's own type, a catalogue older than the payloads) or no type has
    // that name.
    read_result<int> container_payload(const QString& name) const;
    // Whether a row carries exactly this name, character for character.
    read_result<bool> container_name_exists(const QString& name) const;
    // Adds the user's own type (`ji_load` 0, `ji_flage` 0).
    write_result add_container(const QString& name, float length, float width, float height);
    // Name and three sizes in one statement: all of them change or none.
    write_result change_container(const QString& name, const QString& new_name, float length,
                                  float width, float height);
    write_result delete_container(const QString& name);

    // Carton types, in store order.
    read_result<std::vector<catalogue_carton>> all_cartons() const;
    read_result<std::optional<catalogue_carton>> find_carton(const QString& name) const;
    write_result add_carton(const QString& name, float length, float width, float height);
    write_result change_carton(const QString& name, const QString& new_name, float length,
                               float width, float height);
    write_result delete_carton(const QString& name);

    // Pallet types, in store order. A catalogue this program could not
    // upgrade (its file is not writable) lends the delivered types for
    // reading; writes to them then fail.
    read_result<std::vector<pallet_type>> all_pallets() const;
    read_result<std::optional<pallet_type>> find_pallet(const QString& name) const;
    // Whether a row carries exactly this name, character for character.
    read_result<bool> pallet_name_exists(const QString& name) const;
    write_result add_pallet(const pallet_type& pallet);
    // Name and every figure in one statement: all of them change or none.
    write_result change_pallet(const QString& name, const pallet_type& pallet);
    write_result delete_pallet(const QString& name);

    // SQLite's user_version of the file (catalogue_schema.h).
    read_result<int> version() const;

private:
    friend struct catalogue_opener;
    catalogue_store(QSqlDatabase db, QString path, bool pallets_kept);

    QSqlDatabase db_;
    QString path_;
    bool pallets_kept_ = true;  // the pallet table is the file's, not a lent one
};

struct catalogue_options {
    // Qt keeps connections by name; a second store at the same time (a test's
    // copy, the planner) needs a name of its own.
    QString connection_name = QStringLiteral("varnel_catalogue");
    // For callers that only read: then every write fails, whatever the file's
    // permissions.
    bool read_only = false;
    // How long a statement waits for another program's write to end before
    // it fails as "in use".
    int busy_wait_ms = 5000;
};

struct open_result {
    std::unique_ptr<catalogue_store> store;  // null when opening failed
    QString error;                           // the text to show, with path and reason
};

// Opens `qr_ji.qrd` in `folder`. Never creates a file: a missing file, one
// that is no SQLite database, or one without both tables and all their
// columns is refused. A catalogue older than this program gains what it
// lacks (catalogue_schema.h) when opened for writing.
open_result open_catalogue(const QString& folder, const catalogue_options& options = {});
open_result open_catalogue_file(const QString& path, const catalogue_options& options = {});

}  // namespace varnel
