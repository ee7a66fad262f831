#include <QCoreApplication>

#include <iostream>
#include <string>
#include <vector>

#include "tools/planner_cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Qt knows the executable's own folder, where the catalogue lives.
    QCoreApplication app(argc, argv);
    return varnel::run_planner(args, std::cout, std::cerr, QCoreApplication::applicationDirPath());
}
