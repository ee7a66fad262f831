#include "ui/selection_list.h"

namespace varnel {

selection_list::selection_list(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setMaxVisibleItems(16);
    connect(this, &QComboBox::activated, this, &selection_list::clicked);
}

void selection_list::choose(const QString& text) {
    setCurrentIndex(findText(text, Qt::MatchExactly));
    emit clicked();
}

void selection_list::set_background(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Button, colour);
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

QColor selection_list::background() const { return palette().color(QPalette::Button); }

void selection_list::showPopup() {
    emit dropped_down();
    QComboBox::showPopup();
}

void selection_list::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    emit focused();
}

}  // namespace varnel
