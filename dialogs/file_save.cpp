#include "dialogs/file_save.h"

#include <QFileInfo>

#include "plan/messages.h"
#include "plan/plan_file.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

void save_after_asking(prompts& prompts, const QString& path, std::string_view bytes) {
    if (path.isEmpty()) return;
    // Asked of the name, not by opening it: opening a FIFO would wait for a
    // writer for ever. A folder is not overwritten; the save fails below.
    const QFileInfo target(path);
    if (target.exists() && !target.isDir() && !prompts.question(qtext(text::overwrite_question))) {
        return;
    }
    if (save_file_atomically(path, bytes)) prompts.message(qtext(text::file_save_error));
}

}  // namespace varnel
