#include "ui/frame_box.h"

#include <QPainter>

namespace varnel {

frame_box::frame_box(const QString& caption, const QColor& caption_colour, QWidget* parent)
    : QGroupBox(caption, parent), caption_colour_(caption_colour) {}

void frame_box::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height() / 2;

    // The caption, with a blank either side, interrupts the top line.
    QRect caption_rect;
    if (!title().isEmpty()) {
        caption_rect = QRect(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        painter.setClipRegion(QRegion(rect()) - caption_rect);
    }

    // An etched line: a shadow and, one pixel in, a highlight.
    const QRect box(0, line, width() - 2, height() - line - 2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(box.translated(1, 1));

    if (!caption_rect.isNull()) {
        painter.setClipping(false);
        painter.setPen(caption_colour_);
        painter.drawText(caption_rect, Qt::AlignCenter, title());
    }
}

}  // namespace varnel
