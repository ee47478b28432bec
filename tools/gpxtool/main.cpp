#include <iostream>

#include "gpxtool/command_line.h"

#ifdef _WIN32
#include "autoswitch/rule_registry_win.h"
#include "driverlink/driver_host_win.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    gd::WinDriverHost driverHost;
    gd::RegistryRuleStorage rules(gd::kProgramSettingsRoot);
    return gpxtool::RunCommandLine(argc, argv, std::cout, std::cerr, &driverHost, &rules);
#else
    return gpxtool::RunCommandLine(argc, argv, std::cout, std::cerr);
#endif
}
