#pragma once
// The driver link's host on Windows: the real registry, device setup and
// driver installation calls, in their ANSI forms.
#include <windows.h>

#include <functional>
#include <string>

#include "driverlink/driver_host.h"

namespace gd {

// Wow64 for a 32-bit process on 64-bit Windows, Native otherwise.
SystemFolderView ThisProcessSystemFolders();

class WinDriverHost : public DriverHost {
  public:
    // Text of a string-table number; an empty text falls back to the
    // built-in one. Without a source the module's string table is used.
    using TextSource = std::function<std::string(unsigned id)>;

    WinDriverHost() = default;
    explicit WinDriverHost(TextSource texts) : texts_(std::move(texts)) {}

    // The window that owns message 57, and what brings it up before a
    // driver installation (a hidden one shows itself); null and empty for none.
    void SetMainWindow(HWND window, std::function<void()> bringUp = {}) {
        mainWindow_ = window;
        bringUp_ = std::move(bringUp);
    }

    std::optional<std::string> WindowsDirectory() override;
    SystemFolderView SystemFolders() override { return ThisProcessSystemFolders(); }
    bool WriteWholeFile(const std::string& path, const void* data, std::size_t size) override;
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& subkey) override;
    std::optional<std::string> FirstInterfacePath(const Guid& interfaceClass) override;
    bool OpenDevice(const std::string& devicePath) override;
    std::unique_ptr<PresentDeviceList> ListPresentDevices() override;
    bool CopyInfToDriverStore(const std::string& infPath, const std::string& sourceFolder) override;
    bool ForceInstallDriver(const std::string& hardwareId, const std::string& infPath) override;
    std::optional<std::string> ExpandEnvironment(const std::string& text) override;
    bool ChangeCurrentDirectory(const std::string& path) override;
    std::optional<std::string> CurrentDirectory() override;
    std::optional<std::string> ProgramFolder() override;
    void NotifyMainWindow() override;
    void ShowMessage(unsigned messageId, MessageOwner owner, MessageIcon icon,
                     const std::string& file) override;

  protected:
    // Where every box of ShowMessage appears; MessageBoxA.
    virtual int RunMessageBox(HWND owner, const std::string& text, const std::string& caption,
                              UINT flags);

  private:
    std::string Text(unsigned id) const;
    HWND LiveMainWindow() const;

    TextSource texts_;
    HWND mainWindow_ = nullptr;
    std::function<void()> bringUp_;
};

}  // namespace gd
