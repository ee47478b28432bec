#include "gpxtool/publish.h"

#include <memory>
#include <optional>

#include "driverlink/driver_link.h"
#include "gpxtool/profile_input.h"
#include "profile/image.h"
#include "profile/profile_file.h"
#include "string_table.h"

namespace gpxtool {

int Publish(const std::string& file, gd::DriverHost& host, Console& console) {
    LoadedProfile profile;
    std::string reason;
    if (!LoadProfileInput(file, profile, reason)) {
        return Refuse(console, file, reason);
    }
    const gd::PublishResult result =
        gd::DriverLink(host).PublishProfile(*profile.image, profile.summary);

    std::ostream& out = console.out;
    const std::optional<std::string> windows = host.WindowsDirectory();
    const std::string package =
        windows ? gd::FormatString(IDS_PACKAGE_PATH, *windows) : "the driver package";
    out << "package: " << (result.packageWritten ? "written " : "not written ") << package << '\n';
    const std::uint32_t resolution = profile.summary.resolution;
    out << "driver values: " << (result.valuesWritten ? "set" : "not set") << " under HKLM\\"
        << gd::FindString(IDS_SERVICE_KEY) << " (Package, Resolution "
        << gd::ResolutionWidth(resolution) << 'x' << gd::ResolutionHeight(resolution) << ")\n";
    // What the driver takes is the package and the values: only with both in
    // place does opening its interface (now or at the next plug-in) give it
    // this profile.
    const bool handedOver = result.packageWritten && result.valuesWritten;
    out << "driver interface: ";
    if (result.deviceOpened) {
        out << (handedOver ? "opened, the pad's driver took the profile" : "opened");
    } else {
        out << "not opened (pad or driver absent"
            << (handedOver ? "; it takes the profile when the pad is plugged in)" : ")");
    }
    out << '\n';

    if (!result.packageWritten || !result.valuesWritten) {
        return kExitRefused;
    }
    return result.deviceOpened ? kExitSuccess : kExitNotOpened;
}

int InstallDriver(gd::DriverHost& host) {
    return gd::DriverLink(host).ReinstallDriver() ? kExitSuccess : kExitRefused;
}

}  // namespace gpxtool
