#include <iostream>

#include "gpxtool/command_line.h"

int main(int argc, char** argv) {
    return gpxtool::RunCommandLine(argc, argv, std::cout, std::cerr);
}
