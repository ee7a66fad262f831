#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/prompts.h"

namespace varnel {

// Prompts for tests: records every exchange and answers from queues. An
// exchange whose queue is empty gets the cautious answer (Cancel, no file,
// no print) so a forgotten answer cannot overwrite or delete anything.
class scripted_prompts final : public prompts {
public:
    struct exchange {
        enum kind { message, question, open_file, save_file, print, url, progress } what;
        QString text;  // message or question text, filter, URL or progress text
        QString suggested;
        QWidget* window = nullptr;  // the window asked from, if one was named
    };

    // Answers, consumed in order.
    std::deque<bool> questions;
    std::deque<QString> file_names;
    // The filter a save dialog's user chose; none queued: its first.
    std::deque<QString> chosen_filters;
    std::deque<std::optional<int>> copies;
    bool url_opens = true;
    // Progress dialogs: true presses its cancel button at once, false (and
    // an empty queue) waits for the work to finish.
    std::deque<bool> progress_cancels;

    // Runs while a message is "shown", e.g. to look at the window then.
    std::function<void(const QString&)> on_message;

    std::vector<exchange> log;

    QStringList messages() const;
    void clear() { log.clear(); }

    void message(const QString& text) override;
    bool question(const QString& text) override;
    QString open_file_name(const QString& filter, const QString& suggested) override;
    save_choice save_file_name(const QString& filter, const QString& suggested) override;
    std::optional<int> print_dialog(QPrinter& printer) override;
    bool progress(const QString& text, const QString& cancel, QFutureWatcherBase& work) override;
    bool open_url(const QUrl& url) override;

private:
    QString next_file_name();
};

}  // namespace varnel
