#include "ui/window_title.h"

#include <QWidget>

namespace varnel {

namespace {

const QString mark = QStringLiteral("[*]");

}  // namespace

void set_literal_title(QWidget& window, const QString& title) {
    // A doubled mark stands for one literal mark.
    window.setWindowTitle(QString(title).replace(mark, mark + mark));
}

QString shown_title(const QWidget& window) {
    // As Qt does for a window that is not modified: in every run of marks,
    // an odd one out is dropped, then each pair stands for one mark.
    QString title = window.windowTitle();
    qsizetype index = title.indexOf(mark);
    while (index != -1) {
        qsizetype end = index + mark.size();
        int run = 1;
        while (title.indexOf(mark, end) == end) {
            ++run;
            end += mark.size();
        }
        if (run % 2 != 0) {
            title.remove(end - mark.size(), mark.size());
            end -= mark.size();
        }
        index = title.indexOf(mark, end);
    }
    return title.replace(mark + mark, mark);
}

}  // namespace varnel
