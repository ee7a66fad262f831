#include "tests/support/scripted_prompts.h"

#include <QFutureWatcher>

namespace varnel {

QStringList scripted_prompts::messages() const {
    QStringList out;
    for (const exchange& e : log) {
        if (e.what == exchange::message) out << e.text;
    }
    return out;
}

void scripted_prompts::message(const QString& text) {
    log.push_back({exchange::message, text, {}, asking_window()});
    if (on_message) on_message(text);
}

bool scripted_prompts::question(const QString& text) {
    log.push_back({exchange::question, text, {}, asking_window()});
    if (questions.empty()) return false;
    const bool answer = questions.front();
    questions.pop_front();
    return answer;
}

QString scripted_prompts::next_file_name() {
    if (file_names.empty()) return {};
    QString name = file_names.front();
    file_names.pop_front();
    return name;
}

QString scripted_prompts::open_file_name(const QString& filter, const QString& suggested) {
    log.push_back({exchange::open_file, filter, suggested, asking_window()});
    return next_file_name();
}

prompts::save_choice scripted_prompts::save_file_name(const QString& filter,
                                                      const QString& suggested) {
    log.push_back({exchange::save_file, filter, suggested, asking_window()});
    QString chosen = filter.section(QStringLiteral(";;"), 0, 0);
    if (!chosen_filters.empty()) {
        chosen = chosen_filters.front();
        chosen_filters.pop_front();
    }
    return {next_file_name(), chosen};
}

std::optional<int> scripted_prompts::print_dialog(QPrinter&) {
    log.push_back({exchange::print, {}, {}, asking_window()});
    if (copies.empty()) return std::nullopt;
    const std::optional<int> answer = copies.front();
    copies.pop_front();
    return answer;
}

bool scripted_prompts::progress(const QString& text, const QString& cancel,
                                QFutureWatcherBase& work) {
    log.push_back({exchange::progress, text, cancel, asking_window()});
    const bool press = !progress_cancels.empty() && progress_cancels.front();
    if (!progress_cancels.empty()) progress_cancels.pop_front();
    if (!press) work.waitForFinished();
    return press;
}

bool scripted_prompts::open_url(const QUrl& url) {
    log.push_back({exchange::url, url.toString(), {}, asking_window()});
    return url_opens;
}

}  // namespace varnel
