#include "ui/look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

#include "ui/program_style.h"

namespace varnel {

void apply_look(QApplication& app) {
    app.setStyle(new program_style);
    // Where SimSun itself is missing, the closest installed serif CJK faces.
    const QStringList serif{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Serif CJK"),
                            QStringLiteral("Source Han Serif SC"), QStringLiteral("AR PL UMing CN"),
                            QStringLiteral("Noto Sans CJK SC")};
    QFont::insertSubstitutions(QStringLiteral("SimSun"), serif);
    QFont::insertSubstitutions(QStringLiteral("宋体"), serif);
    app.setFont(simsun(12));
}

QFont simsun(int pixel_size, bool bold) {
    QFont f(QStringLiteral("SimSun"));
    f.setPixelSize(pixel_size);
    f.setBold(bold);
    return f;
}

void set_text_colour(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::ButtonText, colour);
    widget->setPalette(p);
}

void set_base_colour(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, colour);
    widget->setPalette(p);
}

}  // namespace varnel
