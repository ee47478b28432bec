#pragma once
// gpxtool publish: hands a profile to the pad's driver exactly as the
// program's APPLY does, through the driver link, so that a script or a game
// launcher can switch profiles without the window; and install-driver, the
// program's driver reinstall for installers and scripts.
#include <string>

#include "driverlink/driver_host.h"
#include "gpxtool/commands.h"

namespace gpxtool {

// The driver's inputs (package and values) are in place, but its interface
// could not be opened: the pad or its driver is absent, and the profile is
// taken when the pad is next plugged in.
inline constexpr int kExitNotOpened = 3;

// Loads FILE (profile file or driver package), then writes the package, sets
// the driver values and opens the driver's interface, printing one line per
// effect that says only what happened. 0 when all three happened, kExitNotOpened when only the
// interface was missing, 1 when the file was refused or the package or values failed.
int Publish(const std::string& file, gd::DriverHost& host, Console& console);

// Installs the pad's driver from the installation folder exactly as the
// program's "Reinstall &Driver" does (the installer runs it for its driver
// component). The host shows the outcome; 0 when both setup files were
// installed, 1 otherwise.
int InstallDriver(gd::DriverHost& host);

}  // namespace gpxtool
