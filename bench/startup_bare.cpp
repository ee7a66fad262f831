// The yardstick for start-up: a bare Qt Widgets window of the main window's
// size with its Chinese captions, ended at its first painted frame.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

#include "bench/first_frame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("集装箱Varnel软件     *version 1.03*--------Varnel文件1"));
    for (const auto& caption : {QStringLiteral("文件(&F)"), QStringLiteral("集装箱管理(&J)"),
                                QStringLiteral("包装箱处理(&B)"), QStringLiteral("装箱处理(&R)"),
                                QStringLiteral("帮助(&H)")}) {
        window.menuBar()->addMenu(caption);
    }
    auto* central = new QWidget(&window);
    central->setFixedSize(728, 510);
    window.setCentralWidget(central);
    auto* containers = new QGroupBox(QStringLiteral("集装箱尺寸(单位：cm)"), central);
    containers->setGeometry(5, 44, 721, 48);
    (new QLabel(QStringLiteral("选择集装箱"), containers))->move(8, 22);
    (new QPushButton(QStringLiteral("手动输入"), containers))->setGeometry(451, 16, 101, 24);
    auto* cartons = new QGroupBox(QStringLiteral("包装箱尺寸："), central);
    cartons->setGeometry(6, 95, 185, 152);
    (new QLineEdit(cartons))->setGeometry(29, 15, 51, 18);
    (new QLabel(QStringLiteral("从纸箱尺寸列表中选择："), cartons))->move(10, 79);
    auto* options = new QGroupBox(QStringLiteral("装箱信息："), central);
    options->setGeometry(6, 249, 185, 58);
    (new QCheckBox(QStringLiteral("单一摆放"), options))->move(12, 26);
    (new QCheckBox(QStringLiteral("不可侧放"), options))->move(101, 26);
    (new QPushButton(QStringLiteral("开   始  计   算"), central))->setGeometry(13, 323, 167, 28);
    new varnel::bench::quit_after_first_frame(window);
    window.show();
    return QApplication::exec();
}
