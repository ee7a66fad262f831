#include "plan/plan_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

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

// Writes every byte, retrying what a signal cut short.
std::optional<QString> write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return system_reason(written < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

// A device or a FIFO the user named is written into as it is; replacing it
// with a plain file would destroy it.
std::optional<QString> write_in_place(const QString& path, std::string_view bytes) {
    const int fd = open_without_waiting(path, O_WRONLY);
    if (fd < 0) return system_reason(errno);
    // Once open, the writes may wait for a slow reader.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::optional<QString> reason = write_all(fd, bytes);
    if (::close(fd) != 0 && !reason) reason = system_reason(errno);
    return reason;
}

// The file a save replaces: the one named, or the one its links lead to,
// which keeps the links working.
QString link_target(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 64 && info.isSymLink(); ++depth) info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

// A new file beside `target` to write before it is renamed over it. Its name
// is hidden and says whose it is (".plan.qrm.varnel-Ab3x9Q"): a save killed
// between its write and its rename leaves it behind, and then it must not
// be taken for one of the user's files, nor a user's file for it, so the
// program never deletes such files on its own.
int open_temporary(const QString& target, mode_t mode, QString& temporary) {
    const QFileInfo info(target);
    static constexpr char letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = QStringLiteral(".") + info.fileName() + QStringLiteral(".varnel-");
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
        temporary = info.dir().filePath(name);
        int fd = -1;
        do {
            fd = ::open(QFile::encodeName(temporary).constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
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

    const QString final_path = link_target(path);
    struct stat old {};
    const bool replaces = ::stat(QFile::encodeName(final_path).constData(), &old) == 0;
    QString temporary;
    const int fd = open_temporary(final_path, replaces ? old.st_mode & 07777 : 0666, temporary);
    if (fd < 0) return system_reason(errno);
    const QByteArray temporary_name = QFile::encodeName(temporary);
    std::optional<QString> reason = write_all(fd, bytes);
    // On the disk before it is renamed over the old file, so that a crash
    // leaves one or the other whole; the old file's permissions stay.
    if (!reason && replaces && ::fchmod(fd, old.st_mode & 07777) != 0)
        reason = system_reason(errno);
    if (!reason && ::fsync(fd) != 0) reason = system_reason(errno);
    if (::close(fd) != 0 && !reason) reason = system_reason(errno);
    if (!reason &&
        ::rename(temporary_name.constData(), QFile::encodeName(final_path).constData()) != 0)
        reason = system_reason(errno);
    if (reason) ::unlink(temporary_name.constData());
    return reason;
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
            contents.too_large = true;
            break;
        }
        contents.bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return contents;
}

}  // namespace varnel
