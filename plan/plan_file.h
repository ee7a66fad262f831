#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace varnel {

// The name a plan is saved under: a file name typed without any suffix
// ("装运40尺") gets `suffix`, so the open dialog's filter shows it again; a
// name with a suffix of any kind, or naming a folder, is used as typed.
QString plan_file_name(const QString& typed, QStringView suffix = u".qrn");

// Writes `bytes` to a temporary file beside `path` and renames it over the
// target (the file its links lead to, when it is a link), so a failed save
// leaves any old file as it was and a replaced one keeps its permissions.
// The temporary is hidden and named as the program's own
// (".NAME.varnel-XXXXXX"), so one left by a save killed before its rename
// cannot be taken for a user's file. An existing target that is a device or
// a FIFO is written into instead, never replaced (a FIFO nobody reads fails
// at once). On failure returns the system's reason.
std::optional<QString> save_file_atomically(const QString& path, std::string_view bytes);

// Far more than any plan file holds (a full one is some 15 KB); reading stops
// there, so a wrong file chosen by mistake cannot exhaust memory.
inline constexpr qint64 max_plan_file_size = 16 * 1024 * 1024;

struct file_contents {
    enum class state {
        read,         // the whole file
        cut_short,    // a read failed or the file is larger than the limit
        not_opened,   // it cannot be opened for reading
        not_regular,  // a FIFO, a device or a folder: never read
    };
    state status = state::not_opened;
    std::string bytes;       // what was read, also when cut short
    bool too_large = false;  // cut short at the limit: the file holds more
};

file_contents read_whole_file(const QString& path, qint64 limit = max_plan_file_size);

}  // namespace varnel
