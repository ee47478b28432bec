#include "app/gripdeck_app.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/gripdeck_dlg.h"
#include "window_messages.h"
#include "app/main_window_rules.h"
#include "app/registry_settings.h"
#include "app/settings_store.h"
#include "app/win_geometry.h"
#include "fw/text.h"
#include "keys/key_name_source.h"
#include "keys/key_name_source_win.h"
#include "resource.h"
#include "settings_root.h"

namespace gd {
namespace {

// A running copy that stopped answering must not keep a new start waiting
// for ever.
constexpr UINT kForwardTimeoutMs = 5000;

// The running copy has a current folder of its own: a relative path is
// made full here, against the folder the user started this copy in.
std::string CommandLineToForward(const std::string& commandLine) {
    const StartRequest request = ParseCommandLine(commandLine);
    if (request.path.empty()) {
        return commandLine;
    }
    std::array<char, MAX_PATH> full{};
    const DWORD length = ::GetFullPathNameA(request.path.c_str(), static_cast<DWORD>(full.size()),
                                            full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        return commandLine;
    }
    return std::string(full.data(), length);
}

class StringTableKeyTexts final : public KeyTextSource {
  public:
    std::string TextOf(KeyText text) override { return LoadText(static_cast<UINT>(text)); }
};

// Top-level dialog windows: the main window is a dialog, so a running copy
// is one of these.
std::vector<HWND> TopLevelDialogs(std::vector<std::string>& titles) {
    std::vector<HWND> windows;
    HWND window = nullptr;
    while ((window = ::FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
        char title[513] = {};
        const int length = ::GetWindowTextA(window, title, sizeof title);
        titles.emplace_back(title, length > 0 ? static_cast<std::size_t>(length) : 0);
        windows.push_back(window);
    }
    return windows;
}

bool SendToRunningCopy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                 kForwardTimeoutMs, &result) != 0;
}

}  // namespace

CGripdeckApp& GripdeckApp() {
    return *static_cast<CGripdeckApp*>(GetApp());
}

bool CGripdeckApp::InitInstance() {
    startMarks.Mark("init-instance");
    if (!FindRunningInstance()) {
        return false;
    }
    startMarks.Mark("single-instance");
    SetRegistryKey(kSettingsCompany);
    SetProfileName(kSettingsProduct);
    RegistrySettings settings(*this);
    AppSettings stored;
    stored.LoadAtStart(settings);
    summaryVisible = stored.summaryVisible;
    summarySpot = stored.summarySpot;
    padPictureSpot = stored.padPictureSpot;
    LoadRecentFiles();
    settingsRead_ = true;
    startMarks.Mark("settings");

    // Key names in labels follow the user's keyboard layout and the program's
    // own words.
    static SystemKeyNameSource systemKeyNames;
    static StringTableKeyTexts keyTexts;
    UseKeyNameSource(systemKeyNames);
    UseKeyTextSource(keyTexts);

    // Editors and other dialogs open over the window they belong to.
    CDialog::SetModalPlacement(&CentreOnOwner);

    CGripdeckDlg dialog(CommandLine());
    dialog.DoModal();
    SetMainWindow(nullptr);
    return false;
}

int CGripdeckApp::ExitInstance() {
    // A start closed before its last step still reports the steps it took.
    startMarks.Write();
    SaveSettings();
    return CWinApp::ExitInstance();
}

void CGripdeckApp::SaveSettings() {
    if (settingsRead_) {
        RegistrySettings settings(*this);
        AppSettings stored;
        stored.summaryVisible = summaryVisible;
        stored.summarySpot = summarySpot;
        stored.padPictureSpot = padPictureSpot;
        stored.SaveAtExit(settings);
        SaveRecentFiles();
    }
}

bool CGripdeckApp::FindRunningInstance() {
    std::vector<std::string> titles;
    const std::vector<HWND> windows = TopLevelDialogs(titles);
    const int found = ChooseRunningCopy(titles, LoadText(IDS_APP_TITLE));
    if (found < 0) {
        return true;
    }
    HWND running = windows[static_cast<std::size_t>(found)];
    // The user started this copy, so it may take the front; the running one
    // brings its window there only if this one hands that right on.
    DWORD runningProcess = 0;
    ::GetWindowThreadProcessId(running, &runningProcess);
    ::AllowSetForegroundWindow(runningProcess);
    SendToRunningCopy(running, kSecondStartMessage, 0, 0);
    const std::string forwarded = CommandLineToForward(CommandLine());
    if (ShouldForwardCommandLine(forwarded)) {
        for (const ForwardedChar& piece : EncodeForwardedCommandLine(forwarded)) {
            if (!SendToRunningCopy(running, kForwardedCharMessage,
                                   static_cast<WPARAM>(piece.wParam),
                                   static_cast<LPARAM>(piece.lParam))) {
                break;
            }
        }
    }
    return false;
}

void CGripdeckApp::LoadRecentFiles() {
    RegistrySettings settings(*this);
    recentFiles.Load(settings);
}

void CGripdeckApp::SaveRecentFiles() {
    RegistrySettings settings(*this);
    recentFiles.Save(settings);
    ForgetEmptiedPlaces(recentFiles, settings);
}

void CGripdeckApp::AddRecentFile(const std::string& path) {
    recentFiles.Add(path);
}

void CGripdeckApp::RemoveRecentFile(std::size_t index) {
    recentFiles.Remove(index);
}

}  // namespace gd
