#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace varnel {

class prompts;

// The main window's four information commands. Each window is modal over
// `main_window` and gone when it closes.
void open_help(prompts& ask);                         // kshiyong, kbhelp
void show_explanation(QWidget* main_window);          // kshuoming, kbshuoming
void show_about(prompts& ask, QWidget* main_window);  // kzuozhe
void send_feedback(prompts& ask);                     // kbfangui

// The help page below `program_folder`, as a file URL; it is not checked, so
// a missing page is the browser's to report.
QUrl help_page_url(const QString& program_folder);

// A new mail message to the maker; also the about window's mail label.
QUrl feedback_url();
QUrl maker_web_url();

// Opens `url`; when nothing can, tells the user `fallback` followed by what
// to open by hand.
void open_or_explain(prompts& ask, const QUrl& url, const char* fallback, const QString& by_hand);

}  // namespace varnel
