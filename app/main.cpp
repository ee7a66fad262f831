#include <QApplication>

#include "app/pictures.h"
#include "app/startup.h"
#include "ui/look.h"
#include "ui/qt_prompts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    varnel::apply_look(app);
    app.setWindowIcon(varnel::application_icon());
    varnel::qt_prompts prompts;
    // Ending leaves every event loop, modal dialogs' included, with the status.
    varnel::started_program program =
        varnel::start_program(QCoreApplication::applicationDirPath(), prompts,
                              [](int status) { QCoreApplication::exit(status); });
    if (!program.window) return program.status;
    prompts.set_main_window(program.window.get());
    program.window->show();
    return app.exec();
}
