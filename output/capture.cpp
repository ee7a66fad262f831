#include "output/capture.h"

#include <QApplication>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

#include "ui/window_title.h"

namespace varnel {

namespace {

// The classic active caption: a blue gradient with the icon and the title in
// white bold, elided at the right as a title bar does.
void paint_title_strip(QPainter& painter, int width, const QWidget& window) {
    const QRect strip(0, 0, width, title_strip_height);
    QLinearGradient gradient(strip.topLeft(), strip.topRight());
    gradient.setColorAt(0.0, QColor(10, 36, 106));
    gradient.setColorAt(1.0, QColor(166, 202, 240));
    painter.fillRect(strip, gradient);

    constexpr int icon_size = 16;
    int text_left = 4;
    const QIcon icon = window.windowIcon();
    if (!icon.isNull()) {
        const int icon_top = (title_strip_height - icon_size) / 2;
        icon.paint(&painter, QRect(3, icon_top, icon_size, icon_size));
        text_left = 3 + icon_size + 4;
    }

    QFont font = window.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRect text_box(text_left, 0, std::max(0, width - text_left - 4), title_strip_height);
    const QString title =
        painter.fontMetrics().elidedText(shown_title(window), Qt::ElideRight, text_box.width());
    painter.drawText(text_box, Qt::AlignLeft | Qt::AlignVCenter, title);
}

QImage whole_window(QWidget& window) {
    const QPixmap contents = window.grab();
    const qreal ratio = contents.devicePixelRatio();
    const QSize size(window.width(), window.height() + title_strip_height);
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter painter(&image);
    paint_title_strip(painter, window.width(), window);
    painter.drawPixmap(0, title_strip_height, contents);
    painter.end();
    return image;
}

// The area in logical pixels, cut from `source` in device pixels. QImage::copy
// fills what lies outside the source with zeros: black, as a screen copy of
// an area off the window gives.
QImage cut(const QImage& source, const QRect& area) {
    const qreal ratio = source.devicePixelRatio();
    const QRect device((QPointF(area.topLeft()) * ratio).toPoint(),
                       (QSizeF(area.size()) * ratio).toSize());
    QImage part = source.copy(device);
    part.setDevicePixelRatio(ratio);
    return part;
}

}  // namespace

picture CreateBitmapPicture(QImage bitmap) {
    // True colour whatever the source was: a capture never carries a palette.
    if (!bitmap.isNull() && bitmap.format() != QImage::Format_RGB32) {
        const qreal ratio = bitmap.devicePixelRatio();
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
        bitmap.setDevicePixelRatio(ratio);
    }
    return picture{std::move(bitmap)};
}

picture CaptureWindow(QWidget* window, bool client, int left, int top, int width, int height) {
    if (window == nullptr || width <= 0 || height <= 0) return {};
    const QImage source = client ? window->grab().toImage() : whole_window(*window);
    return CreateBitmapPicture(cut(source, QRect(left, top, width, height)));
}

picture CaptureActiveWindow(QWidget* main_window) {
    QWidget* window = QApplication::activeWindow();
    if (window == nullptr && main_window != nullptr) window = main_window->window();
    if (window == nullptr) return {};
    return CaptureWindow(window, false, 0, 0, window->width(),
                         window->height() + title_strip_height);
}

}  // namespace varnel
