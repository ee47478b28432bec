#include "driverlink/driver_link.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "profile/profile_file.h"
#include "profile/windows_path.h"
#include "string_table.h"

namespace gd {

namespace {

// The kernel reads the package through an NT path.
constexpr char kNtPathPrefix[] = "\\??\\";

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsPadHardwareId(std::string_view hardwareId) {
    std::string lower(hardwareId);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower.find(kPadHardwareIdMatch) != std::string::npos;
}

// The text before the first zero, never reading past `size` bytes: a property
// or value that fills its buffer carries no terminator.
std::string TextUpToZero(const std::uint8_t* bytes, std::size_t size) {
    const std::uint8_t* end = std::find(bytes, bytes + size, std::uint8_t{0});
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(end - bytes));
}

std::optional<std::string> ReadFirstHardwareId(PresentDeviceList& devices) {
    std::vector<std::uint8_t> buffer(kHardwareIdBufferBytes, 0);
    std::uint32_t required = 0;
    PropertyRead read = devices.ReadHardwareIds(buffer.data(), kHardwareIdBufferBytes, required);
    // One more attempt with the size asked for; a device that keeps growing
    // its property or asks for an absurd size is simply skipped.
    if (read == PropertyRead::BufferTooSmall && required > buffer.size() &&
        required <= kMaxHardwareIdBytes) {
        const std::uint32_t asked = required;
        buffer.assign(asked, 0);
        read = devices.ReadHardwareIds(buffer.data(), asked, required);
    }
    if (read != PropertyRead::Ok) {
        return std::nullopt;
    }
    return TextUpToZero(buffer.data(), buffer.size());
}

// A setup file's path from its string ("%s\\vlqrgpxkb.inf"): a root folder
// such as C:\\ gives no doubled backslash.
std::string InfPath(unsigned infString, std::string_view folder) {
    if (!folder.empty() && folder.back() == '\\') {
        folder.remove_suffix(1);
    }
    return FormatString(infString, folder);
}

// A text value; one of type ExpandString with its environment variables
// expanded, as the system's own readers of such values take them.
std::optional<std::string> QueryString(DriverHost& host, RegistryKey& key, const char* name,
                                       std::uint32_t capacity) {
    std::vector<std::uint8_t> buffer(capacity, 0);
    RegistryType type = RegistryType::None;
    std::uint32_t size = capacity;
    if (!key.QueryValue(name, type, buffer.data(), size)) {
        return std::nullopt;
    }
    if (type != RegistryType::String && type != RegistryType::ExpandString) {
        return std::nullopt;
    }
    std::string text = TextUpToZero(buffer.data(), std::min<std::size_t>(size, buffer.size()));
    if (type == RegistryType::ExpandString) {
        return host.ExpandEnvironment(text);
    }
    return text;
}

}  // namespace

PublishResult DriverLink::PublishProfile(const ProfileImage& image, const SummaryBlock& summary) {
    PublishResult result;
    if (const std::optional<std::string> windows = host_.WindowsDirectory()) {
        const std::vector<std::uint8_t> package = EncodePackage(image, summary);
        // The file as this process reaches it; the Package value below names
        // it as the driver does, through system32.
        result.packageWritten = host_.WriteWholeFile(PackagePath(*windows, host_.SystemFolders()),
                                                     package.data(), package.size());
    }
    result.valuesWritten = SetDriverValues(summary.resolution);
    result.deviceOpened = OpenDriverInterface();
    return result;
}

bool DriverLink::SetDriverValues(std::uint32_t resolution) {
    const std::unique_ptr<RegistryKey> key =
        host_.OpenKey(RegistryRoot::LocalMachine, FindString(IDS_SERVICE_KEY));
    if (!key) {
        return false;
    }
    // Without the Windows directory there is no true path to give the driver;
    // a made-up one would send it to the wrong file.
    const std::optional<std::string> windows = host_.WindowsDirectory();
    if (!windows) {
        return false;
    }
    const std::string package = kNtPathPrefix + FormatString(IDS_PACKAGE_PATH, *windows);
    const bool packageSet = key->SetValue(kPackageValue, RegistryType::String, package.c_str(),
                                          static_cast<std::uint32_t>(package.size()));

    const std::uint8_t dword[4] = {
        static_cast<std::uint8_t>(resolution), static_cast<std::uint8_t>(resolution >> 8),
        static_cast<std::uint8_t>(resolution >> 16), static_cast<std::uint8_t>(resolution >> 24)};
    const bool resolutionSet =
        key->SetValue(kResolutionValue, RegistryType::Dword, dword, sizeof dword);
    return packageSet && resolutionSet;
}

bool DriverLink::OpenDriverInterface() {
    const std::optional<std::string> path = host_.FirstInterfacePath(kDriverInterfaceA);
    return path && host_.OpenDevice(*path);
}

bool DriverLink::InterfacesPresent() {
    return host_.FirstInterfacePath(kDriverInterfaceA) &&
           host_.FirstInterfacePath(kDriverInterfaceB);
}

bool DriverLink::IsDevicePresent(bool autoReinstall) {
    if (InterfacesPresent()) {
        return true;
    }
    // Asked first, so that a plain presence check never walks every device.
    if (autoReinstall && IsPadPluggedIn()) {
        host_.NotifyMainWindow();
        return ReinstallDriver();
    }
    return false;
}

bool DriverLink::IsPadPluggedIn() {
    const std::unique_ptr<PresentDeviceList> devices = host_.ListPresentDevices();
    if (!devices) {
        return false;
    }
    for (std::uint32_t index = 0; devices->SelectDevice(index); ++index) {
        const std::optional<std::string> id = ReadFirstHardwareId(*devices);
        if (id && IsPadHardwareId(*id)) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> DriverLink::InstallFolder() {
    std::optional<std::string> installDir;
    bool changed = false;
    if (std::unique_ptr<RegistryKey> key = host_.OpenKey(RegistryRoot::CurrentUser, kSettingsKey)) {
        // Missing, not a text, longer than its 256 bytes, or not expandable:
        // not set. Nor is a folder that is not a full path ("." or ".."): taken
        // against the current directory, it would install whatever files a
        // file dialog left there.
        installDir = QueryString(host_, *key, kInstallDirValue, kInstallDirBytes);
        if (installDir && !IsFullPath(*installDir)) {
            installDir.reset();
        }
        changed = installDir && host_.ChangeCurrentDirectory(*installDir);
    }
    if (changed) {
        return host_.CurrentDirectory();
    }
    if (installDir) {
        // A folder that is gone is still the one to report, not a stand-in.
        return installDir;
    }
    // The setup files ship beside the program. The current directory is
    // wherever a file dialog left it, and files planted there must never be
    // installed for the pad.
    return host_.ProgramFolder();
}

bool DriverLink::InstallInf(const std::string& folder, unsigned infString, const char* hardwareId,
                            std::string& uncopied) {
    const std::string inf = InfPath(infString, folder);
    // A file that cannot be copied cannot be installed either; the user is
    // told which one it was.
    if (!host_.CopyInfToDriverStore(inf, folder)) {
        uncopied = inf;
        return false;
    }
    return host_.ForceInstallDriver(hardwareId, inf);
}

bool DriverLink::ReinstallDriver() {
    // A 32-bit process on 64-bit Windows cannot install a driver there
    // (UpdateDriverForPlugAndPlayDevices refuses), and its copies would land
    // in SysWOW64: say so rather than report a failure it cannot explain.
    if (host_.SystemFolders() == SystemFolderView::Wow64) {
        host_.ShowMessage(kReinstallNeeds64BitString, MessageOwner::None, MessageIcon::Stop, {});
        return false;
    }
    const std::optional<std::string> folder = InstallFolder();
    std::string uncopied;
    const bool installed = folder &&
                           InstallInf(*folder, IDS_KEYBOARD_INF, kKeyboardHardwareId, uncopied) &&
                           InstallInf(*folder, IDS_MOUSE_INF, kMouseHardwareId, uncopied);
    if (!installed) {
        host_.ShowMessage(kReinstallFailedString, MessageOwner::None, MessageIcon::Stop, uncopied);
        return false;
    }
    host_.ShowMessage(kReinstallDoneString, MessageOwner::None, MessageIcon::None, {});
    return true;
}

void DriverLink::ReinstallDriverCommand() {
    if (IsDevicePresent(false) || IsPadPluggedIn()) {
        ReinstallDriver();
        return;
    }
    host_.ShowMessage(kPadNotFoundString, MessageOwner::MainWindow, MessageIcon::Stop, {});
}

}  // namespace gd
