#include "help/help_commands.h"

#include <QCoreApplication>
#include <QDir>

#include "help/about_window.h"
#include "help/explanation_window.h"
#include "help/messages.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

QUrl help_page_url(const QString& program_folder) {
    // QDir joins with one separator, also at the root, where pasting "/help"
    // onto "/" would make a network path of "//help".
    return QUrl::fromLocalFile(QDir(program_folder).filePath(qtext(text::help_page_path)));
}

QUrl feedback_url() { return QUrl(QStringLiteral("mailto:") + qtext(maker::mail_address)); }

QUrl maker_web_url() { return QUrl(qtext(maker::web_url)); }

void open_or_explain(prompts& ask, const QUrl& url, const char* fallback, const QString& by_hand) {
    if (!ask.open_url(url)) ask.message(qtext(fallback) + by_hand);
}

void open_help(prompts& ask) {
    const QUrl page = help_page_url(QCoreApplication::applicationDirPath());
    open_or_explain(ask, page, text::help_page_unopened,
                    QDir::toNativeSeparators(page.toLocalFile()));
}

void send_feedback(prompts& ask) {
    open_or_explain(ask, feedback_url(), text::mail_unopened, qtext(maker::mail_address));
}

void show_explanation(QWidget* main_window) {
    kjisuanshouming window(main_window);
    window.exec();
}

void show_about(prompts& ask, QWidget* main_window) {
    aboutus window(ask, main_window);
    window.exec();
}

}  // namespace varnel
