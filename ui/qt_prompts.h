#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/prompts.h"

namespace varnel {

// The real dialogs, each modal over the window that is active at the time
// (a dialog's message sits over that dialog, not over the main window) or
// the window they are asked from.
class qt_prompts final : public prompts {
public:
    explicit qt_prompts(QWidget* main_window = nullptr) : main_window_(main_window) {}
    void set_main_window(QWidget* w) { main_window_ = w; }

    void message(const QString& text) override;
    bool question(const QString& text) override;
    QString open_file_name(const QString& filter, const QString& suggested) override;
    save_choice save_file_name(const QString& filter, const QString& suggested) override;
    std::optional<int> print_dialog(QPrinter& printer) override;
    bool progress(const QString& text, const QString& cancel, QFutureWatcherBase& work) override;
    bool open_url(const QUrl& url) override;

private:
    QWidget* owner() const;
    QPointer<QWidget> main_window_;
};

}  // namespace varnel
