#pragma once

#include <QImage>
#include <QSize>

class QWidget;

namespace varnel {

// The strip painted above a whole-window capture in place of the window
// manager's title bar, which Qt cannot read on every platform.
inline constexpr int title_strip_height = 22;

// A captured picture: it owns the pixels of a window as the screen showed
// them, in true colour, so it never carries a palette. Its size counts
// logical pixels, 96 to the inch like every size of the program's windows;
// on a high-density screen the bitmap holds more device pixels.
struct picture {
    QImage bitmap;

    bool empty() const { return bitmap.isNull(); }
    QSize size() const { return bitmap.deviceIndependentSize().toSize(); }
};

// The window in the foreground at this moment, title strip included; when
// none of ours is (another program's window is in front, which we may not
// read), `main_window`'s window. Empty when there is no window at all.
picture CaptureActiveWindow(QWidget* main_window);

// `width` × `height` logical pixels from (`left`, `top`) of `window`: of its
// contents when `client` is set, else of the whole window with the title
// strip on top. Pixels beyond the window come out black. Empty when there is
// no window or the size is not positive.
picture CaptureWindow(QWidget* window, bool client, int left, int top, int width, int height);

// Takes over a captured bitmap as a picture.
picture CreateBitmapPicture(QImage bitmap);

}  // namespace varnel
