#include "app/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "ui/deferred_icon.h"

namespace varnel {

namespace {

const QColor ink(40, 40, 40);
const QColor paper(255, 255, 255);
const QColor cardboard(205, 160, 95);
const QColor cardboard_dark(160, 115, 60);
const QColor tape(235, 210, 150);
const QColor steel(0, 86, 188);
const QColor steel_light(90, 150, 220);

QPixmap blank(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

// A carton in the same oblique view as the drawing: front, top, right side.
void draw_carton(QPainter& g, QRectF front, qreal depth) {
    const QPointF d(depth, -depth * 0.6);
    const QPolygonF top{front.topLeft(), front.topLeft() + d, front.topRight() + d,
                        front.topRight()};
    const QPolygonF side{front.topRight(), front.topRight() + d, front.bottomRight() + d,
                         front.bottomRight()};
    g.setPen(QPen(cardboard_dark, 1));
    g.setBrush(cardboard);
    g.drawRect(front);
    g.setBrush(tape);
    g.drawPolygon(top);
    g.setBrush(cardboard_dark);
    g.drawPolygon(side);
    // The tape runs over the top and down the front.
    g.setPen(QPen(QColor(120, 85, 40), 1));
    const qreal mid = front.center().x();
    g.drawLine(QPointF(mid, front.top()), QPointF(mid, front.top() + front.height() * 0.35));
    g.drawLine(QPointF(mid, front.top()), QPointF(mid, front.top()) + d);
}

void draw_container(QPainter& g, QRectF front, qreal depth) {
    const QPointF d(depth, -depth * 0.45);
    g.setPen(QPen(steel, 1));
    g.setBrush(steel_light);
    g.drawPolygon(
        QPolygonF{front.topLeft(), front.topLeft() + d, front.topRight() + d, front.topRight()});
    g.drawPolygon(QPolygonF{front.topRight(), front.topRight() + d, front.bottomRight() + d,
                            front.bottomRight()});
    g.setBrush(steel);
    g.drawRect(front);
    g.setPen(QPen(steel_light, 1));
    for (qreal x = front.left() + 2; x < front.right() - 1; x += 2) {
        g.drawLine(QPointF(x, front.top() + 1.5), QPointF(x, front.bottom() - 1.5));
    }
}

void draw_page(QPainter& g, const QRectF& r) {
    const qreal fold = 4;
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    g.setPen(QPen(ink, 1));
    g.setBrush(paper);
    g.drawPath(page);
    g.drawPolyline(QPolygonF{QPointF(r.right() - fold, r.top()),
                             QPointF(r.right() - fold, r.top() + fold),
                             QPointF(r.right(), r.top() + fold)});
}

}  // namespace

QPixmap toolbar_pixmap(toolbar_picture which) {
    QPixmap pixmap = blank(23, 20);
    QPainter g(&pixmap);
    g.setRenderHint(QPainter::Antialiasing);
    switch (which) {
        case toolbar_picture::new_plan:
            draw_page(g, QRectF(6.5, 2.5, 11, 15));
            g.setPen(QPen(QColor(230, 160, 0), 1.5));
            g.drawLine(QPointF(17, 2), QPointF(21, 6));
            g.drawLine(QPointF(21, 2), QPointF(17, 6));
            break;
        case toolbar_picture::open: {
            g.setPen(QPen(QColor(150, 110, 20), 1));
            g.setBrush(QColor(240, 200, 90));
            g.drawPolygon(QPolygonF{QPointF(3.5, 5.5), QPointF(8.5, 5.5), QPointF(10.5, 7.5),
                                    QPointF(18.5, 7.5), QPointF(18.5, 16.5), QPointF(3.5, 16.5)});
            g.setBrush(QColor(250, 225, 130));
            g.drawPolygon(QPolygonF{QPointF(3.5, 16.5), QPointF(6.5, 10.5), QPointF(21.5, 10.5),
                                    QPointF(18.5, 16.5)});
            break;
        }
        case toolbar_picture::save:
            g.setPen(QPen(QColor(20, 40, 110), 1));
            g.setBrush(QColor(50, 80, 170));
            g.drawRoundedRect(QRectF(4.5, 2.5, 14, 15), 1.5, 1.5);
            g.setBrush(paper);
            g.drawRect(QRectF(7.5, 3.5, 8, 5));
            g.setBrush(QColor(200, 200, 210));
            g.drawRect(QRectF(7.5, 11.5, 8, 6));
            break;
        case toolbar_picture::print:
            draw_page(g, QRectF(7.5, 1.5, 8, 7));
            g.setPen(QPen(ink, 1));
            g.setBrush(QColor(190, 190, 195));
            g.drawRoundedRect(QRectF(3.5, 8.5, 16, 7), 1.5, 1.5);
            g.setBrush(paper);
            g.drawRect(QRectF(7.5, 13.5, 8, 5));
            g.setPen(QPen(QColor(0, 166, 13), 1.5));
            g.drawPoint(QPointF(17, 10.5));
            break;
        case toolbar_picture::report:
            // A page of numbered steps, a carton on the first.
            draw_page(g, QRectF(4.5, 1.5, 13, 17));
            draw_carton(g, QRectF(7, 5.5, 4, 3.5), 2);
            g.setPen(QPen(QColor(120, 120, 120), 1));
            for (qreal y = 11.5; y < 17; y += 2.5) g.drawLine(QPointF(7, y), QPointF(15, y));
            break;
        case toolbar_picture::container: draw_container(g, QRectF(2.5, 8.5, 14, 9), 4); break;
        case toolbar_picture::carton: draw_carton(g, QRectF(4.5, 7.5, 11, 10), 5); break;
        case toolbar_picture::calculate: {
            g.setPen(QPen(ink, 1));
            g.setBrush(QColor(225, 225, 230));
            g.drawRoundedRect(QRectF(5.5, 1.5, 12, 17), 1.5, 1.5);
            g.setBrush(QColor(170, 210, 170));
            g.drawRect(QRectF(7.5, 3.5, 8, 4));
            g.setPen(Qt::NoPen);
            g.setBrush(ink);
            for (int row = 0; row < 3; ++row) {
                for (int col = 0; col < 3; ++col) {
                    g.drawRect(QRectF(7.5 + col * 3, 9.5 + row * 3, 2, 2));
                }
            }
            break;
        }
        case toolbar_picture::optimise: {
            // Cartons packed tight, and an arrow for "more of them".
            draw_carton(g, QRectF(1.5, 11.5, 7, 7), 3);
            draw_carton(g, QRectF(8.5, 11.5, 7, 7), 3);
            draw_carton(g, QRectF(1.5, 4.5, 7, 7), 3);
            g.setPen(Qt::NoPen);
            g.setBrush(QColor(0, 166, 13));
            g.drawPolygon(QPolygonF{QPointF(18, 1), QPointF(22.5, 7), QPointF(19.5, 7),
                                    QPointF(19.5, 13), QPointF(16.5, 13), QPointF(16.5, 7),
                                    QPointF(13.5, 7)});
            break;
        }
        case toolbar_picture::mixed:
            // Cartons of three sizes side by side and on top.
            draw_carton(g, QRectF(1.5, 9.5, 9, 9), 3);
            draw_carton(g, QRectF(12.5, 13.5, 6, 5), 2.5);
            draw_carton(g, QRectF(2.5, 4.5, 6, 5), 2.5);
            break;
        case toolbar_picture::solid: {
            // A box in three shades, seen from above a corner.
            g.setPen(QPen(QColor(30, 50, 90), 1));
            const QPointF top_front(4.5, 7.5), top_right(13.5, 7.5), back(9.5, 3.5);
            const QPointF far_right(18.5, 3.5), low_front(4.5, 17.5), low_right(13.5, 17.5);
            const QPointF low_far(18.5, 13.5);
            g.setBrush(QColor(150, 190, 240));
            g.drawPolygon(QPolygonF{top_front, back, far_right, top_right});
            g.setBrush(QColor(80, 130, 210));
            g.drawPolygon(QPolygonF{top_front, top_right, low_right, low_front});
            g.setBrush(QColor(40, 80, 150));
            g.drawPolygon(QPolygonF{top_right, far_right, low_far, low_right});
            break;
        }
        case toolbar_picture::explanation:
            draw_page(g, QRectF(5.5, 1.5, 12, 17));
            g.setPen(QPen(QColor(120, 120, 120), 1));
            for (qreal y = 6.5; y < 17; y += 2.5) g.drawLine(QPointF(8, y), QPointF(15, y));
            break;
        case toolbar_picture::help: {
            g.setPen(QPen(QColor(0, 70, 160), 1));
            g.setBrush(QColor(60, 130, 220));
            g.drawEllipse(QRectF(3.5, 1.5, 16, 16));
            QFont font;
            font.setBold(true);
            font.setPixelSize(13);
            g.setFont(font);
            g.setPen(paper);
            g.drawText(QRectF(3.5, 1.5, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
    }
    return pixmap;
}

QPixmap carton_picture(int width, int height) {
    QPixmap pixmap = blank(width, height);
    QPainter g(&pixmap);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal depth = width * 0.3;
    draw_carton(g, QRectF(1.5, depth * 0.6 + 1.5, width - depth - 3, height - depth * 0.6 - 3),
                depth);
    return pixmap;
}

// Drawn when the window system first asks for it: under X at the first
// show, never on the offscreen platform.
QIcon application_icon() {
    return deferred_icon([] {
        QIcon icon;
        for (int size : {16, 32, 48, 64, 128}) {
            QPixmap pixmap = blank(size, size);
            QPainter g(&pixmap);
            g.setRenderHint(QPainter::Antialiasing);
            g.scale(size / 64.0, size / 64.0);
            draw_container(g, QRectF(4.5, 26.5, 40, 30), 14);
            draw_carton(g, QRectF(10.5, 38.5, 14, 12), 6);
            draw_carton(g, QRectF(26.5, 40.5, 12, 10), 5);
            icon.addPixmap(pixmap);
        }
        return icon;
    });
}

}  // namespace varnel
