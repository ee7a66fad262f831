#include "plan/plan_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace varnel {

namespace {

QString system_reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Opened without waiting: a FIFO with no one at the other end must not hang
// the caller (it fails, or reads as not regular, at once).
int open_without_waiting(const QString& path, int access) {
    int fd = -1;
    do {
        fd = ::open(QFile::encodeName(path).constData(), access | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// A device or a FIFO the user named is written into as it is; replacing it
// with a plain file would destroy it.
std::optional<QString> write_in_place(const QString& path, std::string_view bytes) {
    const int fd = open_without_waiting(path, O_WRONLY);
    if (fd < 0) return system_reason(errno);
    // Once open, the writes may wait for a slow reader.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::optional<QString> reason;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            reason = system_reason(written < 0 ? errno : EIO);
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::close(fd) != 0 && !reason) reason = system_reason(errno);
    return reason;
}

}  // namespace

QString plan_file_name(const QString& typed, QStringView suffix) {
    const QFileInfo info(typed);
    const QString name = info.fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.')) || info.isDir()) return typed;
    return typed + suffix.toString();
}

std::optional<QString> save_file_atomically(const QString& path, std::string_view bytes) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) return write_in_place(path, bytes);

    QSaveFile file(path);
    // Unbuffered, so that a write refused by a full disk or a size limit
    // fails here; buffered, it would fail inside commit(), which still
    // renames the cut-off file over the old one and reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
    const auto size = static_cast<qint64>(bytes.size());
    errno = 0;
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        // Qt words a refused write as "Unknown error"; the system knows why.
        const QString reason = errno != 0 ? system_reason(errno) : file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

file_contents read_whole_file(const QString& path, qint64 limit) {
    file_contents contents;
    const int fd = open_without_waiting(path, O_RDONLY);
    if (fd < 0) return contents;
    // Only a plain file is a plan: a FIFO would wait for a writer for ever,
    // a device may never end.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        contents.status = file_contents::state::not_regular;
        return contents;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return contents;
    }
    contents.status = file_contents::state::read;
    // In pieces, so that a huge file stops at the limit instead of filling
    // memory.
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
