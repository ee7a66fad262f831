#include "ui/selection_list.h"

#include <QFocusEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>

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
    // Focus coming back from the list's own popup, from a closed dialog or
    // from the menu bar is no new visit: acting on it would overwrite sizes
    // just opened or typed, before the menu's command even runs.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::MenuBarFocusReason) {
        emit focused();
    }
}

void selection_list::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    // The style paints the face as a raised button, a gradient around the
    // colour, in which light grey hardly differs from the window. The face
    // inside the frame is painted over in the flat colour, then the arrow and
    // the text again.
    painter.fillRect(rect().adjusted(1, 1, -1, -1), background());
    QStyleOption arrow(option);
    arrow.rect =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace varnel
