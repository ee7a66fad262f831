// The program's own start-up, as main.cpp runs it, ended at the first painted
// frame: startup_varnel CATALOGUE_FOLDER.
#include <QApplication>

#include "app/pictures.h"
#include "app/startup.h"
#include "bench/first_frame.h"
#include "ui/look.h"
#include "ui/qt_prompts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) return 2;
    varnel::apply_look(app);
    app.setWindowIcon(varnel::application_icon());
    varnel::qt_prompts prompts;
    varnel::started_program program =
        varnel::start_program(QString::fromLocal8Bit(argv[1]), prompts,
                              [](int status) { QCoreApplication::exit(status); });
    if (!program.window) return program.status;
    prompts.set_main_window(program.window.get());
    new varnel::bench::quit_after_first_frame(*program.window);
    program.window->show();
    return QCoreApplication::exec();
}
