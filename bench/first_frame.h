#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace varnel::bench {

// Ends the process's event loop once `window` has painted its first frame:
// start-up is measured as a user sees it, to the first picture.
class quit_after_first_frame final : public QObject {
public:
    explicit quit_after_first_frame(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

}  // namespace varnel::bench
