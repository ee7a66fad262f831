#include "ui/qt_prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontMetrics>
#include <QFutureWatcher>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>

#include <chrono>

#include "ui/messages.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

QString title() { return qtext(text::application_title); }

// A progress dialog that shows at all stays this long, so it never flashes
// up and away faster than it can be read.
constexpr std::chrono::milliseconds least_shown{500};

// A window manager clips a title wider than its window's bar; the bar's face
// is its own, commonly bold and larger than the window's, and the bar holds
// the window's keys beside it.
int room_for_title(const QWidget& window) {
    QFont bar = window.font();
    bar.setBold(true);
    if (bar.pixelSize() > 0) {
        bar.setPixelSize(bar.pixelSize() * 5 / 4);
    } else {
        bar.setPointSizeF(bar.pointSizeF() * 1.25);
    }
    constexpr int keys = 160;
    return QFontMetrics(bar).horizontalAdvance(window.windowTitle()) + keys;
}

}  // namespace

// A dialog's parent is the window it is asked from: the window manager
// raises that parent with it and gives it the keyboard when it closes, so a
// parent other than the window the user works in would pull that one to the
// front.
QWidget* qt_prompts::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* window = asking_window()) return window;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return main_window_;
}

// Every text the program shows is plain: a name typed as "A<b>B" must read
// as typed, not as markup.
void qt_prompts::message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, owner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool qt_prompts::question(const QString& text) {
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Ok | QMessageBox::Cancel,
                    owner());
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Ok;
}

QString qt_prompts::open_file_name(const QString& filter, const QString& suggested) {
    // Qt's own dialog, as for saving: a desktop's native one would speak the
    // desktop's language rather than the program's Chinese.
    QFileDialog dialog(owner(), QString(), suggested, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

prompts::save_choice qt_prompts::save_file_name(const QString& filter, const QString& suggested) {
    // The name is used as typed: no suffix is added, and the caller asks its
    // own overwrite question. Qt's own dialog honours both everywhere; a
    // desktop portal's would ask about overwriting a second time.
    QFileDialog dialog(owner(), QString(), suggested, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(QString());
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

std::optional<int> qt_prompts::print_dialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, owner());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return printer.copyCount();
}

bool qt_prompts::progress(const QString& text, const QString& cancel, QFutureWatcherBase& work) {
    if (work.isFinished()) return false;
    // A busy bar (no range): the work cannot say how far it has got.
    QProgressDialog dialog(text, cancel, 0, 0, owner());
    dialog.setWindowTitle(title());
    dialog.setMinimumWidth(room_for_title(dialog));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    bool cancelled = false;
    QEventLoop loop;
    QTimer shown_long_enough;
    shown_long_enough.setSingleShot(true);
    // Ends with the work, but not before the dialog has been seen; the
    // button ends it at once.
    const auto end_when_due = [&] {
        if (work.isFinished() && !shown_long_enough.isActive()) loop.quit();
    };
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        loop.quit();
    });
    QObject::connect(&work, &QFutureWatcherBase::finished, &loop, end_when_due);
    QObject::connect(&shown_long_enough, &QTimer::timeout, &loop, end_when_due);
    dialog.show();
    shown_long_enough.start(least_shown);
    loop.exec();
    return cancelled;
}

bool qt_prompts::open_url(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace varnel
