#include "ui/look.h"

#include <QApplication>
#include <QWidget>

#include "ui/program_style.h"

namespace varnel {

void apply_look(QApplication& app) {
    app.setStyle(new program_style);
    map_program_fonts();
    app.setFont(simsun(12));
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
