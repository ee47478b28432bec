#pragma once
// The program's side of the pad's filter driver (service velqorgpx): handing it
// the profile, finding the pad and the driver's interfaces, and installing the
// driver's two setup information files. Nothing here shows UI except the
// driver installation's own messages, and every platform call goes through
// the DriverHost.
#include <cstdint>
#include <optional>
#include <string>

#include "driverlink/driver_host.h"
#include "profile/records.h"
#include "resource.h"
#include "settings_root.h"

namespace gd {

// The driver's two interface classes. A is the one publishing opens.
inline constexpr Guid kDriverInterfaceA = {
    0xD7A09AA3, 0x1BCA, 0x42D4, {0x90, 0x78, 0x12, 0xB7, 0x1D, 0xE8, 0x21, 0x2F}};
inline constexpr Guid kDriverInterfaceB = {
    0xD7A09AA4, 0x1BCA, 0x42D4, {0x90, 0x78, 0x12, 0xB7, 0x1D, 0xE8, 0x21, 0x2F}};

// String 9 of the string table, which is what the driver link uses; spelt
// out here for tests and tools that name the key.
inline constexpr char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\velqorgpx";
inline constexpr char kPackageValue[] = "Package";
inline constexpr char kResolutionValue[] = "Resolution";

inline constexpr const char* kSettingsKey = kSettingsSectionKey;
inline constexpr char kInstallDirValue[] = "InstallDir";
inline constexpr std::uint32_t kInstallDirBytes = 256;

// Compared with lower-cased hardware ids.
inline constexpr char kPadHardwareIdMatch[] = "vid_099a&pid_2000";
inline constexpr char kKeyboardHardwareId[] = "HID\\Vid_099a&Pid_2000&MI_00";
inline constexpr char kMouseHardwareId[] = "HID\\Vid_099a&Pid_2000&MI_01&COL02";

// Hardware ids are first read into this many bytes; a longer property is read
// once more with the size the system asks for, up to kMaxHardwareIdBytes.
inline constexpr std::uint32_t kHardwareIdBufferBytes = 4096;
inline constexpr std::uint32_t kMaxHardwareIdBytes = 64 * 1024;

// String-table numbers of the texts the driver link shows.
enum DriverLinkString : unsigned {
    kCaptionString = IDS_APP_TITLE,                 // "Gripdeck"
    kCantOpenFileString = IDS_CANT_OPEN_FILE,       // names a setup file that could not be copied
    kPadNotFoundString = IDS_DEVICE_NOT_PLUGGED,    // "Reinstall &Driver" without a pad
    kReinstallDoneString = IDS_REINSTALL_DONE,      // driver installation succeeded
    kReinstallFailedString = IDS_REINSTALL_FAILED,  // driver installation failed
    kReinstallNeeds64BitString = IDS_REINSTALL_NEEDS_64BIT,  // refused under WOW64
};

// Which of publishing's three independent effects took place.
struct PublishResult {
    bool packageWritten = false;  // the whole package file was written
    bool valuesWritten = false;   // both registry values were set
    bool deviceOpened = false;    // the driver's interface A was opened
};

class DriverLink {
  public:
    explicit DriverLink(DriverHost& host) : host_(host) {}

    // Writes <Windows directory>\system32\drivers\velqorgpx.pkg (151,496
    // bytes, rewritten every time; through Sysnative from a 32-bit process on
    // 64-bit Windows), then SetDriverValues, then opens the driver's interface
    // A and closes it again. Each step runs whatever the others did; nothing
    // is shown to the user. The profile is the caller's: the window's, a
    // game's, a tool's.
    PublishResult PublishProfile(const ProfileImage& image, const SummaryBlock& summary);
    // Under HKLM\<kServiceKey>: "Package" = "\??\" + package path (REG_SZ, the
    // size counts no terminating zero), then "Resolution" = the SummaryBlock's
    // resolution word (REG_DWORD). False when the key cannot be opened, the
    // Windows directory is unknown, or a value could not be set.
    bool SetDriverValues(std::uint32_t resolution);

    // True when interfaces A and B are both present (B is looked for only
    // after A is found). Otherwise, when autoReinstall is true and the pad is
    // plugged in: tells the main window, runs ReinstallDriver() and returns its
    // result.
    bool IsDevicePresent(bool autoReinstall);
    // True when the first hardware id of a present device contains
    // "vid_099a&pid_2000", ignoring case.
    bool IsPadPluggedIn();
    // Installs the keyboard file and then the mouse file, each for its
    // hardware id, from the installation folder: InstallDir when it is set,
    // fits its 256 bytes and, with the environment variables of a
    // REG_EXPAND_SZ expanded, is a full path (it becomes the current
    // directory for the rest of the run), otherwise the program's own folder,
    // never whatever the current directory happens to be. Shows message 59 at the first failure
    // (nothing more is tried), naming a setup file that could not be copied,
    // and message 58 on success. A 32-bit process on 64-bit Windows installs
    // nothing and says that the 64-bit program is needed.
    bool ReinstallDriver();
    // The "Reinstall &Driver" command: reinstalls when the driver's interfaces
    // or the pad are present, otherwise shows message 57 over the main window.
    void ReinstallDriverCommand();

  private:
    bool InterfacesPresent();
    bool OpenDriverInterface();
    std::optional<std::string> InstallFolder();
    // False on failure; `uncopied` then names the setup file when copying it
    // failed.
    bool InstallInf(const std::string& folder, unsigned infString, const char* hardwareId,
                    std::string& uncopied);

    DriverHost& host_;
};

}  // namespace gd
