#include "ui/program_style.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include "ui/deferred_icon.h"

namespace varnel {

program_style::program_style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QIcon program_style::standardIcon(StandardPixmap which, const QStyleOption* option,
                                  const QWidget* widget) const {
    if (which != SP_ToolBarHorizontalExtensionButton &&
        which != SP_ToolBarVerticalExtensionButton) {
        return QProxyStyle::standardIcon(which, option, widget);
    }
    // Neither the option nor the widget lives until the picture is first
    // drawn; of them the picture depends only on the layout direction.
    QStyleOption kept;
    if (option) kept.direction = option->direction;
    return deferred_icon([base = QPointer<QStyle>(baseStyle()), which, kept] {
        return (base ? base.data() : QApplication::style())->standardIcon(which, &kept);
    });
}

}  // namespace varnel
