#pragma once

#include <QString>

class QWidget;

namespace varnel {

// Qt reads "[*]" in a window title as the place of a "modified" mark and
// drops it; a title made of the user's own text (a plan name, a file path)
// must show as typed. `set_literal_title` stores `title` so that the title
// bar shows exactly it; `shown_title` gives what a title bar shows of a
// window's title.
void set_literal_title(QWidget& window, const QString& title);
QString shown_title(const QWidget& window);

}  // namespace varnel
