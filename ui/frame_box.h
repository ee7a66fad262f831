#pragma once

#include <QColor>
#include <QGroupBox>

namespace varnel {

// A frame whose caption sits in its top line, in a colour of its own. It is
// drawn here rather than by the style so the caption never pushes the frame
// down: the controls inside keep their places whatever style the program
// runs with, and the caption's colour does not pass on to them.
class frame_box : public QGroupBox {
public:
    frame_box(const QString& caption, const QColor& caption_colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor caption_colour_;
};

}  // namespace varnel
