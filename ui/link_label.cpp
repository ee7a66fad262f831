#include "ui/link_label.h"

#include <QMouseEvent>

namespace varnel {

link_label::link_label(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
}

void link_label::set_underlined(bool on) {
    if (underlined() == on) return;
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

void link_label::enterEvent(QEnterEvent* event) {
    set_underlined(true);
    QLabel::enterEvent(event);
}

void link_label::mouseMoveEvent(QMouseEvent* event) {
    set_underlined(true);
    QLabel::mouseMoveEvent(event);
}

void link_label::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

underline_clearer::underline_clearer(QWidget* background, QList<link_label*> labels)
    : QObject(background), background_(background), labels_(std::move(labels)) {
    background_->setMouseTracking(true);
    background_->installEventFilter(this);
}

bool underline_clearer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == background_ && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        // A move that reaches the background from a child without tracking
        // was over that child: only the bare background clears.
        if (background_->childAt(move->position().toPoint()) == nullptr) {
            for (link_label* label : labels_) label->set_underlined(false);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace varnel
