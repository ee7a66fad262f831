#include "view/type_legend.h"

#include <QFont>

#include <algorithm>

#include "ui/qtext.h"
#include "view/messages.h"

namespace varnel {

void paint_type_legend(QPainter& painter, QPoint corner, const std::vector<legend_entry>& types) {
    constexpr int row = 14, swatch = 10, most_rows = 14, width = 118;
    const int total = static_cast<int>(types.size());
    const int rows = std::min(total, most_rows);
    const QRect box(corner.x() - width, corner.y() - rows * row - 6, width, rows * row + 6);
    painter.fillRect(box, Qt::white);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    QFont font(QStringLiteral("SimSun"));
    font.setPixelSize(12);
    painter.setFont(font);
    for (int i = 0; i < rows; ++i) {
        const int y = box.top() + 3 + i * row;
        if (i == most_rows - 1 && total > most_rows) {
            painter.setPen(Qt::black);
            painter.drawText(QRect(box.left() + 4, y, width - 8, row), Qt::AlignVCenter,
                             qtext(text::legend_more).arg(total - i));
            break;
        }
        const legend_entry& t = types[static_cast<std::size_t>(i)];
        const QColor colour(t.colour.red, t.colour.green, t.colour.blue);
        const rgb fill = t.swatch.value_or(t.colour);
        painter.fillRect(QRect(box.left() + 4, y + 2, swatch, swatch),
                         QColor(fill.red, fill.green, fill.blue));
        painter.setPen(colour);
        const QRect name(box.left() + 8 + swatch, y, width - 12 - swatch, row);
        painter.drawText(name, Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(t.name, Qt::ElideRight, name.width()));
    }
}

}  // namespace varnel
