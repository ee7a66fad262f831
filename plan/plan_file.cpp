#include "plan/plan_file.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace varnel {

std::optional<QString> save_file_atomically(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

file_contents read_whole_file(const QString& path, qint64 limit) {
    file_contents contents;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return contents;
    contents.status = file_contents::state::read;
    // In pieces, so that a device without an end (or a huge file) stops at
    // the limit instead of filling memory.
    constexpr qint64 piece = 64 * 1024;
    std::string buffer(static_cast<std::size_t>(piece), '\0');
    while (true) {
        const qint64 room = limit - static_cast<qint64>(contents.bytes.size());
        const qint64 got = file.read(buffer.data(), std::min(piece, room + 1));
        if (got < 0) {
            contents.status = file_contents::state::cut_short;
            break;
        }
        if (got == 0) break;
        if (got > room) {
            contents.bytes.append(buffer.data(), static_cast<std::size_t>(room));
            contents.status = file_contents::state::cut_short;
            break;
        }
        contents.bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return contents;
}

}  // namespace varnel
