#include <QApplication>

#include "app/pictures.h"
#include "app/startup.h"
#include "ui/look.h"
#include "ui/qt_prompts.h"
#include "ui/translation.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    varnel::apply_look(app);
    varnel::install_qt_chinese(app);  // without it Qt's dialogs speak English
    app.setWindowIcon(varnel::application_icon());
    varnel::qt_prompts prompts;
    return varnel::run_program(QCoreApplication::applicationDirPath(), prompts);
}
