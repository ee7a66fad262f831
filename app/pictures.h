#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace varnel {

// The main window's pictures, drawn by code so they stay sharp and need no
// image files: 23 x 20 tool-bar pictures, the carton picture and the icon.
enum class toolbar_picture {
    new_plan,
    open,
    save,
    print,
    report,
    container,
    carton,
    calculate,
    optimise,
    mixed,
    solid,
    explanation,
    help
};

QPixmap toolbar_pixmap(toolbar_picture which);
QPixmap carton_picture(int width, int height);
QIcon application_icon();

}  // namespace varnel
