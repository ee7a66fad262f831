#pragma once

#include <QColor>
#include <QFont>

class QApplication;
class QWidget;

namespace varnel {

// The program's look on every platform: the Fusion style (which honours the
// colours the windows set), the program's font name mapped to an installed
// CJK serif, and the default 9-point text. Every window and every picture the
// program renders of itself uses it.
void apply_look(QApplication& app);

// SimSun at a pixel size: 12 px is 9 pt, 14 px 10.5 pt, 16 px 12 pt at 96 dpi.
QFont simsun(int pixel_size, bool bold = false);

void set_text_colour(QWidget* widget, const QColor& colour);
void set_base_colour(QWidget* widget, const QColor& colour);

}  // namespace varnel
