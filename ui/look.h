#pragma once

#include <QColor>
#include <QFont>

#include "ui/fonts.h"

class QApplication;
class QWidget;

namespace varnel {

// The program's look on every platform: the Fusion style (which honours the
// colours the windows set), the program's font name mapped to an installed
// CJK serif, and the default 9-point text. Every window and every picture the
// program renders of itself uses it.
void apply_look(QApplication& app);

void set_text_colour(QWidget* widget, const QColor& colour);
void set_base_colour(QWidget* widget, const QColor& colour);

}  // namespace varnel
