#include "dialogs/file_save.h"

#include <QFileInfo>

#include "plan/messages.h"
#include "plan/plan_file.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

QString filter_suffix(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0) return {};
    qsizetype end = star + 2;
    while (end < filter.size() && filter[end] != u')' && filter[end] != u' ' && filter[end] != u';')
        ++end;
    return filter.mid(star + 1, end - star - 1);
}

QString name_to_save(const prompts::save_choice& chosen, QStringView other_kind) {
    const QString own = filter_suffix(chosen.filter);
    if (!other_kind.isEmpty() && !own.isEmpty() &&
        chosen.name.endsWith(other_kind, Qt::CaseInsensitive)) {
        return chosen.name.chopped(other_kind.size()) + own;
    }
    return own.isEmpty() ? chosen.name : plan_file_name(chosen.name, own);
}

bool save_after_asking(prompts& prompts, const QString& path, std::string_view bytes) {
    if (path.isEmpty()) return false;
    // Asked of the name, not by opening it: opening a FIFO would wait for a
    // writer for ever. A folder is not overwritten; the save fails below.
    const QFileInfo target(path);
    if (target.exists() && !target.isDir() && !prompts.question(qtext(text::overwrite_question))) {
        return false;
    }
    if (save_file_atomically(path, bytes)) {
        prompts.message(qtext(text::file_save_error));
        return false;
    }
    return true;
}

}  // namespace varnel
