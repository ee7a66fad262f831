// The program's real run in a process of its own, for the start-up tests:
// startup_child FOLDER runs Varnel on the catalogue in FOLDER, presses OK on
// every message (printing its text) and, once the main window shows, prints
// "shown" and ends the program.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

#include "app/kmain.h"
#include "app/startup.h"
#include "ui/look.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) return 2;
    varnel::apply_look(app);
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::printf("%s\n", box->text().toUtf8().constData());
            box->button(QMessageBox::Ok)->click();
            return;
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<varnel::kmain*>(w) && w->isVisible()) {
                std::printf("shown\n");
                QCoreApplication::exit(0);
            }
        }
    });
    watcher.start(10);
    varnel::qt_prompts prompts;
    return varnel::run_program(QString::fromLocal8Bit(argv[1]), prompts);
}
