#pragma once
// gpxtool's command line: parses the arguments, runs one command and
// returns its exit status (2 for a usage error, 0 after --help).
#include <ostream>

#include "autoswitch/auto_switch_rules.h"
#include "autoswitch/profile_hotkeys.h"
#include "driverlink/driver_host.h"

namespace gpxtool {

// `publish` is offered only with a driver host, `autoswitch` only with the
// rules' storage and `hotkey` only with the hotkeys', which the Windows
// build has.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   gd::DriverHost* driverHost = nullptr, gd::RuleStorage* rules = nullptr,
                   gd::HotkeyStorage* hotkeys = nullptr);

}  // namespace gpxtool
