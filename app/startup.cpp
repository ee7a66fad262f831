#include "app/startup.h"

#include <QCoreApplication>
#include <QSettings>

#include "ui/prompts.h"

namespace varnel {

started_program start_program(const QString& folder, prompts& prompts,
                              kmain::program_end end_program) {
    started_program program;
    open_result opened = open_catalogue(folder);
    if (!opened.store) {
        prompts.message(opened.error);
        program.status = 1;
        return program;
    }
    program.catalogue = std::move(opened.store);
    program.window = std::make_unique<kmain>(*program.catalogue, prompts, std::move(end_program));
    if (!program.window->start()) {
        program.window.reset();
        program.status = 1;
    }
    return program;
}

int run_program(const QString& folder, qt_prompts& prompts) {
    // The user's own settings: only where windows were left. Made first, so
    // the windows that write it at their end go before it.
    QSettings places(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Varnel"),
                     QStringLiteral("varnel"));
    // Ending leaves every event loop, modal dialogs' included, with the status.
    started_program program =
        start_program(folder, prompts, [](int status) { QCoreApplication::exit(status); });
    if (!program.window) return program.status;
    program.window->set_window_places(&places);
    prompts.set_main_window(program.window.get());
    program.window->show();
    return QCoreApplication::exec();
}

}  // namespace varnel
