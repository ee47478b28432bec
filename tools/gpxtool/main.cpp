#include <iostream>

#include "gpxtool/command_line.h"

#ifdef _WIN32
#include "driverlink/driver_host_win.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    gd::WinDriverHost driverHost;
    return gpxtool::RunCommandLine(argc, argv, std::cout, std::cerr, &driverHost);
#else
    return gpxtool::RunCommandLine(argc, argv, std::cout, std::cerr);
#endif
}
