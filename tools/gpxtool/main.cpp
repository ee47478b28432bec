#include <iostream>

#include "gpxtool/command_line.h"

#ifdef _WIN32
#include "autoswitch/hotkey_registry_win.h"
#include "autoswitch/rule_registry_win.h"
#include "driverlink/driver_host_win.h"

namespace {

// A console tool prints what the program would show in a box: an installer
// running it silently must never wait for someone to press OK.
class ConsoleDriverHost final : public gd::WinDriverHost {
  protected:
    int RunMessageBox(HWND, const std::string& text, const std::string&, UINT flags) override {
        std::ostream& stream = (flags & MB_ICONSTOP) != 0 ? std::cerr : std::cout;
        stream << text << (text.empty() || text.back() != '\n' ? "\n" : "");
        return IDOK;
    }
};

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    ConsoleDriverHost driverHost;
    gd::RegistryRuleStorage rules(gd::kSettingsRoot);
    gd::RegistryHotkeyStorage hotkeys(gd::kSettingsRoot);
    return gpxtool::RunCommandLine(argc, argv, std::cout, std::cerr, &driverHost, &rules, &hotkeys);
#else
    return gpxtool::RunCommandLine(argc, argv, std::cout, std::cerr);
#endif
}
