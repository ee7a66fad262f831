#include "ui/translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace varnel {

bool install_qt_chinese(QCoreApplication& app, const QString& folder) {
    // Dates, sizes and paper units in Qt's dialogs follow the same language.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace varnel
