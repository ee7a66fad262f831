#pragma once

#include <QLibraryInfo>
#include <QString>

class QCoreApplication;

namespace varnel {

// Qt's own texts (the buttons of message boxes, the file and print dialogs,
// the fields' context menus) in Simplified Chinese, like every other text of
// the program, whatever the user's locale. Returns false when Qt's
// translation cannot be loaded from `folder`: the program then runs on with
// Qt's English.
bool install_qt_chinese(QCoreApplication& app,
                        const QString& folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

}  // namespace varnel
