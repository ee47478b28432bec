#include "driverlink/driver_host_win.h"

#include <setupapi.h>
#include <newdev.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "driverlink/driver_link.h"
#include "fw/devinfo_handle.h"
#include "fw/handle.h"
#include "fw/text.h"
#include "profile/profile_file.h"
#include "string_table.h"

namespace gd {

namespace {

// The detail record's size field takes the fixed ANSI record size, which the
// two targets pack differently.
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == (sizeof(void*) == 8 ? 8 : 5));

static_assert(sizeof(Guid) == sizeof(GUID));
static_assert(static_cast<DWORD>(RegistryType::String) == REG_SZ);
static_assert(static_cast<DWORD>(RegistryType::ExpandString) == REG_EXPAND_SZ);
static_assert(static_cast<DWORD>(RegistryType::Dword) == REG_DWORD);
static_assert(static_cast<DWORD>(RegistryType::MultiString) == REG_MULTI_SZ);

struct LocalMemoryTraits {
    using Type = HLOCAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type memory) { LocalFree(memory); }
};
using UniqueLocalMemory = Handle<LocalMemoryTraits>;

constexpr UINT kWindowsDirectoryBytes = 256;
constexpr DWORD kCurrentDirectoryBytes = 512;
constexpr DWORD kProgramPathBytes = 1024;
// ExpandEnvironmentStrings's own limit.
constexpr DWORD kExpandedTextBytes = 32 * 1024;

GUID ToGuid(const Guid& id) {
    GUID guid;
    guid.Data1 = id.data1;
    guid.Data2 = id.data2;
    guid.Data3 = id.data3;
    std::memcpy(guid.Data4, id.data4, sizeof guid.Data4);
    return guid;
}

class WinRegistryKey final : public RegistryKey {
  public:
    explicit WinRegistryKey(UniqueKey key) : key_(std::move(key)) {}

    bool SetValue(const std::string& name, RegistryType type, const void* data,
                  std::uint32_t size) override {
        return RegSetValueExA(key_.get(), name.c_str(), 0, static_cast<DWORD>(type),
                              static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    }

    bool QueryValue(const std::string& name, RegistryType& type, void* buffer,
                    std::uint32_t& size) override {
        DWORD storedType = REG_NONE;
        DWORD storedSize = size;
        if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &storedType,
                             static_cast<BYTE*>(buffer), &storedSize) != ERROR_SUCCESS) {
            return false;
        }
        type = static_cast<RegistryType>(storedType);
        size = storedSize;
        return true;
    }

  private:
    UniqueKey key_;
};

class WinPresentDeviceList final : public PresentDeviceList {
  public:
    explicit WinPresentDeviceList(UniqueDevInfo list) : list_(std::move(list)) {}

    bool SelectDevice(std::uint32_t index) override {
        device_ = {};
        device_.cbSize = sizeof device_;
        selected_ = SetupDiEnumDeviceInfo(list_.get(), index, &device_) != FALSE;
        return selected_;
    }

    PropertyRead ReadHardwareIds(std::uint8_t* buffer, std::uint32_t size,
                                 std::uint32_t& required) override {
        if (!selected_) {
            return PropertyRead::Failed;
        }
        DWORD type = 0;
        DWORD asked = 0;
        if (SetupDiGetDeviceRegistryPropertyA(list_.get(), &device_, SPDRP_HARDWAREID, &type,
                                              buffer, size, &asked)) {
            required = asked;
            return PropertyRead::Ok;
        }
        if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
            required = asked;
            return PropertyRead::BufferTooSmall;
        }
        return PropertyRead::Failed;
    }

  private:
    UniqueDevInfo list_;
    SP_DEVINFO_DATA device_{};
    bool selected_ = false;
};

}  // namespace

SystemFolderView ThisProcessSystemFolders() {
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64 ? SystemFolderView::Wow64
                                                                    : SystemFolderView::Native;
}

std::optional<std::string> WinDriverHost::WindowsDirectory() {
    char buffer[kWindowsDirectoryBytes] = {};
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) {
        return std::nullopt;
    }
    return std::string(buffer, length);
}

bool WinDriverHost::WriteWholeFile(const std::string& path, const void* data, std::size_t size) {
    return WriteFileInPlace(path, data, size);
}

std::unique_ptr<RegistryKey> WinDriverHost::OpenKey(RegistryRoot root, const std::string& subkey) {
    const HKEY parent = root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    UniqueKey key;
    if (RegOpenKeyA(parent, subkey.c_str(), key.put()) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<WinRegistryKey>(std::move(key));
}

std::optional<std::string> WinDriverHost::FirstInterfacePath(const Guid& interfaceClass) {
    const GUID guid = ToGuid(interfaceClass);
    const UniqueDevInfo list(
        SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!list) {
        return std::nullopt;
    }
    SP_DEVICE_INTERFACE_DATA interfaceData = {};
    interfaceData.cbSize = sizeof interfaceData;
    if (!SetupDiEnumDeviceInterfaces(list.get(), nullptr, &guid, 0, &interfaceData)) {
        return std::nullopt;
    }

    constexpr DWORD kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(list.get(), &interfaceData, nullptr, 0, &required, nullptr);
    if (required <= kPathOffset) {
        return std::nullopt;
    }
    const UniqueLocalMemory memory(LocalAlloc(LPTR, required));
    if (!memory) {
        return std::nullopt;
    }
    auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(memory.get());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(list.get(), &interfaceData, detail, required, nullptr,
                                          nullptr)) {
        return std::nullopt;
    }
    const char* path = detail->DevicePath;
    return std::string(path, strnlen(path, required - kPathOffset));
}

bool WinDriverHost::OpenDevice(const std::string& devicePath) {
    // The open itself is the signal; nothing is sent and the handle is not kept.
    const UniqueFile device(CreateFileA(devicePath.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(device);
}

std::unique_ptr<PresentDeviceList> WinDriverHost::ListPresentDevices() {
    UniqueDevInfo list(
        SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES));
    if (!list) {
        return nullptr;
    }
    return std::make_unique<WinPresentDeviceList>(std::move(list));
}

bool WinDriverHost::CopyInfToDriverStore(const std::string& infPath,
                                         const std::string& sourceFolder) {
    return SetupCopyOEMInfA(infPath.c_str(), sourceFolder.c_str(), SPOST_PATH, 0, nullptr, 0,
                            nullptr, nullptr) != FALSE;
}

bool WinDriverHost::ForceInstallDriver(const std::string& hardwareId, const std::string& infPath) {
    // No reboot flag: the system asks the user itself when a restart is needed.
    return UpdateDriverForPlugAndPlayDevicesA(nullptr, hardwareId.c_str(), infPath.c_str(),
                                              INSTALLFLAG_FORCE, nullptr) != FALSE;
}

std::optional<std::string> WinDriverHost::ExpandEnvironment(const std::string& text) {
    // The first call gives the size; a variable that changes in between only
    // costs another round. The ANSI form wants one more byte than it reports
    // on some systems, and its count need not be the text's length: the text
    // ends at its terminator.
    DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    for (int attempt = 0; attempt < 3 && size != 0 && size <= kExpandedTextBytes; ++attempt) {
        std::vector<char> buffer(size + 1, '\0');
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), size + 1);
        if (needed != 0 && needed <= size + 1) {
            return std::string(buffer.data());
        }
        size = needed;
    }
    return std::nullopt;
}

bool WinDriverHost::ChangeCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != FALSE;
}

std::optional<std::string> WinDriverHost::CurrentDirectory() {
    char buffer[kCurrentDirectoryBytes] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) {
        return std::nullopt;
    }
    return std::string(buffer, length);
}

std::optional<std::string> WinDriverHost::ProgramFolder() {
    char buffer[kProgramPathBytes] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) {
        return std::nullopt;
    }
    std::string folder(buffer, length);
    const std::size_t slash = folder.find_last_of("\\/");
    if (slash == std::string::npos) {
        return std::nullopt;
    }
    // "C:\\gripdeck.exe" lies in "C:\\", not in "C:" (the drive's current folder).
    folder.resize(slash > 0 && folder[slash - 1] == ':' ? slash + 1 : slash);
    return folder;
}

HWND WinDriverHost::LiveMainWindow() const {
    return mainWindow_ != nullptr && IsWindow(mainWindow_) ? mainWindow_ : nullptr;
}

void WinDriverHost::NotifyMainWindow() {
    if (LiveMainWindow() != nullptr && bringUp_) {
        bringUp_();
    }
}

std::string WinDriverHost::Text(unsigned id) const {
    std::string text = texts_ ? texts_(id) : LoadText(id);
    if (text.empty()) {
        const char* builtIn = FindString(id);
        text = builtIn != nullptr ? builtIn : "";
    }
    return text;
}

void WinDriverHost::ShowMessage(unsigned messageId, MessageOwner owner, MessageIcon icon,
                                const std::string& file) {
    const HWND ownerWindow = owner == MessageOwner::MainWindow ? LiveMainWindow() : nullptr;
    const UINT flags = MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : 0);
    std::string text = Text(messageId);
    if (!file.empty()) {
        // Message 59 ends with its own line feed; the file goes on the next line.
        if (!text.empty() && text.back() != '\n') {
            text += '\n';
        }
        const std::string format = Text(kCantOpenFileString);
        const std::size_t at = format.find("%s");
        text +=
            at == std::string::npos ? format : format.substr(0, at) + file + format.substr(at + 2);
    }
    RunMessageBox(ownerWindow, text, Text(kCaptionString), flags);
}

int WinDriverHost::RunMessageBox(HWND owner, const std::string& text, const std::string& caption,
                                 UINT flags) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace gd
