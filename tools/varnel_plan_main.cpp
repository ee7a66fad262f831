#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "tools/planner_cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Qt knows the executable's own folder, where the catalogue lives. A
    // report draws its pictures and text with Qt Gui, which wants a platform:
    // the planner shows nothing, so it takes the one that needs no display.
    std::unique_ptr<QCoreApplication> app;
    if (std::find(args.begin(), args.end(), "--report") != args.end()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt's notes on the platform it starts (no runtime folder, say) are
        // not the planner's to print; its errors still are.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::cerr << text.toStdString() << '\n';
        });
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return varnel::run_planner(args, std::cout, std::cerr, QCoreApplication::applicationDirPath());
}
