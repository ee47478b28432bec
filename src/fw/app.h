#pragma once
// CWinApp: the one application object. WinMain hands it the instance and the
// command line and calls Run(); the program's life happens in InitInstance.
//
// Profile settings live under the key
//   HKEY_CURRENT_USER\Software\<key>\<profile name, else app name>\<section>
// once SetRegistryKey named <key>; before that nothing is read (defaults
// come back) and nothing is written.
#include <windows.h>

#include <string>
#include <string_view>

#include "fw/wnd.h"

namespace gd {

class CWinApp {
  public:
    // appName empty: the executable's base name, as the settings key uses it.
    explicit CWinApp(std::string_view appName = {});
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // True asks for a message loop until WM_QUIT; false ends the program
    // once InitInstance returns. ExitInstance runs in both cases.
    virtual bool InitInstance() { return false; }
    virtual int ExitInstance() { return exitCode_; }

    // The body of WinMain: common controls, InitInstance, the optional loop,
    // ExitInstance. Returns the process exit code.
    int Run(HINSTANCE instance, const char* commandLine);

    const std::string& AppName() const { return appName_; }
    // The text after the program name, as WinMain received it.
    const std::string& CommandLine() const { return commandLine_; }
    HINSTANCE Instance() const { return instance_; }
    CWnd MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    void SetRegistryKey(std::string_view key) { registryKey_ = key; }
    // The name under the registry key; the app name until set, so that a
    // renamed program file would read other settings.
    void SetProfileName(std::string_view name) { profileName_ = name; }
    const std::string& RegistryKey() const { return registryKey_; }
    // REG_DWORD values; the default for a missing value or one of another type.
    int GetProfileInt(std::string_view section, std::string_view entry, int defaultValue) const;
    bool WriteProfileInt(std::string_view section, std::string_view entry, int value) const;
    // REG_SZ values.
    std::string GetProfileString(std::string_view section, std::string_view entry,
                                 std::string_view defaultValue = {}) const;
    bool WriteProfileString(std::string_view section, std::string_view entry,
                            std::string_view value) const;

  private:
    std::string SectionPath(std::string_view section) const;

    std::string appName_;
    std::string commandLine_;
    std::string registryKey_;
    std::string profileName_;
    HINSTANCE instance_ = nullptr;
    CWnd mainWindow_;
    int exitCode_ = 0;
};

// The application object, or null when none exists.
CWinApp* GetApp();

// The executable's file name without folder and extension.
std::string ModuleBaseName();

}  // namespace gd
