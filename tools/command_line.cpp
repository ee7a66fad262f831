#include "tools/command_line.h"

#include <QFile>

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

bool save_plan_file(const QString& path, const std::string& typed, std::string_view bytes,
                    std::ostream& err) {
    const std::optional<QString> reason = save_file_atomically(path, bytes);
    if (!reason) return true;
    err << text::file_save_error << ": " << typed << ": " << reason->toStdString() << '\n';
    return false;
}

}  // namespace varnel
