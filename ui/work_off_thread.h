#pragma once

#include <QEventLoop>
#include <QFutureWatcher>
#include <QString>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <type_traits>

#include "ui/prompts.h"

namespace varnel {

// What the progress dialog of a long piece of work says.
struct progress_texts {
    QString text;
    QString cancel;
};

// Runs `work` (a callable holding copies of what it needs and `cancel`,
// never a window) on the thread pool. The window keeps painting but takes no
// input; once the work has run for `delay` the progress dialog shows through
// `prompts`. Most work ends before and shows no dialog, which would only
// startle. None when the user cancelled or the dialog closed early (the
// program is ending): the flag is then set and the work is not awaited, so
// the window answers at once however long the work takes to notice.
template <class Work>
std::optional<std::invoke_result_t<Work>> work_off_thread(prompts& prompts,
                                                          const progress_texts& texts,
                                                          std::chrono::milliseconds delay,
                                                          std::atomic<bool>& cancel, Work work) {
    using result = std::invoke_result_t<Work>;
    const QFuture<result> future = QtConcurrent::run(std::move(work));
    QFutureWatcher<result> watcher;
    watcher.setFuture(future);
    if (!future.isFinished()) {
        QEventLoop loop;
        QTimer::singleShot(delay, &loop, &QEventLoop::quit);
        QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    bool cancelled = false;
    if (!future.isFinished()) cancelled = prompts.progress(texts.text, texts.cancel, watcher);
    if (cancelled || !future.isFinished()) {
        cancel.store(true);
        return std::nullopt;
    }
    return future.result();
}

}  // namespace varnel
