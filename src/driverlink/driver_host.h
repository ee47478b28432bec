#pragma once
// What the driver link needs from the platform: the Windows directory, one
// file, the registry and the environment, device setup, driver installation,
// the current directory, the main window and message boxes.
// driver_host_win.cpp calls the real functions; tests use a fake that records
// every call.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "profile/profile_file.h"

namespace gd {

// A device interface class, laid out like the platform's GUID.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];

    friend bool operator==(const Guid&, const Guid&) = default;
};

enum class RegistryRoot {
    CurrentUser,
    LocalMachine,
};

// Registry value types, numbered as the platform numbers them.
enum class RegistryType : std::uint32_t {
    None = 0,
    String = 1,
    ExpandString = 2,
    Binary = 3,
    Dword = 4,
    MultiString = 7,
};

// An open registry key; destroying it closes the key.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    // Stores exactly `size` bytes of `data` under `name` with `type`.
    virtual bool SetValue(const std::string& name, RegistryType type, const void* data,
                          std::uint32_t size) = 0;
    // Reads `name` into buffer (capacity `size`). On success `size` becomes the
    // stored length and `type` the stored type. False when the value is
    // missing or larger than the buffer; the buffer is then undefined.
    virtual bool QueryValue(const std::string& name, RegistryType& type, void* buffer,
                            std::uint32_t& size) = 0;
};

enum class PropertyRead {
    Ok,
    BufferTooSmall,  // `required` holds the size the system asks for
    Failed,          // no such property, or any other error
};

// The list of all present devices of all classes; destroying it frees the list.
class PresentDeviceList {
  public:
    virtual ~PresentDeviceList() = default;
    // Makes device `index` (0-based, list order) the current one; false past
    // the last device.
    virtual bool SelectDevice(std::uint32_t index) = 0;
    // The current device's hardware ids (zero-separated strings ending in an
    // empty one) into buffer, at most `size` bytes. `required` gets the size
    // the system reports whenever it reports one.
    virtual PropertyRead ReadHardwareIds(std::uint8_t* buffer, std::uint32_t size,
                                         std::uint32_t& required) = 0;
};

enum class MessageOwner {
    None,        // a top-level box without owner
    MainWindow,  // owned by the main window
};

enum class MessageIcon {
    None,
    Stop,
};

class DriverHost {
  public:
    virtual ~DriverHost() = default;

    // The Windows directory without a trailing backslash; nothing when the
    // system cannot give it in 256 bytes.
    virtual std::optional<std::string> WindowsDirectory() = 0;
    // Whether this process is a 32-bit one on 64-bit Windows, whose file
    // names under system32 the system redirects.
    virtual SystemFolderView SystemFolders() = 0;
    // Creates or truncates `path` and writes `size` bytes; false when the file
    // cannot be created or a write fails.
    virtual bool WriteWholeFile(const std::string& path, const void* data, std::size_t size) = 0;

    // Opens an existing key (never creates one); nullptr when it cannot.
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& subkey) = 0;

    // Device path of the first present interface of the class (index 0);
    // nothing when the list cannot be had, it is empty, or the interface's
    // detail cannot be read.
    virtual std::optional<std::string> FirstInterfacePath(const Guid& interfaceClass) = 0;
    // Opens the device path for writing, shared for reading and writing, and
    // closes it again at once. True when it opened.
    virtual bool OpenDevice(const std::string& devicePath) = 0;
    // nullptr when the list cannot be had.
    virtual std::unique_ptr<PresentDeviceList> ListPresentDevices() = 0;

    // Copies a setup information file into the driver store, with `sourceFolder`
    // as its media location.
    virtual bool CopyInfToDriverStore(const std::string& infPath,
                                      const std::string& sourceFolder) = 0;
    // Installs the driver of `infPath` for every device with `hardwareId`,
    // forced even when the installed one is as good, without owner window.
    virtual bool ForceInstallDriver(const std::string& hardwareId, const std::string& infPath) = 0;

    // The text with every %NAME% of a set environment variable replaced by
    // its value (others stay as they are); nothing when the system cannot
    // expand it.
    virtual std::optional<std::string> ExpandEnvironment(const std::string& text) = 0;

    virtual bool ChangeCurrentDirectory(const std::string& path) = 0;
    // Nothing when the system cannot give it in 512 bytes.
    virtual std::optional<std::string> CurrentDirectory() = 0;
    // The folder that holds the program file, without a trailing backslash
    // (unless it is a drive's root); nothing when the system cannot give it.
    virtual std::optional<std::string> ProgramFolder() = 0;

    // Brings up the main window when it exists (a hidden one shows itself).
    virtual void NotifyMainWindow() = 0;
    // Message box with string `messageId` as text and string 1 as caption, an
    // OK button, and the given owner and icon. A non-empty `file` follows the
    // text as message 50, "Can't open the file %s. Please verify it again.",
    // naming it. Returns when the box is closed.
    virtual void ShowMessage(unsigned messageId, MessageOwner owner, MessageIcon icon,
                             const std::string& file) = 0;
};

}  // namespace gd
