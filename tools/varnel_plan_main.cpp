#include <iostream>
#include <string>
#include <vector>

#include "tools/planner_cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return varnel::run_planner(args, std::cout, std::cerr);
}
