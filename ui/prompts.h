#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <optional>
#include <utility>

class QFutureWatcherBase;
class QPrinter;

namespace varnel {

// Every modal exchange with the user goes through this seam, so windows and
// commands can be driven by tests with scripted answers.
class prompts {
public:
    virtual ~prompts() = default;

    // While one lives, the dialogs belong to `window`, a window that stays
    // open beside the main one: they stand over it, centred on it, and give
    // it back the keyboard when they close. Without one they belong to the
    // dialog or window that is active, else to the main window.
    class asked_from {
    public:
        asked_from(prompts& p, QWidget* window)
            : prompts_(p), before_(std::exchange(p.asking_, window)) {}
        ~asked_from() { prompts_.asking_ = before_; }
        asked_from(const asked_from&) = delete;
        asked_from& operator=(const asked_from&) = delete;

    private:
        prompts& prompts_;
        QPointer<QWidget> before_;
    };
    // The window the dialogs now belong to, if one was named.
    QWidget* asking_window() const { return asking_; }

    // A message with OK only, no icon, under the application's title.
    virtual void message(const QString& text) = 0;

    // A question with OK and Cancel and the question icon; true for OK.
    virtual bool question(const QString& text) = 0;

    // File names from the open and save dialogs; an empty name is a cancel.
    // The save dialog adds no suffix and asks no overwrite question of its
    // own: callers do both. It also says which of its filters (of several
    // split by ";;") was chosen.
    struct save_choice {
        QString name;
        QString filter;
    };
    virtual QString open_file_name(const QString& filter, const QString& suggested) = 0;
    virtual save_choice save_file_name(const QString& filter, const QString& suggested) = 0;

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

private:
    QPointer<QWidget> asking_;
};

}  // namespace varnel
