#pragma once

#include <QString>
#include <QUrl>

#include <optional>

class QFutureWatcherBase;
class QPrinter;

namespace varnel {

// Every modal exchange with the user goes through this seam, so windows and
// commands can be driven by tests with scripted answers.
class prompts {
public:
    virtual ~prompts() = default;

    // A message with OK only, no icon, under the application's title.
    virtual void message(const QString& text) = 0;

    // A question with OK and Cancel and the question icon; true for OK.
    virtual bool question(const QString& text) = 0;

    // File names from the open and save dialogs; an empty name is a cancel.
    // The save dialog asks no overwrite question of its own: callers ask it.
    virtual QString open_file_name(const QString& filter, const QString& suggested) = 0;
    virtual QString save_file_name(const QString& filter, const QString& suggested) = 0;

    // The print dialog on `printer`; the number of copies chosen, or no value
    // when the user cancels.
    virtual std::optional<int> print_dialog(QPrinter& printer) = 0;

    // A modal progress dialog with `text` and one button `cancel`, open
    // while `work` runs and, once shown, at least half a second; the window
    // behind it keeps painting. True when the user pressed the button.
    virtual bool progress(const QString& text, const QString& cancel, QFutureWatcherBase& work) = 0;

    // Opens a web page, a local file or a mailto: address in the user's
    // browser or mail program; false when nothing could open it.
    virtual bool open_url(const QUrl& url) = 0;
};

}  // namespace varnel
