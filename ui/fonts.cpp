#include "ui/fonts.h"

#include <QStringList>

namespace varnel {

namespace {

QString pdf_face() { return QStringLiteral("AR PL UMing CN"); }

// Where SimSun itself is missing, the closest installed serif CJK faces.
QStringList serif_faces() {
    return {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Serif CJK"),
            QStringLiteral("Source Han Serif SC"), pdf_face(), QStringLiteral("Noto Sans CJK SC")};
}

}  // namespace

void map_program_fonts() {
    QFont::insertSubstitutions(QStringLiteral("SimSun"), serif_faces());
    QFont::insertSubstitutions(QStringLiteral("宋体"), serif_faces());
}

QFont simsun(int pixel_size, bool bold) {
    QFont f(QStringLiteral("SimSun"));
    f.setPixelSize(pixel_size);
    f.setBold(bold);
    return f;
}

QFont page_font(int pixel_size, bool bold) {
    QFont f = simsun(pixel_size, bold);
    f.setFamilies({pdf_face(), QStringLiteral("SimSun")});
    return f;
}

}  // namespace varnel
