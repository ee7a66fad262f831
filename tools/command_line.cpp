#include "tools/command_line.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <ostream>

#include "plan/messages.h"
#include "plan/plan_file.h"
#include "tools/messages.h"

namespace varnel {

bool looks_like_option(const std::string& a) {
    if (a.size() < 2 || a[0] != '-') return false;
    return !(a[1] == '.' || (a[1] >= '0' && a[1] <= '9'));
}

std::optional<QString> file_name(const std::string& bytes) {
    const QByteArray encoded = QByteArray::fromStdString(bytes);
    QString name = QFile::decodeName(encoded);
    if (QFile::encodeName(name) != encoded) return std::nullopt;
    return name;
}

bool output_file(const std::optional<std::string>& output, std::optional<QString>& path,
                 std::ostream& err) {
    if (!output || *output == "-") return true;
    path = file_name(*output);
    if (!path) err << text::bad_file_name << ": " << *output << '\n';
    return path.has_value();
}

int finish_output(std::ostream& out, std::ostream& err, int status) {
    errno = 0;
    out.flush();
    if (out) return status;
    const int error = errno;
    err << text::output_write_error;
    if (error != 0) err << ": " << std::strerror(error);
    err << '\n';
    return exit_write_failed;
}

namespace {

// The name with its links followed, as far as they lead.
QFileInfo followed(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 64 && info.isSymLink(); ++depth) info.setFile(info.symLinkTarget());
    return info;
}

}  // namespace

bool same_file(const QString& a, const QString& b) {
    struct stat sa {
    }, sb{};
    const bool a_exists = ::stat(QFile::encodeName(a).constData(), &sa) == 0;
    const bool b_exists = ::stat(QFile::encodeName(b).constData(), &sb) == 0;
    if (a_exists && b_exists) {
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino &&
               (S_ISREG(sa.st_mode) || S_ISDIR(sa.st_mode));
    }
    if (a_exists || b_exists) return false;
    const QFileInfo fa = followed(a), fb = followed(b);
    const QString da = fa.absoluteDir().canonicalPath(), db = fb.absoluteDir().canonicalPath();
    return !da.isEmpty() && da == db && fa.fileName() == fb.fileName();
}

std::optional<std::string> same_file_refusal(const std::optional<std::string>& list,
                                             const std::optional<std::string>& plan_file,
                                             const std::optional<std::string>& report) {
    const auto path = [](const std::optional<std::string>& typed) {
        return typed && *typed != "-" ? file_name(*typed) : std::nullopt;
    };
    const std::optional<QString> l = path(list), o = path(plan_file), r = path(report);
    if (l && o && same_file(*l, *o)) return text::output_is_list + std::string(": ") + *plan_file;
    if (l && r && same_file(*l, *r)) return text::output_is_list + std::string(": ") + *report;
    if (o && r && same_file(*o, *r)) return text::report_is_plan_file + std::string(": ") + *report;
    return std::nullopt;
}

bool save_plan_file(const QString& path, const std::string& typed, std::string_view bytes,
                    std::ostream& err) {
    const std::optional<QString> reason = save_file_atomically(path, bytes);
    if (!reason) return true;
    err << text::file_save_error << ": " << typed << ": " << reason->toStdString() << '\n';
    return false;
}

}  // namespace varnel
